// Pictures for the render tests: the renderer's PNG read back into pixels,
// librsvg's rendering of the exported SVG through the same frame, and how
// far two pictures differ.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "render/document_renderer.h"

namespace heart::testing {

// Premultiplied ARGB pixels, row by row from the top left.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// PNG bytes read back with cairo's own PNG reader; an empty picture when
// they are not a PNG.
Picture decodePng(const std::vector<unsigned char>& png);

// The renderer's PNG of the frame, read back.
Picture rendered(const Document& document, const RenderFrame& frame);

// librsvg's rendering of exportSvg's text, with the page placed where the
// frame puts it.
Picture reference(const Document& document, const RenderFrame& frame);

struct Difference {
  int largest = 0;     // the largest difference of one channel, 0 to 255
  double visible = 0;  // the share of pixels that differ by more than 24 in a channel
  std::string where;   // the first such pixel, for the failure message
};
// Compares the pixels that lie wholly inside the rectangle (x0, y0)-(x1, y1),
// by default all of them.
struct PixelBox {
  double x0 = -1e9, y0 = -1e9, x1 = 1e9, y1 = 1e9;
};
Difference compare(const Picture& a, const Picture& b, const PixelBox& box = {});

// Where the frame puts the page. An SVG viewer shows nothing beyond its
// page, while a view of the document shows the art around the page too.
PixelBox pageBox(const Document& document, const RenderFrame& frame);

}  // namespace heart::testing
