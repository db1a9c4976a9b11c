// Envelope warps: a deformation of the art inside an envelope over the
// bounds of that art. The warp works in coordinates relative to the bounds
// (-1 at the left and bottom edges, +1 at the right and top) so that the same
// settings deform a small heart and a large one alike.
#pragma once

#include <cstdint>

#include "document/segment_list.h"
#include "plugin/host/ai_art_suites.h"

namespace heart {

enum WarpStyle : int16_t {
  kWarpNone = 0,
  kWarpArc = 1,
  kWarpArcLower = 2,
  kWarpArcUpper = 3,
  kWarpArch = 4,
  kWarpBulge = 5,
  kWarpShellLower = 6,
  kWarpShellUpper = 7,
  kWarpFlag = 8,
  kWarpWave = 9,
  kWarpFish = 10,
  kWarpRise = 11,
  kWarpFisheye = 12,
  kWarpInflate = 13,
  kWarpSqueeze = 14,
  kWarpTwist = 15,
};
constexpr int16_t kLastWarpStyle = kWarpTwist;

struct EnvelopeWarp {
  int16_t style = kWarpNone;
  float bend = 0;                  // -1 to 1
  float horizontalDistortion = 0;  // -1 to 1: one side taller than the other
  float verticalDistortion = 0;    // -1 to 1: the top wider than the bottom, or narrower
  bool vertical = false;           // the warp runs along the vertical axis
};

// "Arc", "Arc Lower", ... for styles 1 to 15; "None" otherwise.
const char* warpStyleName(int16_t style);

// Where the warp moves point p of art whose bounds are `bounds`.
AIRealPoint warpPoint(const EnvelopeWarp& warp, const AIRealRect& bounds, AIRealPoint p);

// The warped outline of a path: every anchor and every handle is moved by
// the warp, so the curves between them bend with it. This keeps a warped
// path exactly as long as the path itself, which matters when a drawing holds
// a hundred thousand warped copies.
void warpOutline(const EnvelopeWarp& warp, const AIRealRect& bounds, const AIPathSegment* segments,
                 int32_t count, SegmentList& out);

}  // namespace heart
