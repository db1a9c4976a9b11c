// Cubic curves cut into line pieces for drawing thin lines: as few pieces as
// keep within a tolerance of the curve, spread along it by how sharply it
// bends, so that a curve nearly straight at one end and tight at the other
// is not cut finely all along for the sake of its tight end.
#pragma once

namespace heart {

struct PlanePoint {
  double x, y;
};

// A curve is cut into at most this many pieces.
inline constexpr int kMostCurvePieces = 256;

// The curve's parameter (0 < t <= 1, rising, the last 1) at the far end of
// each line piece that follows the cubic from p0 to p3 with handles p1 and
// p2 within `tolerance`, written to `ends`; returns how many pieces, at least
// one (a single piece for a curve that is not finite).
int curvePieceEnds(PlanePoint p0, PlanePoint p1, PlanePoint p2, PlanePoint p3, double tolerance,
                   double ends[kMostCurvePieces]);

// The point at t on that cubic.
inline PlanePoint pointOnCurve(PlanePoint p0, PlanePoint p1, PlanePoint p2, PlanePoint p3,
                               double t) {
  const double u = 1 - t;
  const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
  return {w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
          w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y};
}

}  // namespace heart
