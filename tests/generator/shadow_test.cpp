// The drop shadow: its fill by colour model, offset, random direction,
// opacity and squash, and its mirror copies.
#include "generator_fixture.h"

namespace heart::testing {
namespace {

class ShadowTest : public GeneratorTest {
 protected:
  // Runs one heart with a shadow; answers {shadow, heart}.
  std::pair<ArtId, ArtId> shadowAndHeart() {
    record.dropShadow = 1;
    EXPECT_EQ(go(), kNoErr);
    std::vector<ArtId> all = paths();
    EXPECT_EQ(all.size(), 2u);
    if (all.size() != 2) return {heart::kNoArt, heart::kNoArt};
    return {all[0], all[1]};
  }
  void expectOffset(ArtId shadow, ArtId heart, AIRealPoint by) {
    std::vector<AIPathSegment> s = segments(shadow);
    std::vector<AIPathSegment> h = segments(heart);
    ASSERT_EQ(s.size(), h.size());
    for (size_t k = 0; k < s.size(); ++k) {
      EXPECT_TRUE(near(s[k].p, h[k].p + by)) << k;
      EXPECT_TRUE(near(s[k].out, h[k].out + by)) << k;
    }
  }
};

TEST_F(ShadowTest, BlackCopyBelowTheHeartTwentyPointsRightAndDown) {
  auto [shadow, heart] = shadowAndHeart();
  expectOffset(shadow, heart, AIRealPoint{20, -20});
  AIPathStyle s = style(shadow);
  AIPathStyle h = style(heart);
  EXPECT_TRUE(sameColour(s.fillColor, rgb(0, 0, 0)));
  EXPECT_TRUE(sameColour(h.fillColor, newPathPaint().fillColor));
  // Only the fill changes.
  EXPECT_EQ(s.fillPaint, h.fillPaint);
  EXPECT_TRUE(sameColour(s.strokeColor, h.strokeColor));
  EXPECT_FLOAT_EQ(s.strokeWidth, h.strokeWidth);
  EXPECT_FLOAT_EQ(opacity(shadow), 1.0f);
}

TEST_F(ShadowTest, ShadowIsBlackInEveryColourModel) {
  openHost(kDocCMYKColor);
  EXPECT_TRUE(sameColour(style(shadowAndHeart().first).fillColor, cmyk(1, 1, 1, 1)));

  // Gray ink 1 is black. A gray 0 shadow would be white, unlike the others.
  openHost(kDocGrayColor);
  auto [shadow, heart] = shadowAndHeart();
  EXPECT_TRUE(sameColour(style(shadow).fillColor, gray(1)));
  EXPECT_TRUE(sameColour(style(heart).fillColor, gray(0)));
}

TEST_F(ShadowTest, HalfFillHalvesTheHeartsFillInTheModelsKind) {
  struct Case {
    int16_t model;
    AIColor fill;
    AIColor expected;
  };
  const Case cases[] = {
      {kDocCMYKColor, cmyk(0.2f, 0.4f, 0.6f, 0.8f), cmyk(0.1f, 0.2f, 0.3f, 0.4f)},
      {kDocRGBColor, rgb(0.2f, 0.4f, 0.6f), rgb(0.1f, 0.2f, 0.3f)},
      {kDocGrayColor, gray(0.6f), gray(0.3f)},
      // A process fill in an RGB document: the kind follows the model.
      {kDocRGBColor, cmyk(0.2f, 0.4f, 0.6f, 0.8f), rgb(0.1f, 0.2f, 0.3f)},
  };
  for (const Case& c : cases) {
    openHost(c.model);
    record.halfFillShadow = 1;
    AIPathStyle paint = newPathPaint();
    paint.fillColor = c.fill;
    setNewPathPaint(paint);
    auto [shadow, heart] = shadowAndHeart();
    EXPECT_TRUE(sameColour(style(shadow).fillColor, c.expected)) << "model " << c.model;
    EXPECT_TRUE(sameColour(style(heart).fillColor, c.fill)) << "model " << c.model;
  }
}

TEST_F(ShadowTest, RandomDirectionDrawsACoinAndASizePerAxis) {
  record.randomShadowDirection = 1;
  draws({0.9f, 0.5f, 0.1f, 0.25f});
  auto [shadow, heart] = shadowAndHeart();
  expectOffset(shadow, heart, AIRealPoint{-10, -5});
}

TEST_F(ShadowTest, RandomOpacityFadesOnlyTheShadow) {
  record.randomShadowOpacity = 1;
  draws({0.4f});
  auto [shadow, heart] = shadowAndHeart();
  EXPECT_FLOAT_EQ(opacity(shadow), 0.4f);
  EXPECT_FLOAT_EQ(opacity(heart), 1.0f);
}

TEST_F(ShadowTest, RandomScalingSquashesTheShadowOntoItsBottomEdge) {
  record.randomShadowScaling = 1;
  draws({0.5f});
  auto [shadow, heart] = shadowAndHeart();
  AIRealRect s = bounds(shadow);
  AIRealRect h = bounds(heart);
  EXPECT_NEAR(s.bottom, h.bottom - 20, kTolerance);
  EXPECT_NEAR(s.top - s.bottom, (h.top - h.bottom) * 0.5f, kTolerance);
  EXPECT_NEAR(s.left, h.left + 20, kTolerance);
  EXPECT_NEAR(s.right, h.right + 20, kTolerance);
}

TEST_F(ShadowTest, BasicPatternGivesEightPiecesWithTheShadowsCopiesFirst) {
  record.basicPattern = 1;
  record.dropShadow = 1;
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 8u);
  // Bottom to top: shadow, heart, the shadow's three copies, the heart's three.
  const bool black[8] = {true, false, true, true, true, false, false, false};
  for (int k = 0; k < 8; ++k) {
    bool isBlack = sameColour(style(all[k]).fillColor, rgb(0, 0, 0));
    EXPECT_EQ(isBlack, black[k]) << "piece " << k;
  }
  // The shadow's copy across the vertical centre line mirrors the shadow.
  const float w = page().h;
  std::vector<AIPathSegment> shadow = segments(all[0]);
  std::vector<AIPathSegment> copy = segments(all[2]);
  for (size_t k = 0; k < shadow.size(); ++k)
    EXPECT_TRUE(near(copy[k].p, AIRealPoint{w - shadow[k].p.h, shadow[k].p.v})) << k;
}

}  // namespace
}  // namespace heart::testing
