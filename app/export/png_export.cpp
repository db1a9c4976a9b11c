#include "export/png_export.h"

#include <optional>
#include <string_view>

#include "core/output_file.h"
#include "render/document_renderer.h"

namespace heart {

bool canWritePng() { return true; }

bool writePngFile(const Document& document, const std::string& path, std::string* error,
                  const RenderProgress& progress) {
  std::optional<std::vector<unsigned char>> png =
      renderPng(document, pageFrame(document), error, progress);
  return png && writeBytesToFile(*png, path, error);
}

bool writeBytesToFile(const std::vector<unsigned char>& bytes, const std::string& path,
                      std::string* error) {
  // The picture is complete in memory: the file is written (or replaced)
  // in one piece, and what its name stands for is kept.
  Result<void> written = writeOutputFile(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!written) *error = written.error();
  return written.ok();
}

}  // namespace heart
