// Exact bounds of Bézier outlines: the extremes of each cubic curve, not of
// its control points, so a handle that sticks out past the curve does not
// widen the bounds.
#pragma once

#include <cstdint>

#include "plugin/host/ai_art_suites.h"

namespace heart {

// Collects points and curves into one rectangle, in double precision.
class BoundsAccumulator {
 public:
  void addPoint(double x, double y);
  // The cubic from p0 to p3 with control points p1 and p2.
  void addCubic(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3);
  bool empty() const { return empty_; }
  // {left, top, right, bottom} with top >= bottom; all zero when empty.
  AIRealRect rect() const;

 private:
  double left_ = 0, bottom_ = 0, right_ = 0, top_ = 0;
  bool empty_ = true;
};

// Adds the outline of a path: the curve from each anchor's out handle to the
// next anchor's in handle, and the closing curve of a closed path. A single
// anchor adds its point, or, closed with a handle off it, the loop it draws;
// no anchors add nothing.
void addPathBounds(BoundsAccumulator& bounds, const AIPathSegment* segments, int32_t count,
                   bool closed);

}  // namespace heart
