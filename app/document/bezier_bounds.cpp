#include "document/bezier_bounds.h"

#include <algorithm>
#include <cmath>

#include "document/path_geometry.h"

namespace heart {

namespace {

double cubicAt(double p0, double p1, double p2, double p3, double t) {
  double u = 1.0 - t;
  return u * u * u * p0 + 3.0 * u * u * t * p1 + 3.0 * u * t * t * p2 + t * t * t * p3;
}

// The parameters in (0, 1) where one coordinate of the cubic turns: the roots
// of its derivative A t^2 + B t + C (divided by 3).
int turningPoints(double p0, double p1, double p2, double p3, double roots[2]) {
  double a = p3 - 3.0 * p2 + 3.0 * p1 - p0;
  double b = 2.0 * (p2 - 2.0 * p1 + p0);
  double c = p1 - p0;
  int found = 0;
  auto keep = [&](double t) {
    if (t > 0.0 && t < 1.0) roots[found++] = t;
  };
  double scale = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
  if (scale == 0.0) return 0;
  if (std::fabs(a) <= 1e-12 * scale) {
    if (b != 0.0) keep(-c / b);
    return found;
  }
  double discriminant = b * b - 4.0 * a * c;
  if (discriminant < 0.0) return 0;
  double root = std::sqrt(discriminant);
  // The numerically stable pair of roots.
  double q = -0.5 * (b + (b < 0.0 ? -root : root));
  keep(q / a);
  if (q != 0.0) {
    double other = c / q;
    if (found == 0 || other != roots[0]) keep(other);
  }
  return found;
}

}  // namespace

void BoundsAccumulator::addPoint(double x, double y) {
  if (empty_) {
    left_ = right_ = x;
    bottom_ = top_ = y;
    empty_ = false;
    return;
  }
  left_ = std::min(left_, x);
  right_ = std::max(right_, x);
  bottom_ = std::min(bottom_, y);
  top_ = std::max(top_, y);
}

void BoundsAccumulator::addCubic(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3) {
  addPoint(p0.h, p0.v);
  addPoint(p3.h, p3.v);
  // When both control points lie inside the bounds so far, so does the curve.
  auto inside = [&](AIRealPoint p) {
    return p.h >= left_ && p.h <= right_ && p.v >= bottom_ && p.v <= top_;
  };
  if (inside(p1) && inside(p2)) return;
  double roots[2];
  int n = turningPoints(p0.h, p1.h, p2.h, p3.h, roots);
  for (int i = 0; i < n; ++i) {
    double t = roots[i];
    addPoint(cubicAt(p0.h, p1.h, p2.h, p3.h, t), cubicAt(p0.v, p1.v, p2.v, p3.v, t));
  }
  n = turningPoints(p0.v, p1.v, p2.v, p3.v, roots);
  for (int i = 0; i < n; ++i) {
    double t = roots[i];
    addPoint(cubicAt(p0.h, p1.h, p2.h, p3.h, t), cubicAt(p0.v, p1.v, p2.v, p3.v, t));
  }
}

AIRealRect BoundsAccumulator::rect() const {
  if (empty_) return AIRealRect{0, 0, 0, 0};
  return AIRealRect{static_cast<AIReal>(left_), static_cast<AIReal>(top_),
                    static_cast<AIReal>(right_), static_cast<AIReal>(bottom_)};
}

void addPathBounds(BoundsAccumulator& bounds, const AIPathSegment* segments, int32_t count,
                   bool closed) {
  if (count <= 0) return;
  if (count == 1) {
    // Closed, a lone anchor whose handles leave it draws a loop back to
    // itself, as the SVG writer and the renderer draw it.
    const AIPathSegment& lone = segments[0];
    if (closed && drawsClosingPiece(segments, count))
      bounds.addCubic(lone.p, lone.out, lone.in, lone.p);
    else
      bounds.addPoint(lone.p.h, lone.p.v);
    return;
  }
  for (int32_t i = 0; i + 1 < count; ++i)
    bounds.addCubic(segments[i].p, segments[i].out, segments[i + 1].in, segments[i + 1].p);
  if (closed)
    bounds.addCubic(segments[count - 1].p, segments[count - 1].out, segments[0].in, segments[0].p);
}

}  // namespace heart
