// Thin opaque lines drawn straight into an ARGB32 image's pixels, without
// building a path for cairo: a live preview's sketch strokes are tens of
// thousands of lines a pixel or two wide, and cairo's general path filling
// spends far more on each of their many short edges than they cover.
//
// A stroke's lines are gathered first: its coverage of each pixel is that of
// whichever of its lines covers the pixel most (so the stroke covers the
// union of its lines, as one fill of them all would), and painting it lays
// its colour over the pixels by that coverage, once, however many of its
// lines meet there.
#pragma once

#include <cstdint>
#include <vector>

namespace heart {

class ThinLines {
 public:
  // The image's pixels: `height` rows of `width` native 32-bit premultiplied
  // ARGB words, `stride` bytes apart. Lines are drawn only within the clip
  // rectangle [clipLeft, clipRight) x [clipTop, clipBottom) of it.
  ThinLines(unsigned char* pixels, int width, int height, int stride, int clipLeft, int clipTop,
            int clipRight, int clipBottom);

  // Adds the strip within `halfWidth` pixels of the segment from (ax, ay) to
  // (bx, by) (device pixels, y down) to the current stroke, over the pixel
  // columns (rows, for a steep segment) whose centres lie between its ends.
  // A pixel's coverage is the part of its side across the segment that lies
  // within the strip. A free end (where the line stops: a dash's end, an
  // open line's) also takes the share of the end's column (row) that the
  // segment spans, so that short dashes are drawn as long as they are.
  void addSegment(double ax, double ay, double bx, double by, double halfWidth,
                  bool freeStart = false, bool freeEnd = false);

  // Paints the stroke in the colour (components 0 to 1) at the opacity and
  // starts the next.
  void paint(const double colour[3], double opacity);

 private:
  unsigned char* pixels_;
  int width_, height_, stride_;
  int clipLeft_, clipTop_, clipRight_, clipBottom_;
  std::vector<uint8_t> coverage_;  // the stroke's, one byte a pixel; allocated when first needed
  std::vector<uint32_t> touched_;  // the pixels the stroke covers, row * width + column
};

}  // namespace heart
