// PNG output in a build without the drawing library: every request is
// answered with a clear refusal, and nothing is written.
#include "export/png_export.h"

namespace heart {

bool canWritePng() { return false; }

bool writePngFile(const Document&, const std::string& path, std::string* error,
                  const RenderProgress&) {
  *error = path + ": " + kNoPngInThisBuild;
  return false;
}

bool writePagePicture(const Document&, int, const std::string& path, std::string* error) {
  *error = path + ": " + kNoPngInThisBuild;
  return false;
}

}  // namespace heart
