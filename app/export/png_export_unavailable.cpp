// PNG output in a build without the drawing library: every request is
// answered with a clear refusal, and nothing is written.
#include "export/png_export.h"

namespace heart {

bool canWritePng() { return false; }

Result<std::vector<unsigned char>> exportPng(const Document&, const PngOptions&,
                                             const RenderProgress&) {
  return fail(kNoPngInThisBuild);
}

Result<void> writePngFile(const Document&, const std::string& path, const PngOptions&,
                          const RenderProgress&) {
  return fail(path + ": " + kNoPngInThisBuild);
}

Result<void> writePagePicture(const Document&, int, const std::string& path) {
  return fail(path + ": " + kNoPngInThisBuild);
}

}  // namespace heart
