// The settings list: the settings base, then each entry's own changes.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "core/fault_injector.h"
#include "dialog_session.h"
#include "document/document.h"
#include "plugin/params/field_table.h"

namespace heart::testing {
namespace {

using Changes = std::vector<std::pair<const char*, float>>;

Changes sketch(float mode, float shift, float weight, float repeats, float randomShift) {
  return {{"sketchColorMode", mode},          {"sketchShift", shift},
          {"sketchWeight", weight},           {"sketchRepeats", repeats},
          {"randomSketchShift", randomShift}, {"randomSketchWeight", 1}};
}

Changes operator+(Changes first, const Changes& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

const Changes kHundredAnywhere = {{"randomFill", 1}, {"heartCount", 100}, {"placementMode", 2}};
const Changes kMix = {{"randomAngle", 1}, {"randomScaling", 1}};

// What each entry changes after the settings base, by entry ID.
const std::vector<Changes> kEntryChanges = {
    {},
    {{"randomFill", 1}},
    kHundredAnywhere,
    {{"heartHeight", 200}},
    {{"curveDistanceLeft", -200}, {"curveDistanceRight", 200}},
    {{"curveHeightLeft", 100}},
    {{"curveHeightLeft", 100}, {"slant", 40}},
    {{"curveLengthLeft1", 100},
     {"curveLengthLeft2", 100},
     {"curveLengthRight1", 100},
     {"curveLengthRight2", 100}},
    {{"curveAngleLeft", 200}, {"curveAngleRight", -20}},
    {{"shapeTweaks[0]", -150}, {"shapeTweaks[2]", 150}},
    {{"shapeTweaks[1]", 100}, {"shapeTweaks[3]", 100}},
    sketch(0, 10, 10, 7, 1),
    sketch(10, 10, 17, 10, 1),
    sketch(2, 5, 150, 6, 0),
    sketch(3, 10, 10, 10, 1),
    sketch(9, 5, 150, 6, 0),
    sketch(2, 0, 150, 6, 0),
    sketch(0, 5, 15, 1, 0),
    kHundredAnywhere + sketch(0, 5, 15, 1, 0),
    kHundredAnywhere + sketch(2, 15, 15, 1, 1) + kMix,
    Changes{{"randomFill", 1}, {"heartCount", 50}, {"placementMode", 2}} + sketch(2, 25, 15, 3, 1) +
        kMix,
    {{"interpolatePoints", 50}},
    {{"interpolatePoints", -50}},
    {{"interpolatePoints", 150}},
    {{"heartCount", 20}, {"randomScaling", 1}, {"randomOpacity", 1}},
    {{"heartCount", 20}, {"randomScaling", 1}, {"randomFill", 1}},
    {{"heartCount", 20}, {"randomScaling", 1}, {"randomOpacity", 1}, {"jitterCenter", 1}},
};

// The settings base every entry writes first, around the view centre. Every
// word starts as filler so that a field missing here shows as a difference.
ParameterRecord settingsBase(AIRealPoint centre) {
  ParameterRecord base;
  std::memset(&base, 0x11, sizeof base);
  base.preview = 1;
  base.placementMode = 0;
  base.heartHeight = 100;
  base.curveDistanceLeft = -70;
  base.curveDistanceRight = 70;
  base.curveHeightLeft = 40;
  base.curveHeightRight = 40;
  base.curveLengthLeft1 = base.curveLengthLeft2 = 60;
  base.curveLengthRight1 = base.curveLengthRight2 = 60;
  base.curveAngleLeft = 135;
  base.curveAngleRight = 45;
  base.slant = 0;
  base.centerX = centre.h - 200.0f;
  base.centerY = centre.v;
  base.scaleHorizontal = base.scaleVertical = 100;
  base.heartAngle = 0;
  base.heartCount = 1;
  for (float& tweak : base.shapeTweaks) tweak = 0;
  base.interpolatePoints = 0;
  base.anchorFlag1 = base.anchorFlag2 = base.anchorFlag3 = base.anchorFlag4 = 1;
  base.randomSketchShift = base.randomSketchWeight = 1;
  for (bool32* off : {&base.basicPattern,
                      &base.randomShadowScaling,
                      &base.halfFillShadow,
                      &base.randomShadowDirection,
                      &base.randomShadowOpacity,
                      &base.randomCurve,
                      &base.newLayer,
                      &base.symmetric,
                      &base.randomDirectionPoints,
                      &base.jitterCenter,
                      &base.jitterScaling,
                      &base.jitterFill,
                      &base.jitterStroke,
                      &base.jitterWidth,
                      &base.randomWarp,
                      &base.dropShadow,
                      &base.symbolize,
                      &base.randomScaling,
                      &base.randomStyle,
                      &base.randomOpacity,
                      &base.randomWidth,
                      &base.randomCreatePoints,
                      &base.randomAngle,
                      &base.randomStroke,
                      &base.randomFillSwatches,
                      &base.randomFill,
                      &base.randomHeart})
    *off = 0;
  base.sketchColorMode = 0;
  base.sketchShift = 0;
  base.sketchWeight = 0;
  base.sketchRepeats = 0;
  base.previewDrawn = 0;
  return base;
}

// The record an entry leaves once its preview is drawn: the settings base
// with the entry's changes, keeping the page, zoom, heart preset and reserved
// words of the record before.
ParameterRecord expectedAfter(const ParameterRecord& before, AIRealPoint centre, int entry) {
  ParameterRecord expected = settingsBase(centre);
  expected.currentPage = before.currentPage;
  expected.viewZoom = before.viewZoom;
  expected.heartPreset = before.heartPreset;
  std::memcpy(expected.dialogBounds, before.dialogBounds, sizeof expected.dialogBounds);
  expected.hasDialogBounds = before.hasDialogBounds;
  expected.settingsPreset = entry;
  for (auto [name, value] : kEntryChanges[entry]) setFieldValue(&expected, *findField(name), value);
  // The value notifier's preview run.
  expected.finalRun = 0;
  expected.previewDrawn = 1;
  return expected;
}

TEST(SettingsList, EveryEntryIsTheBasePlusItsChanges) {
  ASSERT_EQ(kEntryChanges.size(), 27u);
  DialogSession session;
  ParameterRecord before = session.defaults();
  before.currentPage = 2;
  session.store(before);
  std::vector<const Moment*> offs, chosen;
  // Each entry starts from a change by hand and "Preview" off.
  for (int entry = 26; entry >= 0; --entry) {
    session.type(17, 333).check(3, false);
    offs.push_back(&session.capture());
    session.choose(65, entry);
    chosen.push_back(&session.capture());
  }
  session.runDialog();
  for (int entry = 0; entry < 27; ++entry) {
    const Moment& moment = *chosen[26 - entry];
    const ParameterRecord expected = expectedAfter(before, session.viewCentre(), entry);
    EXPECT_EQ(differences(moment.record, expected), "") << "entry " << entry;
    EXPECT_EQ(moment.previews, offs[26 - entry]->previews + 1) << "entry " << entry;
    EXPECT_TRUE(moment.state.item(3)->checked);
    EXPECT_FLOAT_EQ(moment.state.item(17)->value, expected.curveLengthLeft1);
    EXPECT_EQ(moment.state.item(65)->selectedEntry, entry);
    EXPECT_EQ(moment.state.item(10)->selectedEntry, expected.placementMode);
    EXPECT_EQ(moment.state.item(67)->selectedEntry, expected.sketchColorMode);
  }
}

TEST(SettingsList, ResetKeepsPageZoomPresetAndFollowsTheView) {
  DialogSession session;
  ParameterRecord before = session.defaults();
  before.currentPage = 3;
  before.viewZoom = 150;
  before.heartPreset = 4;
  before.heartHeight = 300;
  before.randomFill = 1;
  before.sketchRepeats = 5;
  before.symmetric = 1;
  before.shapeTweaks[7] = 12;
  before.dialogBounds[2] = 77;
  before.hasDialogBounds = 1;
  session.store(before);
  const AIRealPoint moved = {1000.0f, 2000.0f};
  session.then([&session, moved] { session.host().document().view(0).setCentre(moved); });
  session.choose(65, 0);
  const Moment& reset = session.capture();
  session.runDialog();

  EXPECT_EQ(differences(reset.record, expectedAfter(before, moved, 0)), "");
  EXPECT_FLOAT_EQ(reset.record.centerX, 800);
  EXPECT_EQ(reset.state.item(66)->selectedEntry, 4);  // though the tweaks are 0 now
  EXPECT_FLOAT_EQ(reset.state.item(47)->value, 0);
}

TEST(SettingsList, WithoutAViewCentreTheCentreStays) {
  DialogSession session;
  ParameterRecord before = session.defaults();
  before.centerX = -123.5f;
  before.centerY = 456.25f;
  session.store(before);
  session.then([] {
    faultInjector().failAt("AI Document View Suite.GetDocumentViewCenter", 1, kBadParameterErr);
  });
  session.choose(65, 4);
  const Moment& chosen = session.capture();
  session.runDialog();
  EXPECT_EQ(differences(chosen.record, expectedAfter(before, {0, 0}, 4), {"centerX", "centerY"}),
            "");
  EXPECT_FLOAT_EQ(chosen.record.centerX, -123.5f);
  EXPECT_FLOAT_EQ(chosen.record.centerY, 456.25f);
}

}  // namespace
}  // namespace heart::testing
