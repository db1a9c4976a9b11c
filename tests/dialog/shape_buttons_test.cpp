// "Tumble", "Tweak", "Jitter" and "Boost": the shape values they change and
// the order of their random draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "dialog_session.h"
#include "document/random_source.h"
#include "plugin/params/field_table.h"

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

// The tumble written out step by step from its table of draws, over draws
// that all differ, so that a draw taken out of turn changes a value.
class TumbleReference {
 public:
  explicit TumbleReference(std::vector<float> draws) : draws_(std::move(draws)) {}

  // Draws for a tumble in which every test's draw lies just above its
  // threshold or just below it, passing and failing in turn, and every other
  // draw is a value of its own. A threshold moved by two points or more
  // turns some test's outcome.
  static std::vector<float> aroundThresholds(bool firstPasses) {
    TumbleReference writer({});
    writer.writing_ = true;
    writer.firstPasses_ = firstPasses;
    writer.tumble(ParameterRecord{});
    for (int spare = 0; spare < 4; ++spare) writer.draws_.push_back(0.5f);
    return writer.draws_;
  }

  ParameterRecord tumble(ParameterRecord r) {
    r.placementMode = 0;
    r.heartHeight = 100;
    r.curveHeightLeft = r.curveHeightRight = 40;
    r.curveDistanceLeft = -70;
    r.curveDistanceRight = 70;
    r.curveLengthLeft1 = r.curveLengthLeft2 = r.curveLengthRight1 = r.curveLengthRight2 = 60;
    r.curveAngleLeft = 135;
    r.curveAngleRight = 45;
    r.slant = 0;
    r.scaleHorizontal = r.scaleVertical = 100;
    r.heartAngle = 0;
    r.heartCount = 1;
    for (float& tweak : r.shapeTweaks) tweak = 0;
    r.interpolatePoints = 0;
    r.anchorFlag1 = r.anchorFlag2 = r.anchorFlag3 = r.anchorFlag4 = 1;
    r.randomDirectionPoints = r.randomHeart = r.randomCurve = r.randomAngle = 0;
    r.randomCreatePoints = r.randomScaling = 0;
    r.previewDrawn = 0;

    r.heartHeight = 400 * draw();                                               // 1
    if (test(70)) r.heartHeight = spread(400, 40);                              // 2
    if (test(95)) r.placementMode = std::min(7, static_cast<int>(8 * draw()));  // 3
    r.curveHeightLeft = 200 * draw();                                           // 4
    r.curveHeightRight = 200 * draw();                                          // 5
    r.curveDistanceLeft = -300 * draw();                                        // 6
    r.curveDistanceRight = 300 * draw();                                        // 7
    if (test(50)) r.slant = spread(300, 300);                                   // 8
    if (test(78)) {                                                             // 9
      r.curveLengthRight1 = 60 + spread(70, 70);
      r.curveLengthLeft2 = 60 + spread(70, 70);
      r.curveLengthLeft1 = 60 + spread(70, 70);
      r.curveLengthRight2 = 60 + spread(70, 70);
    }
    if (test(70)) r.curveAngleLeft = 135 + spread(50, 50);  // 10
    if (test(70)) r.curveAngleRight = 45 + spread(50, 50);  // 11
    if (test(80)) {                                         // 12
      r.scaleHorizontal = 100 + spread(20, 20);
      r.scaleVertical = 100 + spread(20, 20);
    }
    if (test(87)) r.heartAngle = 360 * draw();  // 13
    if (test(80))                               // 14
      for (float& tweak : r.shapeTweaks)
        if (test(90)) tweak = spread(60, 60);
    if (test(80)) r.interpolatePoints = spread(100, 100);            // 15
    if (test(90)) r.heartCount = 1 + static_cast<int>(10 * draw());  // 16
    for (bool32* flag : {&r.anchorFlag1, &r.anchorFlag2, &r.anchorFlag3, &r.anchorFlag4})
      if (test(90)) *flag = 0;  // 17
    for (bool32* flag : {&r.randomDirectionPoints, &r.randomHeart, &r.randomCurve, &r.randomAngle,
                         &r.randomCreatePoints, &r.randomScaling})
      if (test(90)) *flag = 1;  // 18
    return r;
  }
  size_t used() const { return next_; }

 private:
  float draw() { return next(-1); }
  bool test(float threshold) { return 100 * next(threshold) > threshold; }
  // The next draw; while writing, a new one for a test (threshold >= 0) or
  // for a value.
  float next(float threshold) {
    if (writing_ && next_ == draws_.size()) {
      const float offset = 0.0001f * static_cast<float>(next_);
      if (threshold < 0) {
        draws_.push_back(0.05f +
                         0.9f * std::fmod(0.6180339f * static_cast<float>(next_ + 1), 1.0f));
      } else {
        const bool pass = (tests_++ % 2 == 0) == firstPasses_;
        draws_.push_back(threshold / 100 + (pass ? 0.015f : -0.015f) + offset);
      }
    }
    return next_ < draws_.size() ? draws_[next_++] : 0.0f;
  }
  float spread(float first, float second) {
    const float r1 = draw();
    const float r2 = draw();
    return first * r1 - second * r2;
  }

  std::vector<float> draws_;
  size_t next_ = 0;
  bool writing_ = false;
  bool firstPasses_ = true;
  int tests_ = 0;
};

// Distinct draws in which the tests pass and fail in turn: every `period`-th
// draw is high enough to pass any threshold, the others spread over [0, 0.9).
std::vector<float> distinctDraws(int period, int offset) {
  std::vector<float> draws;
  for (int i = 0; i < 120; ++i) {
    if ((i + offset) % period == 0)
      draws.push_back(0.955f + 0.0003f * static_cast<float>(i));
    else
      draws.push_back(0.9f * std::fmod(0.6180339f * static_cast<float>(i + 1 + offset), 1.0f));
  }
  return draws;
}

// A tumble over the draws gives exactly what the reference gives.
void expectTumbleAsReference(const std::vector<float>& draws) {
  ParameterRecord before;
  const Moment tumbled = tumbleWith(draws, &before);
  TumbleReference reference(draws);
  ParameterRecord expected = reference.tumble(before);
  expected.previewDrawn = 1;  // the preview after the press
  ASSERT_LT(reference.used(), draws.size());
  for (const FieldInfo& field : kFieldTable) {
    if (std::string(field.name) == "finalRun") continue;
    EXPECT_NEAR(fieldValue(&tumbled.record, field), fieldValue(&expected, field), 0.006)
        << field.name;
  }
}

TEST(Tumble, EveryStepTakesItsOwnDrawsInOrder) {
  const std::pair<int, int> patterns[] = {{2, 0}, {2, 1}, {3, 0}, {3, 2}, {1, 0}};
  for (const auto& [period, offset] : patterns) {
    SCOPED_TRACE("period " + std::to_string(period) + ", offset " + std::to_string(offset));
    expectTumbleAsReference(distinctDraws(period, offset));
  }
}

// Every test of every step, the shape tweaks' and the switches' included,
// once just above its threshold and once just below it.
TEST(Tumble, EachTestPassesJustAboveItsThresholdAndFailsJustBelow) {
  for (bool firstPasses : {true, false}) {
    SCOPED_TRACE(firstPasses ? "first test passes" : "first test fails");
    expectTumbleAsReference(TumbleReference::aroundThresholds(firstPasses));
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
  // Each value takes a coin and then r: coins above 0.5 push down, the rest
  // (0.5 itself included) push up.
  session.then([&] {
    session.host().random().useSequence({0.75f, 0.5f, 0.25f, 0.125f, 0.5f, 0.375f, 0.875f, 0.625f,
                                         0.0625f, 0.9375f, 0.51f, 0.3125f, 0.4f, 0.8125f});
  });
  session.press(63);
  const Moment& jittered = session.capture();
  session.runDialog();

  ParameterRecord expected = before;
  expected.curveLengthLeft1 = -50;
  expected.curveLengthLeft2 = 0;
  expected.curveLengthRight1 = 50;
  expected.curveLengthRight2 = 100;
  EXPECT_EQ(std::memcmp(&tweaked.record, &expected, sizeof expected), 0);
  expected.heartHeight += -1 * 5 * 0.5f;
  expected.curveDistanceLeft += 1 * 2 * 0.125f;
  expected.curveDistanceRight += 1 * 2 * 0.375f;
  expected.curveHeightLeft += -1 * 2 * 0.625f;
  expected.curveHeightRight += 1 * 2 * 0.9375f;
  expected.curveAngleLeft += -1 * 1 * 0.3125f;
  expected.curveAngleRight += 1 * 1 * 0.8125f;
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
