#include "render/curve_flattening.h"

#include <algorithm>
#include <cmath>

namespace heart {

namespace {

// The curve's bend is sampled at the ends of this many equal steps of t.
constexpr int kBendSteps = 8;

}  // namespace

int curvePieceEnds(PlanePoint p0, PlanePoint p1, PlanePoint p2, PlanePoint p3, double tolerance,
                   double ends[kMostCurvePieces]) {
  // A piece dt long where the curve's second derivative is B'' strays from
  // its chord by about |B''| dt^2 / 8, and B'' is 6 times the second
  // difference d of the control points, which runs straight from the first
  // (t = 0) to the second (t = 1). So a piece may be sqrt(8 tol / |B''|)
  // long: sqrt(0.75 |d(t)| / tol) pieces are wanted for each unit of t.
  const double firstX = p0.x - 2 * p1.x + p2.x, firstY = p0.y - 2 * p1.y + p2.y;
  const double secondX = p1.x - 2 * p2.x + p3.x, secondY = p1.y - 2 * p2.y + p3.y;
  // |d(t)| is convex in t, so each step wants at most what its steeper end
  // wants.
  const auto wantedAt = [&](double t) {
    const double x = firstX + t * (secondX - firstX), y = firstY + t * (secondY - firstY);
    return std::sqrt(0.75 * std::sqrt(x * x + y * y) / tolerance) / kBendSteps;
  };
  double wanted[kBendSteps], total = 0, start = wantedAt(0);
  for (int i = 0; i < kBendSteps; ++i) {
    const double end = wantedAt(static_cast<double>(i + 1) / kBendSteps);
    wanted[i] = std::max(start, end);
    total += wanted[i];
    start = end;
  }
  const int pieces = std::isfinite(total)
                         ? std::clamp(static_cast<int>(std::ceil(total)), 1, kMostCurvePieces)
                         : 1;
  // Each piece takes an equal share of what is wanted: its end lies where
  // the wanted pieces, summed from t = 0 step by step, reach k shares.
  const double share = total / pieces;
  int step = 0;
  double before = 0;  // wanted in the steps before `step`
  for (int k = 1; k < pieces; ++k) {
    const double target = k * share;
    while (step + 1 < kBendSteps && before + wanted[step] <= target) before += wanted[step++];
    const double into = wanted[step] > 0 ? (target - before) / wanted[step] : 0;
    ends[k - 1] = (step + std::clamp(into, 0.0, 1.0)) / kBendSteps;
  }
  ends[pieces - 1] = 1;
  return pieces;
}

}  // namespace heart
