// The heart preset list, the view zoom item and the point picker buttons.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/fault_injector.h"
#include "dialog_session.h"
#include "document/document.h"
#include "plugin/params/field_table.h"
#include "support/expected_heart_presets.h"

namespace heart::testing {
namespace {

const auto& kPresets = kExpectedHeartPresets;

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

// Opening the dialog shows the stored percentage in the zoom item without
// running its procedure: the front view keeps its own zoom until the user
// changes the item.
TEST(ViewZoom, OpeningWithAStoredZoomLeavesTheViewAlone) {
  DialogSession session;
  ParameterRecord record = session.defaults();
  record.viewZoom = 250;
  session.store(record);
  float zoom = 0;
  session.then([&] { zoom = session.host().document().view(0).zoom(); });
  const Moment& opened = session.capture();
  session.runDialog();
  EXPECT_FLOAT_EQ(opened.state.item(27)->value, 250);
  EXPECT_FLOAT_EQ(zoom, 1);
  EXPECT_EQ(faultInjector().calls("AI Document View Suite.SetDocumentViewZoom"), 0);
}

// The nine picker buttons: the page each stands on, the field and spin edit
// it writes, and what it takes from the picked point.
enum class Takes { kX, kY, kAngle };
struct Picker {
  int32_t button, page;
  const char* field;
  int32_t spinEdit;
  Takes takes;
};
const Picker kPickers[] = {
    {160, 1, "heartHeight", 11, Takes::kY},        {161, 1, "curveDistanceLeft", 12, Takes::kX},
    {162, 1, "curveDistanceRight", 13, Takes::kX}, {163, 1, "curveHeightLeft", 14, Takes::kY},
    {164, 1, "curveHeightRight", 15, Takes::kY},   {165, 1, "slant", 16, Takes::kAngle},
    {166, 3, "interpolatePoints", 26, Takes::kX},  {167, 4, "scaleHorizontal", 8, Takes::kX},
    {168, 4, "scaleVertical", 9, Takes::kY},
};

TEST(PointPicker, EachButtonWritesItsOwnFieldFromItsOwnAxis) {
  DialogSession session;
  const AIRealPoint centre = session.viewCentre();
  std::vector<std::pair<const Moment*, const Moment*>> picks;
  std::vector<AIRealPoint> points;
  for (size_t i = 0; i < std::size(kPickers); ++i) {
    // A different point for every button, its two coordinates far apart.
    const AIRealPoint point = {centre.h - 60 + 7 * static_cast<float>(i),
                               centre.v + 110 - 3 * static_cast<float>(i)};
    points.push_back(point);
    session.press(89 + kPickers[i].page);
    const Moment& before = session.capture();
    session.pickAtArtwork(kPickers[i].button, point, kADMButtonUpFlag);
    picks.emplace_back(&before, &session.capture());
  }
  session.runDialog();

  for (size_t i = 0; i < std::size(kPickers); ++i) {
    const Picker& picker = kPickers[i];
    SCOPED_TRACE(picker.button);
    const AIRealPoint p = points[i];
    const double expected =
        picker.takes == Takes::kX ? p.h
        : picker.takes == Takes::kY
            ? p.v
            : std::atan2(p.v - centre.v, p.h - centre.h) * 180 / std::numbers::pi;
    const FieldInfo* field = findField(picker.field);
    ASSERT_NE(field, nullptr);
    EXPECT_NEAR(fieldValue(&picks[i].second->record, *field), expected, 0.01);
    EXPECT_NEAR(picks[i].second->state.item(picker.spinEdit)->value, expected, 0.01);
    EXPECT_EQ(differences(picks[i].second->record, picks[i].first->record,
                          {picker.field, "previewDrawn", "finalRun"}),
              "");
  }
  EXPECT_EQ(picks[0].second->previews, picks[0].first->previews + 1) << "a pick redraws";
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
