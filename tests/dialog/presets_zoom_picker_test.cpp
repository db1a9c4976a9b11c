// The heart preset list, the view zoom item and the point picker buttons.
#include <gtest/gtest.h>

#include <cmath>

#include "core/fault_injector.h"
#include "dialog_session.h"
#include "document/document.h"

namespace heart::testing {
namespace {

const float kPresets[9][16] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 0, 60, 0, 0, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 60, 60, 60, 0, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0},
    {-100, 100, 100, 100, 100, 100, -100, 100, 100, 100, 100, 100, -100, 100, -100, 100},
    {-200, 0, 200, 0, 100, 100, -100, 100, 100, 100, 100, 100, -100, 100, -100, 100},
    {0, 50, 0, 50, 50, 50, -50, 50, 0, 0, 0, 0, 0, 0, 0, 0},
    {-60, 60, 60, 60, 0, 50, 0, 50, 0, -100, 0, 0, 0, -100, 0, 0},
};

TEST(HeartPresets, EachEntryFillsTheGridAndTheRecord) {
  DialogSession session;
  ParameterRecord before = session.defaults();
  before.shapeTweaks[11] = 999;  // every preset overwrites all sixteen
  session.store(before);
  session.press(92);
  const Moment* chosen[9];
  for (int preset : {5, 8, 0, 3, 1, 7, 2, 6, 4}) {
    session.choose(66, preset);
    chosen[preset] = &session.capture();
  }
  session.type(49, 12.5);  // editing the grid keeps the entry
  const Moment& edited = session.capture();
  session.runDialog();
  for (int preset = 0; preset < 9; ++preset) {
    EXPECT_EQ(chosen[preset]->record.heartPreset, preset);
    for (int k = 0; k < 16; ++k) {
      EXPECT_EQ(chosen[preset]->record.shapeTweaks[k], kPresets[preset][k]) << preset << "/" << k;
      EXPECT_EQ(chosen[preset]->state.item(40 + k)->value, kPresets[preset][k]);
    }
  }
  EXPECT_EQ(chosen[4]->previews, 10);  // each choice redraws
  EXPECT_EQ(edited.record.heartPreset, 4);
  EXPECT_EQ(edited.record.shapeTweaks[9], 12.5f);
}

TEST(ViewZoom, SetsTheFrontViewsFactorAndNothingElse) {
  DialogSession session;
  float factors[3] = {};
  const Moment& opened = session.capture();
  session.type(27, 200);
  const Moment& zoomed = session.capture();
  session.then([&] { factors[0] = session.host().document().view(0).zoom(); });
  session.type(27, 1).then([&] { factors[1] = session.host().document().view(0).zoom(); });
  session.type(27, 900).then([&] { factors[2] = session.host().document().view(0).zoom(); });
  session.runDialog();

  EXPECT_FLOAT_EQ(factors[0], 2);
  EXPECT_FLOAT_EQ(factors[1], 0.01f);
  EXPECT_FLOAT_EQ(factors[2], 5);  // the item limits 900 to 500
  EXPECT_EQ(zoomed.previews, opened.previews);
  EXPECT_EQ(differences(zoomed.record, opened.record, {"viewZoom"}), "");
  EXPECT_FLOAT_EQ(zoomed.record.viewZoom, 200);
  EXPECT_FLOAT_EQ(session.stored().viewZoom, 500);
}

TEST(PointPicker, PicksCoordinatesAndAnglesIntoTheirFields) {
  DialogSession session;
  const AIRealPoint centre = session.viewCentre();
  session.pickAtArtwork(161, {250.0f, 400.0f}, kADMButtonUpFlag);
  const Moment& distance = session.capture();
  session.pickAtArtwork(160, {250.0f, 400.0f}, kADMButtonUpFlag);
  const Moment& height = session.capture();
  session.pickAtArtwork(165, {centre.h + 100, centre.v + 100}, kADMButtonUpFlag);
  const Moment& slant = session.capture();
  session.press(93).pickAtArtwork(168, {30.0f, -45.0f}, kADMButtonUpFlag);
  const Moment& scale = session.capture();
  session.runDialog();

  EXPECT_FLOAT_EQ(distance.record.curveDistanceLeft, 250);
  EXPECT_FLOAT_EQ(distance.state.item(12)->value, 250);
  EXPECT_FLOAT_EQ(distance.record.heartHeight, 100);
  EXPECT_FLOAT_EQ(height.record.heartHeight, 400);
  EXPECT_FLOAT_EQ(height.state.item(11)->value, 400);
  EXPECT_NEAR(slant.record.slant, 45, 0.5);
  EXPECT_FLOAT_EQ(scale.record.scaleVertical, -45);
  EXPECT_FLOAT_EQ(scale.record.scaleHorizontal, 100);
  EXPECT_EQ(scale.record.currentPage, 4);
  // Every pick ends with the page re-read and a new preview.
  EXPECT_EQ(distance.previews, 2);
  EXPECT_EQ(height.previews, 3);
}

TEST(PointPicker, WithoutTheClickFlagOrAConversionOnlyRenotifies) {
  DialogSession session;
  session.pickAtArtwork(161, {250.0f, 400.0f}, kADMShiftKeyFlag);
  const Moment& unclicked = session.capture();
  session.then([] {
    faultInjector().failAt("AI Document View Suite.ViewPointToArtworkPoint", 1, kBadParameterErr);
  });
  session.pickAtArtwork(160, {250.0f, 400.0f}, kADMButtonUpFlag);
  const Moment& unconverted = session.capture();
  session.runDialog();
  EXPECT_FLOAT_EQ(unclicked.record.curveDistanceLeft, -70);
  EXPECT_EQ(unclicked.previews, 2);
  EXPECT_FLOAT_EQ(unconverted.record.heartHeight, 100);
  EXPECT_FLOAT_EQ(unconverted.state.item(11)->value, 100);
  EXPECT_EQ(unconverted.previews, 3);
}

}  // namespace
}  // namespace heart::testing
