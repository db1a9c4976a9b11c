// Bounds of Bézier outlines, transformation of art and the real maths.
#include <cmath>
#include <random>

#include "document/bezier_bounds.h"
#include "support/document_suites_fixture.h"

namespace heart::testing {
namespace {

using GeometryTest = SuiteTest;

AIRealPoint cubicAt(AIRealPoint p0, AIRealPoint p1, AIRealPoint p2, AIRealPoint p3, double t) {
  double u = 1 - t;
  auto at = [&](double a, double b, double c, double d) {
    return u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d;
  };
  return AIRealPoint{static_cast<float>(at(p0.h, p1.h, p2.h, p3.h)),
                     static_cast<float>(at(p0.v, p1.v, p2.v, p3.v))};
}

TEST_F(GeometryTest, BoundsFollowTheCurveNotItsHandles) {
  // The top of this arch lies between the anchors, at three quarters of the
  // handles' height; the handles themselves stick out further.
  AIArtHandle arch = nullptr;
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &arch), kNoErr);
  AIPathSegment s[2] = {{{0, 0}, {0, 0}, {0, 100}, false}, {{100, 0}, {100, 100}, {100, 0}, false}};
  ASSERT_EQ(path->SetPathSegments(arch, 0, 2, s), kNoErr);
  AIRealRect r = bounds(arch);
  EXPECT_FLOAT_EQ(r.top, 75);
  EXPECT_FLOAT_EQ(r.bottom, 0);
  EXPECT_FLOAT_EQ(r.left, 0);
  EXPECT_FLOAT_EQ(r.right, 100);

  // Closing the path adds the curve back from the last anchor to the first:
  // here it dips below the anchors.
  s[1].out = {100, -40};
  s[0].in = {0, -40};
  ASSERT_EQ(path->SetPathSegments(arch, 0, 2, s), kNoErr);
  EXPECT_FLOAT_EQ(bounds(arch).bottom, 0);
  ASSERT_EQ(path->SetPathClosed(arch, 1), kNoErr);
  EXPECT_FLOAT_EQ(bounds(arch).bottom, -30);

  // A closed lone anchor whose handles leave it draws a loop back to itself,
  // out along (30, 0) and in from (0, 30): x = 90 t (1 - t)^2 and
  // y = 90 t^2 (1 - t), each at most 40/3. Open, it is just its point.
  AIPathSegment lone = {{0, 0}, {0, 30}, {30, 0}, false};
  ASSERT_EQ(path->SetPathSegmentCount(arch, 1), kNoErr);
  ASSERT_EQ(path->SetPathSegments(arch, 0, 1, &lone), kNoErr);
  r = bounds(arch);
  EXPECT_FLOAT_EQ(r.left, 0);
  EXPECT_FLOAT_EQ(r.bottom, 0);
  EXPECT_NEAR(r.right, 40.0 / 3, 1e-4);
  EXPECT_NEAR(r.top, 40.0 / 3, 1e-4);
  ASSERT_EQ(path->SetPathClosed(arch, 0), kNoErr);
  r = bounds(arch);
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.top, 0);
}

TEST(BezierBounds, MatchDenseSamplingOfRandomCurves) {
  std::mt19937 engine(7);
  std::uniform_real_distribution<float> coordinate(-500, 500);
  for (int trial = 0; trial < 200; ++trial) {
    AIRealPoint p[4];
    for (auto& q : p) q = {coordinate(engine), coordinate(engine)};
    BoundsAccumulator exact;
    exact.addCubic(p[0], p[1], p[2], p[3]);
    AIRealRect r = exact.rect();
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    for (int i = 0; i <= 20000; ++i) {
      AIRealPoint q = cubicAt(p[0], p[1], p[2], p[3], i / 20000.0);
      left = std::min<double>(left, q.h);
      right = std::max<double>(right, q.h);
      bottom = std::min<double>(bottom, q.v);
      top = std::max<double>(top, q.v);
    }
    // Sampling can only miss the extremes slightly, never pass them.
    EXPECT_NEAR(r.left, left, 0.01) << trial;
    EXPECT_NEAR(r.right, right, 0.01) << trial;
    EXPECT_NEAR(r.bottom, bottom, 0.01) << trial;
    EXPECT_NEAR(r.top, top, 0.01) << trial;
    EXPECT_LE(r.left, left + 1e-3);
    EXPECT_GE(r.top, top - 1e-3);
  }
}

TEST_F(GeometryTest, TransformArtMovesGeometryAndScalesStrokesOnlyByTheLineScale) {
  AIArtHandle square = newSquare(10, 20, 10);
  AIPathStyle style{};
  ASSERT_EQ(pathStyle->GetPathStyle(square, &style), kNoErr);
  style.strokeWidth = 2;
  ASSERT_EQ(pathStyle->SetPathStyle(square, &style), kNoErr);

  AIRealMatrix doubleSize{2, 0, 0, 2, 0, 0};
  ASSERT_EQ(transform->TransformArt(square, &doubleSize, 1.0f, kTransformObjects), kNoErr);
  AIRealRect r = bounds(square);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.bottom, 40);
  EXPECT_EQ(r.right, 40);
  EXPECT_EQ(r.top, 60);
  ASSERT_EQ(pathStyle->GetPathStyle(square, &style), kNoErr);
  EXPECT_EQ(style.strokeWidth, 2);

  ASSERT_EQ(transform->TransformArt(square, &doubleSize, 0.25f, kTransformObjects), kNoErr);
  ASSERT_EQ(pathStyle->GetPathStyle(square, &style), kNoErr);
  EXPECT_EQ(style.strokeWidth, 0.5f);

  // A transformation whose result would not be finite leaves the art alone.
  AIRealPoint before = {bounds(square).left, bounds(square).top};
  AIRealMatrix huge{1e37f, 0, 0, 1e37f, 0, 0};  // 40 * 1e37 is past the largest float
  EXPECT_EQ(transform->TransformArt(square, &huge, 1.0f, kTransformObjects), kBadParameterErr);
  AIRealMatrix notANumber{std::nanf(""), 0, 0, 1, 0, 0};
  EXPECT_EQ(transform->TransformArt(square, &notANumber, 1.0f, kTransformObjects),
            kBadParameterErr);
  EXPECT_EQ(bounds(square).left, before.h);
  EXPECT_EQ(bounds(square).top, before.v);
}

TEST_F(GeometryTest, MatrixStepsApplyInTheOrderTheyAreAppended) {
  AIRealMatrix m;
  AIRealPoint p{1, 1}, out{};
  // Translate first, then scale: the translation is scaled too.
  math->AIRealMatrixSetTranslate(&m, 10, 0);
  math->AIRealMatrixConcatScale(&m, 2, 3);
  math->AIRealMatrixXformPoint(&m, &p, &out);
  EXPECT_FLOAT_EQ(out.h, (1 + 10) * 2);
  EXPECT_FLOAT_EQ(out.v, 1 * 3);
  // A quarter turn, then the scale: (1, 0) turns to (0, 1) and goes to (0, 3),
  // (0, 1) turns to (-1, 0) and goes to (-2, 0).
  math->AIRealMatrixSetIdentity(&m);
  math->AIRealMatrixConcatRotate(&m, math->DegreeToRadian(90));
  math->AIRealMatrixConcatScale(&m, 2, 3);
  AIRealPoint right{1, 0}, up{0, 1};
  math->AIRealMatrixXformPoint(&m, &right, &out);
  EXPECT_NEAR(out.h, 0, 1e-6);
  EXPECT_NEAR(out.v, 3, 1e-6);
  math->AIRealMatrixXformPoint(&m, &up, &out);
  EXPECT_NEAR(out.h, -2, 1e-6);
  EXPECT_NEAR(out.v, 0, 1e-6);

  // Turns add up: 30 degrees then 60 is a quarter turn, (1, 0) to (0, 1).
  math->AIRealMatrixSetIdentity(&m);
  math->AIRealMatrixConcatRotate(&m, math->DegreeToRadian(30));
  math->AIRealMatrixConcatRotate(&m, math->DegreeToRadian(60));
  math->AIRealMatrixXformPoint(&m, &right, &out);
  EXPECT_NEAR(out.h, 0, 1e-6);
  EXPECT_NEAR(out.v, 1, 1e-6);

  // Rotation about a centre M: to the origin, rotate a quarter turn, back.
  AIRealPoint centre{50, 20}, q{60, 20};
  math->AIRealMatrixSetTranslate(&m, -centre.h, -centre.v);
  math->AIRealMatrixConcatRotate(&m, math->DegreeToRadian(90));
  math->AIRealMatrixConcatTranslate(&m, centre.h, centre.v);
  math->AIRealMatrixXformPoint(&m, &q, &out);
  EXPECT_NEAR(out.h, 50, 1e-4);
  EXPECT_NEAR(out.v, 30, 1e-4);

  // The same matrix through Transform Art.
  AIArtHandle square = newSquare(55, 15, 10);
  ASSERT_EQ(transform->TransformArt(square, &m, 1, kTransformObjects), kNoErr);
  AIRealRect r = bounds(square);
  EXPECT_NEAR(r.left, 45, 1e-4);
  EXPECT_NEAR(r.right, 55, 1e-4);
  EXPECT_NEAR(r.bottom, 25, 1e-4);
  EXPECT_NEAR(r.top, 35, 1e-4);
}

TEST_F(GeometryTest, RealMathHelpers) {
  EXPECT_EQ(math->AIRealDiv(7, 2), 3.5f);
  EXPECT_EQ(math->AIRealDiv(7, 0), 0.0f);
  EXPECT_NEAR(math->RadianToDegree(math->DegreeToRadian(135)), 135, 1e-4);
  EXPECT_NEAR(math->AIRealSin(math->DegreeToRadian(30)), 0.5, 1e-6);
  EXPECT_NEAR(math->AIRealCos(math->DegreeToRadian(60)), 0.5, 1e-6);

  // Interpolation moves from b toward a: t = 0 is b, t = 1 is a.
  AIRealPoint base{0, 0}, anchor{100, 40}, out{};
  math->AIRealPointInterpolate(&base, &anchor, 0.25f, &out);
  EXPECT_FLOAT_EQ(out.h, 75);
  EXPECT_FLOAT_EQ(out.v, 30);
  math->AIRealPointInterpolate(&base, &anchor, -0.5f, &anchor);  // result may be an argument
  EXPECT_FLOAT_EQ(anchor.h, 150);
  EXPECT_FLOAT_EQ(anchor.v, 60);

  // The direction of a as seen from b.
  AIRealPoint a{0, 10}, b{10, 0};
  EXPECT_NEAR(math->AIRealPointAngle(&a, &b), math->DegreeToRadian(135), 1e-6);
  EXPECT_NEAR(math->AIRealPointAngle(&b, &a), math->DegreeToRadian(-45), 1e-6);
}

}  // namespace
}  // namespace heart::testing
