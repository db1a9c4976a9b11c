// Thin opaque lines, dashes and dots drawn straight into an ARGB32 image's
// pixels, without building a path for cairo: sketch strokes are tens of
// thousands of lines a pixel or two wide, and cairo's general path filling
// and dashing spend far more on each of their many short edges than they
// cover.
//
// A stroke's lines are gathered first: its coverage of each pixel is that of
// whichever of its lines covers the pixel most (so the stroke covers the
// union of its lines, as one fill of them all would), and painting it lays
// its colour over the pixels by that coverage, once, however many of its
// lines meet there.
#pragma once

#include <cstddef>
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
  // within the strip. A free end (where an open line stops) also takes the
  // share of the end's column (row) that the segment spans.
  void addSegment(double ax, double ay, double bx, double by, double halfWidth,
                  bool freeStart = false, bool freeEnd = false);

  // A dash pattern along a line: dashes `dash` long starting every `period`
  // from the line's start; `offset` is how far along the line a segment
  // starts.
  struct DashPattern {
    double dash, period, offset;
  };

  // Adds the dashes of the pattern that fall on the segment, as addSegment
  // adds the whole strip of one whose ends are shared with the line's next
  // and last segments: each pixel's coverage is also scaled by the share of
  // its column's (row's) length along the line that the dashes cover.
  void addDashedSegment(double ax, double ay, double bx, double by, double halfWidth,
                        const DashPattern& pattern);

  // Adds the capsule within `halfWidth` pixels of the segment (a round-capped
  // dash; a dot where its ends meet) to the current stroke. A pixel's
  // coverage is the share of 16 points spread over it that lie within the
  // capsule; one whose points plainly all lie inside or all outside is not
  // sampled. A dot's is the share of its area within the disc, found
  // column strip by column strip.
  void addCapsule(double ax, double ay, double bx, double by, double halfWidth);

  // Paints the stroke in the colour (components 0 to 1) at the opacity and
  // starts the next.
  void paint(const double colour[3], double opacity);

 private:
  unsigned char* pixels_;
  // The coverage is laid out as the pixels are, a word a pixel and
  // rowWords_ words a row, so that a pixel's place in one is its place in
  // the other.
  int height_, rowWords_;
  int clipLeft_, clipTop_, clipRight_, clipBottom_;
  std::vector<uint8_t> coverage_;  // the stroke's, one byte a pixel; allocated when first needed
  // The pixels the stroke covers, row * rowWords_ + column: the first
  // touchedCount_ of touched_, which grows as a stroke needs.
  std::vector<uint32_t> touched_;
  size_t touchedCount_ = 0;

  // A dot, a capsule too short to tell from one, over its pixel box
  // [left, right) x [top, bottom), no more than kMostDotColumns wide: each
  // pixel column cut into kDotStrips strips, each of which the disc covers
  // exactly.
  static constexpr int kMostDotColumns = 8, kDotStrips = 4;
  void addDot(double cx, double cy, double radius, int left, int top, int right, int bottom);

  // The strip of addSegment, dashed by the pattern where there is one.
  void addStrip(double ax, double ay, double bx, double by, double halfWidth, bool freeStart,
                bool freeEnd, const DashPattern* pattern);

  // The pixels [left, right) x [top, bottom) of the clip within `reach` of
  // the box of the segment; false when there are none. Makes the coverage,
  // and room in the list, ready for them.
  bool pixelsNear(double ax, double ay, double bx, double by, double reach, int* left, int* top,
                  int* right, int* bottom);

  // The stroke's coverage and the list of the pixels it covers, as a piece
  // is drawn into them: held apart from the object, so that raising one
  // pixel's byte (which may alias anything) does not make the compiler
  // reload the rest. A piece takes one with pen() and gives back its count.
  struct Pen {
    uint8_t* coverage;
    uint32_t* touched;
    size_t count;
    // Raises the stroke's coverage of the pixel at `at` to `level` (0 to
    // 255), listing the pixel when the stroke first covers it. Called for
    // every pixel of every piece, so written without a branch (which of them
    // the stroke already covers is as good as random); the list must have
    // room, made for a piece's pixels by makeRoom first.
    void cover(size_t at, int level) {
      uint8_t& stroke = coverage[at];
      touched[count] = static_cast<uint32_t>(at);
      count += (stroke == 0) & (level > 0);
      stroke = static_cast<uint8_t>(level > stroke ? level : stroke);
    }
  };
  Pen pen() { return Pen{coverage_.data(), touched_.data(), touchedCount_}; }
  // Room in the list for `pixels` more.
  void makeRoom(size_t pixels) {
    if (touchedCount_ + pixels >= touched_.size()) growTouched(touchedCount_ + pixels + 1);
  }
  void growTouched(size_t least);
};

}  // namespace heart
