// The studio's picture of the document: what the front view shows, at the
// view's zoom and window size, as a designer sees it in the host's window:
// the pasteboard around the page, the page in white with its outline, and
// the art over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart {
class Document;
}

namespace heart::studio {

struct PreviewPicture {
  // Row after row, top first, each pixel a native 32-bit word 0xAARRGGBB
  // with premultiplied colour (cairo's ARGB32); every pixel is opaque.
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  double zoom = 1;
  size_t paths = 0;             // paths drawn
  double drawMilliseconds = 0;  // time taken to draw the picture
};

// The front view (view 0) of the document, or why the picture cannot be
// made. Taller pictures are drawn in `bands` (1 or 2) horizontal bands at
// once, the lower one on another core.
Result<PreviewPicture> renderPreview(const Document& document, int bands = 2);

// The same view drawn `height` pixels high (or at its own height when that
// is lower), its width and zoom scaled to match: a small picture of the
// view drawn at its own size, for far less than the whole picture costs
// when the art is heavy.
Result<PreviewPicture> renderSmallPreview(const Document& document, int height);

// The picture packed for the page, which unpacks it into its canvas's RGBA
// pixels without a decoder. A sequence of 32-bit little-endian words: a
// word n with its top bit set is followed by one pixel repeated
// n - 0x80000000 times; a word n without it by n pixels as they are. A pixel
// is the bytes red, green, blue, alpha. The runs cover the rows top first.
std::vector<unsigned char> packPixels(const PreviewPicture& picture);

// The picture as a PNG file, or why it cannot be made.
Result<std::vector<unsigned char>> previewPng(const PreviewPicture& picture);

}  // namespace heart::studio
