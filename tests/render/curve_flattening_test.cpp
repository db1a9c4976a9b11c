// Curves cut into line pieces for thin lines: every piece within the
// tolerance of its curve, and the pieces spent where the curve bends.
#include "render/curve_flattening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace heart::testing {
namespace {

struct Curve {
  const char* name;
  PlanePoint p[4];
};

const Curve kCurves[] = {
    {"a quarter circle of radius 50", {{50, 0}, {50, 27.6142}, {27.6142, 50}, {0, 50}}},
    {"straight at one end, tight at the other", {{0, 0}, {60, 0}, {100, 0}, {100, 20}}},
    {"an S through an inflection", {{0, 0}, {80, -60}, {-20, 60}, {60, 0}}},
    {"a loop crossing itself", {{0, 0}, {120, 80}, {-40, 80}, {80, 0}}},
    {"a few pixels across", {{3.2, 4.1}, {4.0, 6.5}, {6.1, 6.6}, {7.3, 4.0}}},
};

PlanePoint at(const Curve& curve, double t) {
  const double u = 1 - t;
  const double w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
  PlanePoint point{0, 0};
  for (int i = 0; i < 4; ++i) {
    point.x += w[i] * curve.p[i].x;
    point.y += w[i] * curve.p[i].y;
  }
  return point;
}

double distanceToChord(PlanePoint q, PlanePoint a, PlanePoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  const double along =
      length2 > 0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
  return std::hypot(q.x - a.x - along * dx, q.y - a.y - along * dy);
}

int piecesOf(const Curve& c, double tolerance, double ends[kMostCurvePieces]) {
  return curvePieceEnds(c.p[0], c.p[1], c.p[2], c.p[3], tolerance, ends);
}

TEST(CurveFlattening, EveryPieceStaysWithinTheToleranceOfItsCurve) {
  for (double tolerance : {0.1, 0.2, 1.0})
    for (const Curve& curve : kCurves) {
      SCOPED_TRACE(std::string(curve.name) + " at " + std::to_string(tolerance));
      double ends[kMostCurvePieces];
      const int pieces = piecesOf(curve, tolerance, ends);
      ASSERT_GE(pieces, 1);
      EXPECT_EQ(ends[pieces - 1], 1.0);
      double from = 0, farthest = 0;
      for (int k = 0; k < pieces; ++k) {
        ASSERT_GT(ends[k], from) << "piece " << k;
        // The curve between the piece's ends, 64 points of it, against its chord.
        const PlanePoint a = at(curve, from), b = at(curve, ends[k]);
        for (int s = 1; s < 64; ++s)
          farthest = std::max(farthest,
                              distanceToChord(at(curve, from + (ends[k] - from) * s / 64), a, b));
        from = ends[k];
      }
      EXPECT_LE(farthest, tolerance);
    }
}

TEST(CurveFlattening, PiecesGoWhereTheCurveBends) {
  // Straight at its start and tight at its end: its second differences are
  // (20, 0) and (-40, 20), so pieces of even steps of t, cut for the tighter
  // end, would number ceil(sqrt(0.75 * |(-40, 20)| / 0.1)) = 19.
  const Curve& curve = kCurves[1];
  double ends[kMostCurvePieces];
  const int pieces = piecesOf(curve, 0.1, ends);
  EXPECT_LT(pieces, 19);
  const int inFirstHalf =
      static_cast<int>(std::count_if(ends, ends + pieces, [](double t) { return t <= 0.5; }));
  EXPECT_LT(inFirstHalf, pieces - inFirstHalf) << "more pieces towards the tight end";

  // No bend: one piece, as for a curve that is not finite.
  const PlanePoint a{1, 2}, b{4, 6};
  const PlanePoint third{2, 10.0 / 3}, twoThirds{3, 14.0 / 3};
  EXPECT_EQ(curvePieceEnds(a, third, twoThirds, b, 0.1, ends), 1);
  EXPECT_EQ(ends[0], 1.0);
  EXPECT_EQ(curvePieceEnds(a, {NAN, 0}, twoThirds, b, 0.1, ends), 1);
  EXPECT_EQ(ends[0], 1.0);
}

}  // namespace
}  // namespace heart::testing
