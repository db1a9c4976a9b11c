// Sketch copies: their shift, stroke, weight, colour modes and mirror copies.
#include "generator_fixture.h"

namespace heart::testing {
namespace {

class SketchTest : public GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    sketchRecord();
  }
  void sketchRecord() {
    record.sketchRepeats = 1;
    record.sketchWeight = 5;
    record.randomSketchWeight = 0;
    record.randomSketchShift = 0;
  }
  void setStroke(AIColor colour) {
    AIPathStyle paint = newPathPaint();
    paint.strokeColor = colour;
    setNewPathPaint(paint);
  }
  void expectMovedBy(ArtId copy, ArtId heart, AIRealPoint by) {
    std::vector<AIPathSegment> c = segments(copy);
    std::vector<AIPathSegment> h = segments(heart);
    ASSERT_EQ(c.size(), h.size());
    for (size_t k = 0; k < c.size(); ++k) {
      EXPECT_TRUE(near(c[k].p, h[k].p + by)) << k;
      EXPECT_TRUE(near(c[k].in, h[k].in + by)) << k;
      EXPECT_TRUE(near(c[k].out, h[k].out + by)) << k;
    }
  }
};

TEST_F(SketchTest, NoRepeatsMeansNoCopiesAndNoDraws) {
  record.sketchRepeats = 0;
  record.sketchShift = 10;
  ASSERT_EQ(go(), kNoErr);
  EXPECT_EQ(paths().size(), 1u);
  EXPECT_EQ(drawCount(), 0u);
}

TEST_F(SketchTest, UnshiftedCopiesLieOnTheHeartStrokedAndUnfilled) {
  record.sketchRepeats = 3;
  record.sketchShift = 0;
  record.sketchColorMode = 7;  // without a shift: black
  setStroke(rgb(0.5f, 0.5f, 0.5f));
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 4u);
  ArtId heart = all[0];
  EXPECT_TRUE(style(heart).fillPaint);
  for (int k = 1; k < 4; ++k) {
    expectMovedBy(all[k], heart, AIRealPoint{0, 0});
    AIPathStyle s = style(all[k]);
    EXPECT_FALSE(s.fillPaint);
    EXPECT_TRUE(s.strokePaint);
    EXPECT_FLOAT_EQ(s.strokeWidth, 0.5f);
    EXPECT_TRUE(sameColour(s.strokeColor, rgb(0, 0, 0)));
  }
  EXPECT_EQ(drawCount(), 12u) << "two coins and two sizes per copy";
}

TEST_F(SketchTest, FixedShiftMovesTheCopyRigidly) {
  record.sketchShift = 10;
  draws({0.1f, 0.5f, 0.9f, 0.3f});
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 2u);
  expectMovedBy(all[1], all[0], AIRealPoint{5, -3});
}

TEST_F(SketchTest, RandomShiftJittersEveryCoordinateAndFeedsTheShiftColour) {
  record.sketchShift = 10;
  record.randomSketchShift = 1;
  record.sketchColorMode = 7;
  record.randomCreatePoints = 1;                // a one-anchor heart: just the tip
  draws({0.1f, 0.9f, 0.9f, 0.9f,                // anchors
         0.1f, 0.5f, 0.1f, 0.5f,                // shift (5, 5)
         0.1f, 0.2f, 0.1f, 0.4f, 0.9f, 0.6f,    // anchor x, anchor y, in x
         0.1f, 0.8f, 0.1f, 0.1f, 0.9f, 0.3f});  // in y, out x, out y
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 2u);
  AIPathSegment heart = segments(all[0]).at(0);
  AIPathSegment copy = segments(all[1]).at(0);
  EXPECT_TRUE(near(copy.p, heart.p + AIRealPoint{1, 2}));
  EXPECT_TRUE(near(copy.in, heart.in + AIRealPoint{-3, 4}));
  EXPECT_TRUE(near(copy.out, heart.out + AIRealPoint{0.5f, -1.5f}));
  // Out-handle y, anchor y and in-handle x deltas over the shift, unclamped.
  EXPECT_TRUE(sameColour(style(all[1]).strokeColor, rgb(-0.15f, 0.2f, -0.3f)));
  EXPECT_EQ(drawCount(), 20u);
}

TEST_F(SketchTest, ShiftColourOfAnUnshiftedCopyFollowsThePreviousCopy) {
  openHost(kDocCMYKColor);
  sketchRecord();
  record.sketchRepeats = 3;
  record.sketchShift = 10;
  record.sketchColorMode = 7;
  setStroke(cmyk(0, 0, 0, 1));
  draws({0.1f, 0.0f, 0.1f, 0.0f,    // no shift, nothing remembered yet
         0.1f, 0.5f, 0.1f, 0.5f,    // shifted by (5, 5)
         0.1f, 0.0f, 0.1f, 0.0f});  // no shift again
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_TRUE(sameColour(style(all[1]).strokeColor, cmyk(0, 0, 0, 1)));
  EXPECT_TRUE(sameColour(style(all[2]).strokeColor, cmyk(0.5f, 0.5f, 0.5f, 1)));
  EXPECT_TRUE(sameColour(style(all[3]).strokeColor, cmyk(0.5f, 0.5f, 0.5f, 1)));
}

TEST_F(SketchTest, ColourModesSetStrokeAndOpacity) {
  struct Case {
    int32_t mode;
    std::vector<float> modeDraws;
    AIColor stroke;
    float opacity;
  };
  const AIColor original = rgb(0.5f, 0.25f, 1.0f);
  const std::vector<Case> cases = {
      {0, {}, rgb(0, 0, 0), 1},
      {1, {}, original, 1},
      {2, {0.2f, 0.4f, 0.6f}, rgb(0.2f, 0.4f, 0.6f), 1},
      {4, {}, rgb(0.4f, 0.2f, 0.8f), 1},
      {5, {0.6f}, rgb(0.4f, 0.2f, 0.8f), 1},
      {5, {0.4f}, original, 1},
      {6, {0.6f}, rgb(0, 0, 0), 1},
      {6, {0.4f, 0.2f, 0.4f, 0.6f}, rgb(0.2f, 0.4f, 0.6f), 1},
      {8, {0.3f}, rgb(0, 0, 0), 0.3f},
      {9, {0.3f, 0.2f, 0.4f, 0.6f}, rgb(0.2f, 0.4f, 0.6f), 0.3f},
      {10, {}, original, 0.8f},
      {11, {0.3f}, rgb(1, 1, 1), 0.3f},
      {12, {}, original, 1},
  };
  for (const Case& c : cases) {
    openHost(kDocRGBColor);
    sketchRecord();
    record.sketchColorMode = c.mode;
    setStroke(original);
    std::vector<float> sequence = {0.1f, 0.5f, 0.1f, 0.5f};  // no shift: sketchShift is 0
    sequence.insert(sequence.end(), c.modeDraws.begin(), c.modeDraws.end());
    draws(sequence);
    ASSERT_EQ(go(), kNoErr);
    std::vector<ArtId> all = paths();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_TRUE(sameColour(style(all[1]).strokeColor, c.stroke)) << "mode " << c.mode;
    EXPECT_FLOAT_EQ(opacity(all[1]), c.opacity) << "mode " << c.mode;
    EXPECT_TRUE(sameColour(style(all[0]).strokeColor, original)) << "mode " << c.mode;
    EXPECT_EQ(drawCount(), sequence.size()) << "mode " << c.mode;
  }
}

TEST_F(SketchTest, RandomSwatchModeTakesTheWholeSwatchColour) {
  const auto& swatches = document().swatches();
  const int n = static_cast<int>(swatches.size());
  record.sketchColorMode = 3;
  draws({0.1f, 0.5f, 0.1f, 0.5f, (3 - 0.5f) / n});
  ASSERT_EQ(go(), kNoErr);
  EXPECT_TRUE(sameColour(style(paths().at(1)).strokeColor, swatches[3].color));
}

TEST_F(SketchTest, BlackAndWhiteFollowTheStrokesKind) {
  struct Case {
    int16_t model;
    AIColor stroke;
    int32_t mode;
    AIColor expected;
  };
  const Case cases[] = {
      {kDocCMYKColor, cmyk(0.1f, 0.2f, 0.3f, 0.4f), 0, cmyk(1, 1, 1, 1)},
      {kDocCMYKColor, cmyk(0.1f, 0.2f, 0.3f, 0.4f), 11, cmyk(0, 0, 0, 0)},
      {kDocGrayColor, gray(0.4f), 0, gray(1)},
      {kDocGrayColor, gray(0.4f), 11, gray(0)},
      {kDocCMYKColor, cmyk(0.5f, 0.5f, 0.5f, 0.5f), 4, cmyk(0.4f, 0.4f, 0.4f, 0.4f)},
      {kDocGrayColor, gray(0.5f), 4, gray(0.4f)},
  };
  for (const Case& c : cases) {
    openHost(c.model);
    sketchRecord();
    record.sketchColorMode = c.mode;
    setStroke(c.stroke);
    ASSERT_EQ(go(), kNoErr);
    EXPECT_TRUE(sameColour(style(paths().at(1)).strokeColor, c.expected))
        << "model " << c.model << " mode " << c.mode;
  }
}

TEST_F(SketchTest, ReducingOpacityStartsEveryCopyFromTheHeart) {
  record.sketchRepeats = 3;
  record.sketchColorMode = 10;
  record.randomOpacity = 1;
  draws({0.5f});
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_FLOAT_EQ(opacity(all[0]), 0.5f);
  for (int k = 1; k < 4; ++k) EXPECT_FLOAT_EQ(opacity(all[k]), 0.4f) << k;
}

TEST_F(SketchTest, RandomWeightScalesTheSketchStroke) {
  record.randomSketchWeight = 1;
  record.sketchWeight = 40;
  draws({0.1f, 0.5f, 0.1f, 0.5f, 0.25f});
  ASSERT_EQ(go(), kNoErr);
  EXPECT_FLOAT_EQ(style(paths().at(1)).strokeWidth, 1.0f);
}

TEST_F(SketchTest, BasicPatternMirrorsEveryCopy) {
  record.sketchRepeats = 3;
  record.basicPattern = 1;
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 16u);
  int unfilled = 0;
  for (ArtId art : all) unfilled += style(art).fillPaint ? 0 : 1;
  EXPECT_EQ(unfilled, 12);
}

}  // namespace
}  // namespace heart::testing
