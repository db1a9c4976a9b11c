// The value notifier: every bound item read on every notification, the
// enable rules that follow the values, and the preview.
#include <gtest/gtest.h>

#include <cstdint>

#include "dialog_session.h"

namespace heart::testing {
namespace {

bool enabled(const Moment& moment, int32_t item) { return moment.state.item(item)->enabled; }

TEST(ValueNotifier, DropShadowAndSketchRepeatsEnableTheirOptions) {
  DialogSession session;
  session.press(94).check(126, true);
  const Moment& shadow = session.capture();
  session.check(143, true).check(126, false);
  const Moment& noShadow = session.capture();
  session.press(93).add(DialogEvent::setInteger(25, 4));
  const Moment& sketch = session.capture();
  session.add(DialogEvent::setInteger(25, 0));
  const Moment& noSketch = session.capture();
  session.runDialog();

  for (int32_t item : {143, 144, 145, 146}) {
    EXPECT_TRUE(enabled(shadow, item)) << item;
    EXPECT_FALSE(enabled(noShadow, item)) << item;
  }
  EXPECT_EQ(noShadow.record.randomShadowDirection, 1);  // disabled, value kept
  for (int32_t item : {24, 23, 67, 141, 142}) {
    EXPECT_TRUE(enabled(sketch, item)) << item;
    EXPECT_FALSE(enabled(noSketch, item)) << item;
  }
}

TEST(ValueNotifier, SymmetryDisablesTheRightHandSideButStillReadsIt) {
  DialogSession session;
  session.press(91).check(133, true).press(90);
  const Moment& symmetric = session.capture();
  // The picker writes far outside item 13's range into the record and the
  // disabled item; the item limits it, and the read sweep takes that back.
  session.pickAtArtwork(162, {4000.0f, 0.0f}, kADMButtonUpFlag);
  const Moment& picked = session.capture();
  session.press(91).check(133, false);
  const Moment& free = session.capture();
  session.runDialog();

  for (int32_t item :
       {13, 15, 16, 20, 19, 22, 137, 138, 139, 140, 120, 42, 43, 46, 47, 52, 53, 54, 55}) {
    EXPECT_FALSE(enabled(symmetric, item)) << item;
    EXPECT_TRUE(enabled(free, item)) << item;
  }
  for (int32_t item : {11, 12, 14, 17, 18, 21, 40, 41, 44, 45, 48, 49, 50, 51, 115})
    EXPECT_TRUE(enabled(symmetric, item)) << item;
  EXPECT_FLOAT_EQ(picked.state.item(13)->value, 1000);
  EXPECT_FLOAT_EQ(picked.record.curveDistanceRight, 1000);
}

TEST(ValueNotifier, PlacementModesEnableTheCentreItemsTheyUse) {
  DialogSession session;
  session.press(93);
  const Moment* modes[8];
  for (int mode : {4, 5, 0, 1, 2, 3, 6, 7}) {
    session.choose(10, mode);
    modes[mode] = &session.capture();
  }
  session.runDialog();
  for (int mode = 0; mode < 8; ++mode) {
    EXPECT_EQ(modes[mode]->record.placementMode, mode);
    EXPECT_EQ(enabled(*modes[mode], 4), mode == 0 || mode == 5) << mode;
    EXPECT_EQ(enabled(*modes[mode], 5), mode == 0 || mode == 4) << mode;
  }
}

TEST(ValueNotifier, AnyNotificationReadsEveryBoundItem) {
  DialogSession session;
  ParameterRecord record = session.defaults();
  record.heartHeight = 9000;  // the items limit these on the way in
  record.heartCount = INT32_MAX;
  record.sketchRepeats = INT32_MIN;
  record.placementMode = 12;  // no such entry: the list selects nothing
  record.finalRun = 1;
  session.store(record);
  const Moment& opened = session.capture();
  session.press(92).check(137, false);  // a check box without a caption
  const Moment& unchecked = session.capture();
  session.runDialog();

  EXPECT_FLOAT_EQ(opened.record.heartHeight, 2500);
  EXPECT_EQ(opened.record.heartCount, 400);
  EXPECT_EQ(opened.record.sketchRepeats, 0);
  EXPECT_EQ(opened.record.finalRun, 0);
  EXPECT_EQ(opened.record.placementMode, 12);
  EXPECT_TRUE(enabled(opened, 4) && enabled(opened, 5));
  EXPECT_EQ(unchecked.record.anchorFlag1, 0);
  EXPECT_EQ(unchecked.previews, 2);
}

TEST(ValueNotifier, ShuffleRedrawsAndPreviewOffDrawsNothing) {
  DialogSession session;
  session.press(60);
  const Moment& shuffled = session.capture();
  session.check(3, false).press(60).type(11, 150);
  const Moment& off = session.capture();
  session.runDialog();
  EXPECT_EQ(shuffled.previews, 2);
  EXPECT_EQ(off.previews, 2);
  EXPECT_EQ(off.record.previewDrawn, 0);
  EXPECT_FLOAT_EQ(off.record.heartHeight, 150);
}

}  // namespace
}  // namespace heart::testing
