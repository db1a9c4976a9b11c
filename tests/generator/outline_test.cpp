// The heart's outline: anchors, handles, interpolation, symmetry, slant,
// the random choice of anchors and the anchor switches.
#include <cmath>

#include "generator_fixture.h"

namespace heart::testing {
namespace {

constexpr float kLobeHandle = 42.4264f;  // 60 points at 45 degrees

class OutlineTest : public GeneratorTest {
 protected:
  AIRealPoint tip() { return AIRealPoint{record.centerX, record.centerY}; }
};

TEST_F(OutlineTest, DefaultHeartHasTheReferenceAnchorsAndHandles) {
  ASSERT_EQ(go(), kNoErr);
  ArtId path = onlyPath();
  EXPECT_TRUE(closed(path));
  std::vector<AIPathSegment> s = segments(path);
  ASSERT_EQ(s.size(), 4u);
  const AIRealPoint x = tip();

  EXPECT_TRUE(near(s[0].p, x));
  EXPECT_TRUE(near(s[1].p, x + AIRealPoint{70, 140}));
  EXPECT_TRUE(near(s[2].p, x + AIRealPoint{0, 100}));
  EXPECT_TRUE(near(s[3].p, x + AIRealPoint{-70, 140}));

  // Tip and notch are sharp: their handles lie on the anchors.
  for (int k : {0, 2}) {
    EXPECT_TRUE(near(s[k].in, s[k].p)) << k;
    EXPECT_TRUE(near(s[k].out, s[k].p)) << k;
  }
  // Right lobe: in handle right and below, out handle left and above.
  EXPECT_TRUE(near(s[1].in, s[1].p + AIRealPoint{kLobeHandle, -kLobeHandle}));
  EXPECT_TRUE(near(s[1].out, s[1].p + AIRealPoint{-kLobeHandle, kLobeHandle}));
  // The left lobe mirrors it.
  EXPECT_TRUE(near(s[3].in, s[3].p + AIRealPoint{kLobeHandle, kLobeHandle}));
  EXPECT_TRUE(near(s[3].out, s[3].p + AIRealPoint{-kLobeHandle, -kLobeHandle}));
  for (const AIPathSegment& segment : s) EXPECT_FALSE(segment.corner);
}

TEST_F(OutlineTest, InterpolationMovesAnchorsAlongTheLineToTheTipAndKeepsHandles) {
  ASSERT_EQ(go(), kNoErr);
  std::vector<AIPathSegment> reference = segments(onlyPath());

  struct Case {
    float percent;
    float along;  // where each anchor ends, as a multiple of its distance from the tip
  };
  for (Case c : {Case{100, 0.0f}, Case{-50, 1.5f}, Case{25, 0.75f}}) {
    openHost(kDocRGBColor);
    record.interpolatePoints = c.percent;
    ASSERT_EQ(go(), kNoErr);
    std::vector<AIPathSegment> s = segments(onlyPath());
    ASSERT_EQ(s.size(), 4u);
    for (int k = 0; k < 4; ++k) {
      AIRealPoint fromTip = reference[k].p - tip();
      AIRealPoint expected = tip() + AIRealPoint{fromTip.h * c.along, fromTip.v * c.along};
      EXPECT_TRUE(near(s[k].p, expected)) << c.percent << "% anchor " << k;
      EXPECT_TRUE(near(s[k].in, reference[k].in)) << c.percent << "% anchor " << k;
      EXPECT_TRUE(near(s[k].out, reference[k].out)) << c.percent << "% anchor " << k;
    }
  }
}

// A point reflected in the vertical line through the tip.
AIRealPoint mirrored(AIRealPoint p, float axis) { return AIRealPoint{2 * axis - p.h, p.v}; }

TEST_F(OutlineTest, SymmetricHeartStandsUprightAndMirrorsTheLeftSide) {
  record.symmetric = 1;
  record.slant = 30;
  // An unbalanced right side, which the override must replace.
  record.curveDistanceRight = 15;
  record.curveHeightRight = -10;
  record.curveLengthRight1 = 5;
  record.curveLengthRight2 = 90;
  record.curveAngleRight = 10;
  record.curveLengthLeft1 = 50;
  record.curveLengthLeft2 = 30;
  record.curveAngleLeft = 120;
  for (int k = 0; k < 16; ++k) record.shapeTweaks[k] = static_cast<float>(k + 1);
  record.anchorFlag2 = 0;         // switches are forced on
  record.randomCreatePoints = 1;  // and every anchor is built

  ASSERT_EQ(go(), kNoErr);
  std::vector<AIPathSegment> s = segments(onlyPath());
  ASSERT_EQ(s.size(), 4u);
  const float axis = tip().h;
  EXPECT_TRUE(near(s[0].p, tip()));
  EXPECT_TRUE(near(s[2].p, tip() + AIRealPoint{0, 100}));  // slant ignored
  EXPECT_TRUE(near(s[1].p, mirrored(s[3].p, axis)));
  EXPECT_TRUE(near(s[1].in, mirrored(s[3].out, axis)));
  EXPECT_TRUE(near(s[1].out, mirrored(s[3].in, axis)));
  for (int k : {0, 2}) EXPECT_TRUE(near(s[k].out, mirrored(s[k].in, axis))) << k;
  // The lobe rows follow the right lobe's offsets (o8 to o11).
  // Right out handle: length L2 = 30 at 180 - 120 degrees, plus (o8, o9).
  EXPECT_TRUE(near(s[1].out - s[1].p,
                   AIRealPoint{30 * std::cos(2.0943951f) + 9, 30 * std::sin(2.0943951f) + 10}));
}

TEST_F(OutlineTest, SlantTurnsTheNotchAboutTheTip) {
  record.slant = 45;
  ASSERT_EQ(go(), kNoErr);
  const AIRealPoint d{70.7107f, 70.7107f};  // 100 points at 45 degrees
  EXPECT_TRUE(near(segments(onlyPath())[2].p, tip() + d));

  // 90 degrees and 0 degrees both stand the notch straight above the tip.
  for (float slant : {90.0f, 0.0f}) {
    openHost(kDocRGBColor);
    record.slant = slant;
    ASSERT_EQ(go(), kNoErr);
    EXPECT_TRUE(near(segments(onlyPath())[2].p, tip() + AIRealPoint{0, 100})) << slant;
  }
}

TEST_F(OutlineTest, NegativeHeightPutsTheNotchBelowTheTip) {
  record.heartHeight = -100;
  ASSERT_EQ(go(), kNoErr);
  std::vector<AIPathSegment> s = segments(onlyPath());
  EXPECT_TRUE(near(s[2].p, tip() + AIRealPoint{0, -100}));
  EXPECT_TRUE(near(s[1].p, tip() + AIRealPoint{70, -60}));
}

TEST_F(OutlineTest, RandomCreatePointsBuildsTheDrawnAnchorsInPathOrder) {
  ASSERT_EQ(go(), kNoErr);
  std::vector<AIPathSegment> all = segments(onlyPath());

  for (int mask = 0; mask < 16; ++mask) {
    openHost(kDocRGBColor);
    record.randomCreatePoints = 1;
    std::vector<float> choice;
    // 0.5 is still built: ten times the draw must be at most 5.
    for (int k = 0; k < 4; ++k) choice.push_back(mask & (1 << k) ? 0.5f : 0.51f);
    draws(choice);
    ASSERT_EQ(go(), kNoErr);
    ArtId path = onlyPath();
    EXPECT_TRUE(closed(path)) << mask;
    std::vector<AIPathSegment> built = segments(path);
    size_t next = 0;
    for (int k = 0; k < 4; ++k) {
      if (!(mask & (1 << k))) continue;
      ASSERT_LT(next, built.size()) << mask;
      EXPECT_TRUE(near(built[next].p, all[k].p)) << "mask " << mask << " anchor " << k;
      ++next;
    }
    EXPECT_EQ(built.size(), next) << mask;
  }
}

TEST_F(OutlineTest, AnchorSwitchMovesItsPositionToTheBoundsCentreAndKeepsHandles) {
  ASSERT_EQ(go(), kNoErr);
  ArtId reference = onlyPath();
  std::vector<AIPathSegment> all = segments(reference);
  AIRealPoint middle = centre(reference);

  openHost(kDocRGBColor);
  record.anchorFlag2 = 0;
  ASSERT_EQ(go(), kNoErr);
  std::vector<AIPathSegment> s = segments(onlyPath());
  ASSERT_EQ(s.size(), 4u);
  EXPECT_TRUE(near(s[1].p, middle));
  EXPECT_TRUE(near(s[1].in, all[1].in));
  EXPECT_TRUE(near(s[1].out, all[1].out));
  for (int k : {0, 2, 3}) EXPECT_TRUE(near(s[k].p, all[k].p)) << k;
}

TEST_F(OutlineTest, AnchorSwitchesActOnPathPositionsNotOnAnchors) {
  // Tip skipped: the right lobe lands at position 1, which switch 1 moves.
  record.randomCreatePoints = 1;
  record.anchorFlag1 = 0;
  draws({0.9f, 0.1f, 0.1f, 0.1f});
  ASSERT_EQ(go(), kNoErr);
  ArtId path = onlyPath();
  std::vector<AIPathSegment> s = segments(path);
  ASSERT_EQ(s.size(), 3u);

  openHost(kDocRGBColor);
  record.randomCreatePoints = 1;
  draws({0.9f, 0.1f, 0.1f, 0.1f});
  ASSERT_EQ(go(), kNoErr);
  ArtId unswitched = onlyPath();
  std::vector<AIPathSegment> unmoved = segments(unswitched);
  EXPECT_TRUE(near(s[0].p, centre(unswitched)));
  EXPECT_TRUE(near(s[0].in, unmoved[0].in));
  EXPECT_TRUE(near(s[1].p, unmoved[1].p));
}

TEST_F(OutlineTest, RandomHeartScalesHeightLobesAndSlantFromTheRecordEachHeart) {
  record.randomHeart = 1;
  record.slant = 60;
  record.heartCount = 2;
  // Six draws per heart: height, left and right height, left and right
  // distance, slant. The second heart gets other draws and must not compound.
  draws({0.5f, 0.25f, 0.75f, 0.5f, 1.0f - 1e-7f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> hearts = paths();
  ASSERT_EQ(hearts.size(), 2u);
  for (ArtId heart : hearts) {
    std::vector<AIPathSegment> s = segments(heart);
    // Height 50 at 90 - 30 = 60 degrees.
    EXPECT_TRUE(near(s[2].p, tip() + AIRealPoint{25.0f, 43.3013f}));
  }
  std::vector<AIPathSegment> first = segments(hearts[0]);
  EXPECT_TRUE(near(first[3].p - first[2].p, AIRealPoint{-35, 10}));
  EXPECT_TRUE(near(first[1].p - first[2].p, AIRealPoint{70, 30}, 1e-2f));
  std::vector<AIPathSegment> second = segments(hearts[1]);
  EXPECT_TRUE(near(second[1].p - second[2].p, AIRealPoint{35, 20}));
}

TEST_F(OutlineTest, RandomCurveScalesLengthsAndAngles) {
  record.randomCurve = 1;
  // L1, L2, R1, R2, then the two angles.
  draws({0.5f, 0.25f, 1.0f - 1e-7f, 0.5f, 0.5f, 0.5f});
  ASSERT_EQ(go(), kNoErr);
  std::vector<AIPathSegment> s = segments(onlyPath());
  const float left = 67.5f * 3.14159265f / 180;
  const float right = 22.5f * 3.14159265f / 180;
  EXPECT_TRUE(near(s[3].out - s[3].p, AIRealPoint{30 * std::cos(left), -30 * std::sin(left)}));
  EXPECT_TRUE(near(s[3].in - s[3].p, AIRealPoint{-15 * std::cos(left), 15 * std::sin(left)}));
  EXPECT_TRUE(near(s[1].out - s[1].p, AIRealPoint{-60 * std::cos(right), 60 * std::sin(right)}));
  EXPECT_TRUE(near(s[1].in - s[1].p, AIRealPoint{30 * std::cos(right), -30 * std::sin(right)}));
}

TEST_F(OutlineTest, RandomDirectionPointsCompoundFromHeartToHeart) {
  record.randomDirectionPoints = 1;
  record.heartCount = 3;
  for (float& offset : record.shapeTweaks) offset = 8;
  draws({0.5f});
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> hearts = paths();
  ASSERT_EQ(hearts.size(), 3u);
  float expected = 8;
  for (ArtId heart : hearts) {
    expected *= 0.5f;
    std::vector<AIPathSegment> s = segments(heart);
    EXPECT_TRUE(near(s[0].in - s[0].p, AIRealPoint{expected, expected}));
    EXPECT_TRUE(near(s[2].out - s[2].p, AIRealPoint{expected, expected}));
  }
}

}  // namespace
}  // namespace heart::testing
