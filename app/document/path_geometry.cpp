#include "document/path_geometry.h"

#include <cmath>

namespace heart {

bool finitePoint(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }

bool finiteSegment(const AIPathSegment& s) {
  return finitePoint(s.p) && finitePoint(s.in) && finitePoint(s.out);
}

bool fitsFloat(double value) { return std::isfinite(value) && std::fabs(value) <= 3.0e38; }

AIRealPoint transformed(const AIRealMatrix& m, AIRealPoint p, bool* finite) {
  double x = static_cast<double>(m.a) * p.h + static_cast<double>(m.c) * p.v + m.tx;
  double y = static_cast<double>(m.b) * p.h + static_cast<double>(m.d) * p.v + m.ty;
  if (!fitsFloat(x) || !fitsFloat(y)) *finite = false;
  return AIRealPoint{static_cast<AIReal>(x), static_cast<AIReal>(y)};
}

void applyWarps(const EnvelopeWarps& warps, SegmentList& outline) {
  SegmentList warped;
  for (auto it = warps.rbegin(); it != warps.rend(); ++it) {
    warpOutline(it->first, it->second, outline.data(), outline.size(), warped);
    std::swap(outline, warped);
  }
}

bool straightPiece(const AIPathSegment& a, const AIPathSegment& b) {
  return a.out.h == a.p.h && a.out.v == a.p.v && b.in.h == b.p.h && b.in.v == b.p.v;
}

bool drawsClosingPiece(const AIPathSegment* segments, int32_t count) {
  return count > 1 || (count == 1 && !straightPiece(segments[0], segments[0]));
}

}  // namespace heart
