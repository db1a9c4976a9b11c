// "Tumble", "Tweak", "Jitter" and "Boost": the shape values they change and
// the order of their random draws.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "dialog_session.h"
#include "document/random_source.h"

namespace heart::testing {
namespace {

// What a tumble may change; every other field must keep its value.
const std::set<std::string> kTumbled = fieldNames(
    "placementMode heartHeight curveHeightLeft curveHeightRight curveDistanceLeft "
    "curveDistanceRight curveLengthLeft1 curveLengthLeft2 curveLengthRight1 curveLengthRight2 "
    "curveAngleLeft curveAngleRight slant scaleHorizontal scaleVertical heartAngle heartCount "
    "interpolatePoints anchorFlag1 anchorFlag2 anchorFlag3 anchorFlag4 randomDirectionPoints "
    "randomHeart randomCurve randomAngle randomCreatePoints randomScaling shapeTweaks[0] "
    "shapeTweaks[4] finalRun previewDrawn");
// What "Tweak", "Jitter" and "Boost" may change.
const std::set<std::string> kAdjusted = fieldNames(
    "heartHeight curveDistanceLeft curveDistanceRight curveHeightLeft curveHeightRight "
    "curveLengthLeft1 curveLengthLeft2 curveLengthRight1 curveLengthRight2 curveAngleLeft "
    "curveAngleRight finalRun previewDrawn");

// A record whose colour, sketch and switch settings a shape change must keep.
ParameterRecord busyRecord(const DialogSession& session) {
  ParameterRecord record = session.defaults();
  record.randomFill = record.jitterStroke = record.dropShadow = record.newLayer = 1;
  record.sketchRepeats = 2;
  record.sketchColorMode = 4;
  record.settingsPreset = 9;
  record.heartPreset = 3;
  record.heartAngle = 90;  // set by hand: a tumble puts it back to 0
  record.shapeTweaks[4] = 30;
  return record;
}

Moment tumbleWith(std::vector<float> draws, ParameterRecord* before) {
  DialogSession session;
  *before = busyRecord(session);
  session.store(*before);
  // From the press on: the opening's preview draws from the seeded source.
  session.then([&] { session.host().random().useSequence(draws); });
  session.press(61);
  const Moment& tumbled = session.capture();
  session.runDialog();
  return tumbled;
}

TEST(Tumble, WithDrawsOfZeroEveryTestFails) {
  ParameterRecord before;
  const Moment tumbled = tumbleWith({0.0f}, &before);
  ParameterRecord expected = before;
  expected.heartHeight = expected.curveHeightLeft = expected.curveHeightRight = 0;
  expected.curveDistanceLeft = expected.curveDistanceRight = 0;
  expected.heartAngle = expected.shapeTweaks[4] = 0;
  expected.previewDrawn = 1;
  EXPECT_EQ(differences(tumbled.record, expected), "");
  EXPECT_EQ(tumbled.state.item(6)->value, 0);
}

TEST(Tumble, WithDrawsOfNinetyNineEveryTestPasses) {
  ParameterRecord before;
  const Moment tumbled = tumbleWith({0.99f}, &before);
  const ParameterRecord& after = tumbled.record;
  EXPECT_NEAR(after.heartHeight, 356.4, 1e-3);
  EXPECT_NEAR(after.curveHeightLeft, 198, 1e-3);
  EXPECT_NEAR(after.curveDistanceLeft, -297, 1e-3);
  EXPECT_NEAR(after.heartAngle, 356.4, 1e-3);
  EXPECT_EQ(after.placementMode, 7);
  EXPECT_EQ(after.heartCount, 10);
  for (float length : {after.curveLengthLeft1, after.curveLengthLeft2, after.curveLengthRight1,
                       after.curveLengthRight2})
    EXPECT_FLOAT_EQ(length, 60);
  EXPECT_FLOAT_EQ(after.scaleHorizontal, 100);
  EXPECT_FLOAT_EQ(after.slant, 0);
  EXPECT_EQ(after.anchorFlag1 + after.anchorFlag2 + after.anchorFlag3 + after.anchorFlag4, 0);
  EXPECT_EQ(after.randomDirectionPoints + after.randomHeart + after.randomCurve +
                after.randomAngle + after.randomCreatePoints + after.randomScaling,
            6);
  EXPECT_EQ(differences(after, before, kTumbled), "");
  EXPECT_EQ(tumbled.state.item(10)->selectedEntry, 7);
  EXPECT_FALSE(tumbled.state.item(4)->enabled);  // placement 7 uses no centre
}

TEST(Tumble, DrawsInTheirFixedOrder) {
  // The height test passes (0.8) with its two draws, the placement test
  // fails (0.1), then the four always-drawn values; every later test fails.
  ParameterRecord before;
  std::vector<float> draws = {0.5f, 0.8f, 0.25f, 0.5f, 0.1f, 0.1f, 0.2f, 0.3f, 0.4f};
  draws.resize(40, 0.0f);
  const Moment tumbled = tumbleWith(draws, &before);
  EXPECT_FLOAT_EQ(tumbled.record.heartHeight, 400 * 0.25f - 40 * 0.5f);
  EXPECT_EQ(tumbled.record.placementMode, 0);
  EXPECT_FLOAT_EQ(tumbled.record.curveHeightLeft, 20);
  EXPECT_FLOAT_EQ(tumbled.record.curveHeightRight, 40);
  EXPECT_FLOAT_EQ(tumbled.record.curveDistanceLeft, -90);
  EXPECT_FLOAT_EQ(tumbled.record.curveDistanceRight, 120);
}

TEST(Tumble, DrawsJustAboveOrBelowTheThresholds) {
  // Constant draws between the thresholds 87, 90 and 95: a test passes when
  // 100 * r is above its threshold.
  const struct {
    float r;
    bool angle, count, switches, placement;
  } cases[] = {{0.86f, false, false, false, false},
               {0.88f, true, false, false, false},
               {0.91f, true, true, true, false},
               {0.96f, true, true, true, true}};
  for (const auto& c : cases) {
    ParameterRecord before;
    const ParameterRecord after = tumbleWith({c.r}, &before).record;
    EXPECT_EQ(after.heartAngle != 0, c.angle) << c.r;
    EXPECT_EQ(after.heartCount, c.count ? 10 : 1) << c.r;
    EXPECT_EQ(after.anchorFlag4, c.switches ? 0 : 1) << c.r;
    EXPECT_EQ(after.randomScaling, c.switches ? 1 : 0) << c.r;
    EXPECT_EQ(after.placementMode, c.placement ? 7 : 0) << c.r;
  }
}

TEST(Boost, OnceAndTenTimesFromTheDefaults) {
  DialogSession session;
  const ParameterRecord before = session.defaults();
  session.press(64);
  const Moment& once = session.capture();
  for (int i = 0; i < 9; ++i) session.press(64);
  const Moment& tenTimes = session.capture();
  session.runDialog();

  ParameterRecord expected = before;
  expected.heartHeight = 105;
  expected.curveDistanceLeft = -72;
  expected.curveDistanceRight = 72;
  expected.curveHeightLeft = expected.curveHeightRight = 42;
  expected.curveAngleLeft = 136;
  expected.curveAngleRight = 46;
  EXPECT_EQ(differences(once.record, expected, {"previewDrawn"}), "");
  EXPECT_FLOAT_EQ(once.state.item(11)->value, 105);
  EXPECT_FLOAT_EQ(tenTimes.record.heartHeight, 150);
  EXPECT_FLOAT_EQ(tenTimes.record.curveDistanceLeft, -90);
  EXPECT_FLOAT_EQ(tenTimes.record.curveDistanceRight, 90);
  EXPECT_EQ(tenTimes.previews, 11);
}

TEST(TweakAndJitter, DrawInTheirFixedOrder) {
  DialogSession session;
  ParameterRecord before = busyRecord(session);
  before.preview = 0;  // no preview, so only the buttons draw
  session.store(before);
  session.then([&] { session.host().random().useSequence({0.0f, 0.25f, 0.5f, 0.75f}); });
  session.press(62);
  const Moment& tweaked = session.capture();
  // Each value takes a coin (0.75: down) and then r (0.5).
  session.then([&] { session.host().random().useSequence({0.75f, 0.5f}); });
  session.press(63);
  const Moment& jittered = session.capture();
  session.runDialog();

  ParameterRecord expected = before;
  expected.curveLengthLeft1 = -50;
  expected.curveLengthLeft2 = 0;
  expected.curveLengthRight1 = 50;
  expected.curveLengthRight2 = 100;
  EXPECT_EQ(std::memcmp(&tweaked.record, &expected, sizeof expected), 0);
  expected.heartHeight -= 2.5f;
  expected.curveDistanceLeft -= 1;
  expected.curveDistanceRight -= 1;
  expected.curveHeightLeft -= 1;
  expected.curveHeightRight -= 1;
  expected.curveAngleLeft -= 0.5f;
  expected.curveAngleRight -= 0.5f;
  EXPECT_EQ(differences(jittered.record, expected), "");
}

TEST(TweakAndJitter, StayWithinTheirBoundsFromTheDefaults) {
  DialogSession session;
  const ParameterRecord before = busyRecord(session);
  session.store(before);
  std::vector<const Moment*> tweaks, resets, jitters;
  for (int i = 0; i < 10; ++i) {
    session.press(62);
    tweaks.push_back(&session.capture());
    session.choose(65, 0);  // " Reset": jitter from the defaults
    resets.push_back(&session.capture());
    session.press(63);
    jitters.push_back(&session.capture());
  }
  session.runDialog();
  for (const Moment* tweak : tweaks) {
    for (float length : {tweak->record.curveLengthLeft1, tweak->record.curveLengthLeft2,
                         tweak->record.curveLengthRight1, tweak->record.curveLengthRight2}) {
      EXPECT_GE(length, -50);
      EXPECT_LE(length, 150);
    }
  }
  EXPECT_EQ(differences(tweaks[0]->record, before, kAdjusted), "");
  EXPECT_NE(tweaks[0]->record.curveLengthLeft1, tweaks[1]->record.curveLengthLeft1);
  for (size_t i = 0; i < jitters.size(); ++i) {
    const ParameterRecord& after = jitters[i]->record;
    EXPECT_GT(after.heartHeight, 95);
    EXPECT_LT(after.heartHeight, 105);
    for (float moved : {after.curveDistanceLeft + 70, after.curveDistanceRight - 70,
                        after.curveHeightLeft - 40, after.curveHeightRight - 40})
      EXPECT_LE(std::abs(moved), 2);
    EXPECT_LE(std::abs(after.curveAngleLeft - 135), 1);
    EXPECT_LE(std::abs(after.curveAngleRight - 45), 1);
    EXPECT_EQ(differences(after, resets[i]->record, kAdjusted), "");
  }
}

}  // namespace
}  // namespace heart::testing
