// Where hearts stand and how they are turned, sized, moved and mirrored.
#include <cmath>

#include "generator_fixture.h"

namespace heart::testing {
namespace {

class PlacementTest : public GeneratorTest {
 protected:
  // The tip of the only heart after a run in the mode with the draws.
  AIRealPoint tipFor(int32_t mode, std::vector<float> values) {
    openHost(kDocRGBColor);
    record.placementMode = mode;
    if (!values.empty()) draws(values);
    EXPECT_EQ(go(), kNoErr);
    return segments(onlyPath()).at(0).p;
  }
};

TEST_F(PlacementTest, EveryModePutsTheTipWhereItSays) {
  const float w = page().h;
  const float h = page().v;
  const AIRealPoint user{record.centerX, record.centerY};
  EXPECT_TRUE(near(tipFor(0, {}), user));
  EXPECT_TRUE(near(tipFor(1, {}), AIRealPoint{w / 2, h / 2}));
  EXPECT_TRUE(near(tipFor(2, {0.25f, 0.75f}), AIRealPoint{w / 4, 3 * h / 4}));
  EXPECT_TRUE(near(tipFor(3, {}), AIRealPoint{0, 0}));
  EXPECT_TRUE(near(tipFor(4, {0.25f}), AIRealPoint{w / 4, user.v}));
  EXPECT_TRUE(near(tipFor(5, {0.25f}), AIRealPoint{user.h, h / 4}));
}

TEST_F(PlacementTest, AnyCornerSplitsTheDrawIntoFourQuarters) {
  const float w = page().h;
  const float h = page().v;
  EXPECT_TRUE(near(tipFor(6, {0.0f}), AIRealPoint{0, 0}));
  EXPECT_TRUE(near(tipFor(6, {0.24f}), AIRealPoint{0, 0}));
  EXPECT_TRUE(near(tipFor(6, {0.25f}), AIRealPoint{w, 0}));
  EXPECT_TRUE(near(tipFor(6, {0.5f}), AIRealPoint{0, h}));
  EXPECT_TRUE(near(tipFor(6, {0.75f}), AIRealPoint{w, h}));
  EXPECT_TRUE(near(tipFor(6, {0.99f}), AIRealPoint{w, h}));
}

TEST_F(PlacementTest, FrameModeChoosesAnEdgeThenAPlaceAlongIt) {
  const float w = page().h;
  const float h = page().v;
  // Edge pair, edge, position along it.
  EXPECT_TRUE(near(tipFor(7, {0.5f, 0.5f, 0.25f}), AIRealPoint{w / 4, h}));    // top
  EXPECT_TRUE(near(tipFor(7, {0.5f, 0.51f, 0.25f}), AIRealPoint{w / 4, 0}));   // bottom
  EXPECT_TRUE(near(tipFor(7, {0.51f, 0.5f, 0.25f}), AIRealPoint{w, h / 4}));   // right
  EXPECT_TRUE(near(tipFor(7, {0.51f, 0.51f, 0.25f}), AIRealPoint{0, h / 4}));  // left
}

TEST_F(PlacementTest, CornerAndFrameModesKeepEveryHeartOnTheBorder) {
  const float w = page().h;
  const float h = page().v;
  for (int32_t mode : {6, 7}) {
    openHost(kDocRGBColor);
    record.placementMode = mode;
    record.heartCount = 60;
    host_->random().seed(7);
    ASSERT_EQ(go(), kNoErr);
    std::vector<ArtId> hearts = paths();
    ASSERT_EQ(hearts.size(), 60u);
    for (ArtId heart : hearts) {
      AIRealPoint t = segments(heart)[0].p;
      bool onVertical = std::fabs(t.h) < 1e-3f || std::fabs(t.h - w) < 1e-3f;
      bool onHorizontal = std::fabs(t.v) < 1e-3f || std::fabs(t.v - h) < 1e-3f;
      if (mode == 6) {
        EXPECT_TRUE(onVertical && onHorizontal) << t.h << ", " << t.v;
      } else {
        EXPECT_TRUE(onVertical || onHorizontal) << t.h << ", " << t.v;
      }
    }
  }
}

TEST_F(PlacementTest, UnknownModeKeepsThePreviousBasePoint) {
  record.placementMode = 2;
  draws({0.25f, 0.75f});
  ASSERT_EQ(go(), kNoErr);
  EXPECT_TRUE(near(tipFor(12, {}), AIRealPoint{record.centerX, record.centerY}));
  EXPECT_TRUE(near(tipFor(-1, {}), AIRealPoint{record.centerX, record.centerY}));
}

class TransformTest : public GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    ASSERT_EQ(go(), kNoErr);
    ArtId path = onlyPath();
    plain_ = segments(path);
    middle_ = centre(path);
    openHost(kDocRGBColor);
  }
  // Expect every anchor and handle at the plain heart's, mapped by f.
  template <typename Map>
  void expectMapped(ArtId path, Map f) {
    std::vector<AIPathSegment> s = segments(path);
    ASSERT_EQ(s.size(), plain_.size());
    for (size_t k = 0; k < s.size(); ++k) {
      EXPECT_TRUE(near(s[k].p, f(plain_[k].p))) << "anchor " << k;
      EXPECT_TRUE(near(s[k].in, f(plain_[k].in))) << "in " << k;
      EXPECT_TRUE(near(s[k].out, f(plain_[k].out))) << "out " << k;
    }
  }
  // Rotation by `radians` counter-clockwise about c.
  static AIRealPoint turned(AIRealPoint p, AIRealPoint c, float radians) {
    float dx = p.h - c.h, dy = p.v - c.v;
    return AIRealPoint{c.h + dx * std::cos(radians) - dy * std::sin(radians),
                       c.v + dx * std::sin(radians) + dy * std::cos(radians)};
  }
  static AIRealPoint scaled(AIRealPoint p, AIRealPoint c, float sx, float sy) {
    return AIRealPoint{c.h + (p.h - c.h) * sx, c.v + (p.v - c.v) * sy};
  }
  std::vector<AIPathSegment> plain_;
  AIRealPoint middle_{};
};

TEST_F(TransformTest, ScaleActsAboutTheBoundsCentreAndKeepsTheStrokeWidth) {
  record.scaleHorizontal = 200;
  ASSERT_EQ(go(), kNoErr);
  ArtId path = onlyPath();
  expectMapped(path, [&](AIRealPoint p) { return scaled(p, middle_, 2, 1); });
  EXPECT_TRUE(near(centre(path), middle_));
  EXPECT_FLOAT_EQ(style(path).strokeWidth, newPathPaint().strokeWidth);

  openHost(kDocRGBColor);
  record.scaleVertical = -100;  // upside down
  ASSERT_EQ(go(), kNoErr);
  expectMapped(onlyPath(), [&](AIRealPoint p) { return scaled(p, middle_, 1, -1); });
}

TEST_F(TransformTest, RotationComesBeforeUnequalScaling) {
  record.heartAngle = 90;
  record.scaleHorizontal = 50;
  ASSERT_EQ(go(), kNoErr);
  const float quarter = 1.5707964f;
  expectMapped(onlyPath(), [&](AIRealPoint p) {
    return scaled(turned(p, middle_, quarter), middle_, 0.5f, 1);
  });
}

TEST_F(TransformTest, RandomAngleTurnsUpToTenRadiansAboutTheCentre) {
  record.randomAngle = 1;
  draws({0.1f});
  ASSERT_EQ(go(), kNoErr);
  expectMapped(onlyPath(), [&](AIRealPoint p) { return turned(p, middle_, 1.0f); });
}

TEST_F(TransformTest, RandomScalingUsesTheDrawPlusOneHundredth) {
  record.randomScaling = 1;
  draws({0.49f});
  ASSERT_EQ(go(), kNoErr);
  expectMapped(onlyPath(), [&](AIRealPoint p) { return scaled(p, middle_, 0.5f, 0.5f); });
}

TEST_F(TransformTest, JitterScalingGrowsOrShrinksByUpToATenth) {
  for (auto [sign, factor] : {std::pair{0.5f, 1.05f}, std::pair{0.51f, 0.95f}}) {
    openHost(kDocRGBColor);
    record.jitterScaling = 1;
    draws({0.5f, sign});
    ASSERT_EQ(go(), kNoErr);
    expectMapped(onlyPath(), [&](AIRealPoint p) { return scaled(p, middle_, factor, factor); });
  }
}

// Each heart's warp takes five draws in order: the style, then a coin and r
// for the bend, for the horizontal and for the vertical distortion, then the
// orientation. Two hearts show that the second takes the next five.
TEST_F(TransformTest, RandomWarpTakesStyleBendDistortionsAndOrientationInOrder) {
  record.randomWarp = 1;
  record.heartCount = 3;
  draws({0.5f,  0.7f, 0.3f,  0.2f,  0.6f,  0.9f,  0.15f, 0.8f,    // style 9, -0.3, 0.6, -0.15, on
         0.05f, 0.4f, 0.25f, 0.55f, 0.35f, 0.45f, 0.65f, 0.3f,    // style 0 -> 1, off
         0.9f,  0.5f, 0.1f,  0.51f, 0.2f,  0.05f, 0.95f, 0.5f});  // style 16 -> 1, off
  ASSERT_EQ(go(), kNoErr);
  const std::vector<ArtId> hearts = paths();
  ASSERT_EQ(hearts.size(), 3u);
  const heart::EnvelopeWarp expected[] = {{9, -0.3f, 0.6f, -0.15f, true},
                                          {1, 0.25f, -0.35f, 0.65f, false},
                                          {1, 0.1f, -0.2f, 0.95f, false}};
  for (size_t i = 0; i < hearts.size(); ++i) {
    SCOPED_TRACE(i);
    const ArtId envelope = document().tree().node(hearts[i]).parent;
    ASSERT_NE(envelope, heart::kNoArt);
    ASSERT_EQ(document().tree().node(envelope).type, kEnvelopeArt);
    const heart::EnvelopeWarp& warp = document().tree().node(envelope).content.warp;
    EXPECT_EQ(warp.style, expected[i].style);
    EXPECT_FLOAT_EQ(warp.bend, expected[i].bend);
    EXPECT_FLOAT_EQ(warp.horizontalDistortion, expected[i].horizontalDistortion);
    EXPECT_FLOAT_EQ(warp.verticalDistortion, expected[i].verticalDistortion);
    EXPECT_EQ(warp.vertical, expected[i].vertical);
  }
}

TEST_F(TransformTest, JitterCenterMovesByUpToFiftyPointsEachWay) {
  record.jitterCenter = 1;
  // coin, r, coin, r
  draws({0.9f, 0.5f, 0.1f, 0.2f});
  ASSERT_EQ(go(), kNoErr);
  expectMapped(onlyPath(), [](AIRealPoint p) { return p + AIRealPoint{-25, 10}; });
}

TEST_F(TransformTest, RandomTransformsApplyInOrderEachAboutItsOwnCentre) {
  // The turned heart's bounds centre, which the scale that follows uses.
  record.randomAngle = 1;
  draws({0.1f});
  ASSERT_EQ(go(), kNoErr);
  const AIRealPoint turnedCentre = centre(onlyPath());

  openHost(kDocRGBColor);
  record.randomAngle = 1;
  record.randomScaling = 1;
  record.jitterCenter = 1;
  draws({0.1f, 0.49f, 0.1f, 0.5f, 0.9f, 0.5f});
  ASSERT_EQ(go(), kNoErr);
  expectMapped(onlyPath(), [&](AIRealPoint p) {
    return scaled(turned(p, middle_, 1.0f), turnedCentre, 0.5f, 0.5f) + AIRealPoint{25, -25};
  });
  EXPECT_EQ(drawCount(), 6u) << "one draw for the angle, one for the scale, four for the move";
}

class MirrorTest : public GeneratorTest {};

TEST_F(MirrorTest, BasicPatternReflectsTheHeartIntoTheOtherThreeQuarters) {
  const float w = page().h;
  const float h = page().v;
  // Find where the default heart's centre lies relative to its tip, then put
  // the centre at (W/4, H/4).
  ASSERT_EQ(go(), kNoErr);
  AIRealPoint offset = centre(onlyPath()) - AIRealPoint{record.centerX, record.centerY};
  openHost(kDocRGBColor);
  record.centerX = w / 4 - offset.h;
  record.centerY = h / 4 - offset.v;
  record.basicPattern = 1;
  ASSERT_EQ(go(), kNoErr);

  std::vector<ArtId> pieces = paths();
  ASSERT_EQ(pieces.size(), 4u);
  ArtId heart = pieces[0];
  EXPECT_TRUE(near(centre(heart), AIRealPoint{w / 4, h / 4}));
  const AIRealPoint expectedCentres[3] = {
      {3 * w / 4, h / 4}, {3 * w / 4, 3 * h / 4}, {w / 4, 3 * h / 4}};
  const bool flipX[3] = {true, true, false};
  const bool flipY[3] = {false, true, true};
  std::vector<AIPathSegment> original = segments(heart);
  for (int k = 0; k < 3; ++k) {
    ArtId copy = pieces[k + 1];
    EXPECT_TRUE(near(centre(copy), expectedCentres[k])) << "copy " << k + 1;
    auto reflect = [&](AIRealPoint p) {
      return AIRealPoint{flipX[k] ? w - p.h : p.h, flipY[k] ? h - p.v : p.v};
    };
    std::vector<AIPathSegment> s = segments(copy);
    ASSERT_EQ(s.size(), original.size());
    for (size_t i = 0; i < s.size(); ++i) {
      EXPECT_TRUE(near(s[i].p, reflect(original[i].p))) << "copy " << k + 1 << " anchor " << i;
      EXPECT_TRUE(near(s[i].in, reflect(original[i].in))) << "copy " << k + 1 << " in " << i;
    }
  }
}

}  // namespace
}  // namespace heart::testing
