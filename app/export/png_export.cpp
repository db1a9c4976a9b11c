#include "export/png_export.h"

#include <string_view>

#include "core/output_file.h"
#include "render/document_renderer.h"

namespace heart {

bool canWritePng() { return true; }

Result<std::vector<unsigned char>> exportPng(const Document& document, const PngOptions& options,
                                             const RenderProgress& progress) {
  Result<PngSize> size = pngSize(document.pageSize(), options);
  if (!size) return size.failure();
  RenderFrame frame;
  frame.zoom = size->zoom;
  frame.width = size->width;
  frame.height = size->height;
  // The page's top left corner at the picture's top left corner.
  frame.centre.h = static_cast<AIReal>(frame.width / (2 * frame.zoom));
  frame.centre.v = static_cast<AIReal>(document.pageSize().v - frame.height / (2 * frame.zoom));
  frame.whitePage = options.whitePage;
  frame.thinLinesDirect = true;
  return renderPng(document, frame, progress);
}

Result<void> writePngFile(const Document& document, const std::string& path,
                          const PngOptions& options, const RenderProgress& progress) {
  Result<std::vector<unsigned char>> png = exportPng(document, options, progress);
  if (!png) return png.failure();
  return writeBytesToFile(*png, path);
}

Result<void> writePagePicture(const Document& document, int largestSide, const std::string& path) {
  RenderFrame frame = pageFrame(document, largestSide);
  frame.thinLinesDirect = true;
  Result<std::vector<unsigned char>> png = renderPng(document, frame);
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
