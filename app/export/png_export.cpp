#include "export/png_export.h"

#include <string_view>

#include "core/output_file.h"
#include "render/document_renderer.h"

namespace heart {

bool canWritePng() { return true; }

Result<std::vector<unsigned char>> exportPng(const Document& document,
                                             const RenderProgress& progress) {
  return renderPng(document, pageFrame(document), progress);
}

Result<void> writePngFile(const Document& document, const std::string& path,
                          const RenderProgress& progress) {
  Result<std::vector<unsigned char>> png = exportPng(document, progress);
  if (!png) return png.failure();
  return writeBytesToFile(*png, path);
}

Result<void> writePagePicture(const Document& document, int largestSide, const std::string& path) {
  Result<std::vector<unsigned char>> png = renderPng(document, pageFrame(document, largestSide));
  if (!png) return png.failure();
  return writeBytesToFile(*png, path);
}

Result<void> writeBytesToFile(const std::vector<unsigned char>& bytes, const std::string& path) {
  // The picture is complete in memory: the file is written (or replaced)
  // in one piece, and what its name stands for is kept.
  return writeOutputFile(
      path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace heart
