// The options dialog as the host sees it once it is open: every item in the
// order it was created, with its type, rectangle, text, range and number
// format, the procedure it was given, and every entry of the four popup
// lists. The tables are the dialog's published layout, written out here.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "plugin/dialog/dialog_layout.h"
#include "dialog_session.h"
#include "plugin/params/field_table.h"

namespace heart::testing {
namespace {

enum Type { kSpin, kStatic, kPopup, kPicture, kButton, kCheck };
enum Number { kNoNumber, kReal, kInteger };

const char* hostTypeName(Type type) {
  switch (type) {
    case kSpin:
      return kADMSpinEditType;
    case kStatic:
      return kADMTextStaticType;
    case kPopup:
      return kADMPopupListType;
    case kPicture:
      return kADMPicturePushButtonType;
    case kButton:
      return kADMTextPushButtonType;
    case kCheck:
      return kADMTextCheckBoxType;
  }
  return "";
}

struct ExpectedItem {
  int32_t id;
  Type type;
  ASRect bounds;                    // left, top, right, bottom
  const char* text;                 // null: no text
  DialogProcedure procedure;        // given at creation
  double minimum = 0, maximum = 0;  // spin edits only
  Number number = kNoNumber;
};

// In creation order: the spin edits, the labels, the popup lists, the point
// picker buttons, the command buttons, the check boxes, the page buttons and
// last the page captions (95 is both the sixth page button and the first
// caption).
const ExpectedItem kLayout[] = {
    {11, kSpin, {180, 70, 240, 90}, nullptr, kValueProcedure, -1500, 2500, kReal},
    {12, kSpin, {180, 92, 240, 112}, nullptr, kValueProcedure, -1000, 1000, kReal},
    {13, kSpin, {280, 92, 340, 112}, nullptr, kValueProcedure, -1000, 1000, kReal},
    {14, kSpin, {180, 114, 240, 134}, nullptr, kValueProcedure, -1000, 1000, kReal},
    {15, kSpin, {280, 114, 340, 134}, nullptr, kValueProcedure, -1000, 1000, kReal},
    {16, kSpin, {180, 136, 240, 156}, nullptr, kValueProcedure, -360, 360, kReal},
    {27, kSpin, {450, 295, 510, 315}, nullptr, kZoomProcedure, 1, 500, kReal},
    {17, kSpin, {180, 70, 240, 90}, nullptr, kValueProcedure, -2000, 2000, kReal},
    {18, kSpin, {250, 70, 310, 90}, nullptr, kValueProcedure, -2000, 2000, kReal},
    {19, kSpin, {180, 92, 240, 112}, nullptr, kValueProcedure, -2000, 2000, kReal},
    {20, kSpin, {250, 92, 310, 112}, nullptr, kValueProcedure, -2000, 2000, kReal},
    {21, kSpin, {180, 114, 240, 134}, nullptr, kValueProcedure, -360, 360, kReal},
    {22, kSpin, {250, 114, 310, 134}, nullptr, kValueProcedure, -360, 360, kReal},
    {40, kSpin, {20, 70, 80, 90}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {41, kSpin, {90, 70, 150, 90}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {42, kSpin, {160, 70, 220, 90}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {43, kSpin, {230, 70, 290, 90}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {44, kSpin, {20, 92, 80, 112}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {45, kSpin, {90, 92, 150, 112}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {46, kSpin, {160, 92, 220, 112}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {47, kSpin, {230, 92, 290, 112}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {48, kSpin, {20, 114, 80, 134}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {49, kSpin, {90, 114, 150, 134}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {50, kSpin, {160, 114, 220, 134}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {51, kSpin, {230, 114, 290, 134}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {52, kSpin, {20, 136, 80, 156}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {53, kSpin, {90, 136, 150, 156}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {54, kSpin, {160, 136, 220, 156}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {55, kSpin, {230, 136, 290, 156}, nullptr, kValueProcedure, -1500, 1500, kReal},
    {26, kSpin, {180, 226, 240, 246}, nullptr, kValueProcedure, -1000, 1000, kReal},
    {4, kSpin, {180, 90, 240, 110}, nullptr, kValueProcedure, -5000, 5000, kReal},
    {5, kSpin, {180, 112, 240, 132}, nullptr, kValueProcedure, -5000, 5000, kReal},
    {6, kSpin, {180, 134, 240, 154}, nullptr, kValueProcedure, -5000, 5000, kReal},
    {8, kSpin, {180, 156, 240, 176}, nullptr, kValueProcedure, -500, 500, kReal},
    {9, kSpin, {180, 178, 240, 198}, nullptr, kValueProcedure, -500, 500, kReal},
    {7, kSpin, {180, 200, 240, 220}, nullptr, kValueProcedure, 1, 400, kInteger},
    {24, kSpin, {180, 250, 240, 270}, nullptr, kValueProcedure, 0, 400, kReal},
    {23, kSpin, {180, 272, 240, 292}, nullptr, kValueProcedure, 0, 200, kReal},
    {25, kSpin, {180, 294, 240, 314}, nullptr, kValueProcedure, 0, 60, kInteger},
    {70, kStatic, {10, 70, 178, 90}, "Heart height (p)", kNoProcedure},
    {71, kStatic, {10, 92, 178, 112}, "Curve distance (p)", kNoProcedure},
    {72, kStatic, {10, 114, 178, 134}, "Curve height (p)", kNoProcedure},
    {79, kStatic, {10, 136, 178, 156}, "Slant (o)", kNoProcedure},
    {74, kStatic, {10, 80, 178, 100}, "Curve length (p)", kNoProcedure},
    {73, kStatic, {10, 114, 178, 134}, "Curve angle (o)", kNoProcedure},
    {80, kStatic, {10, 200, 100, 220}, "Anchors", kNoProcedure},
    {84, kStatic, {10, 226, 178, 246}, "Interpolate points (%)", kNoProcedure},
    {76, kStatic, {10, 134, 178, 154}, "Angle (o)", kNoProcedure},
    {75, kStatic, {10, 166, 178, 186}, "Scaling (%)", kNoProcedure},
    {77, kStatic, {10, 200, 178, 220}, "Number of hearts", kNoProcedure},
    {82, kStatic, {10, 250, 178, 270}, "Sketch weight (/10p)", kNoProcedure},
    {81, kStatic, {10, 272, 178, 292}, "Sketch shift (p)", kNoProcedure},
    {83, kStatic, {10, 294, 178, 314}, "Sketch repeats", kNoProcedure},
    {65, kPopup, {440, 242, 520, 262}, nullptr, kSettingsListProcedure},
    {10, kPopup, {10, 100, 160, 120}, nullptr, kNoProcedure},
    {66, kPopup, {10, 170, 160, 190}, nullptr, kNoProcedure},
    {67, kPopup, {10, 225, 160, 245}, nullptr, kValueProcedure},
    {160, kPicture, {250, 70, 270, 90}, nullptr, kPointPickerProcedure},
    {161, kPicture, {250, 92, 270, 112}, nullptr, kPointPickerProcedure},
    {162, kPicture, {350, 92, 370, 112}, nullptr, kPointPickerProcedure},
    {163, kPicture, {250, 114, 270, 134}, nullptr, kPointPickerProcedure},
    {164, kPicture, {350, 114, 370, 134}, nullptr, kPointPickerProcedure},
    {165, kPicture, {250, 136, 270, 156}, nullptr, kPointPickerProcedure},
    {166, kPicture, {250, 226, 270, 246}, nullptr, kPointPickerProcedure},
    {167, kPicture, {250, 156, 270, 176}, nullptr, kPointPickerProcedure},
    {168, kPicture, {250, 178, 270, 198}, nullptr, kPointPickerProcedure},
    {2, kButton, {440, 40, 520, 60}, "Cancel", kNoProcedure},
    {60, kButton, {440, 70, 520, 90}, "Shuffle", kValueProcedure},
    {61, kButton, {440, 100, 520, 120}, "Tumble", kTumbleProcedure},
    {62, kButton, {440, 130, 520, 150}, "Tweak", kAdjustProcedure},
    {63, kButton, {440, 160, 520, 180}, "Jitter", kAdjustProcedure},
    {64, kButton, {440, 190, 520, 210}, "Boost", kAdjustProcedure},
    {3, kCheck, {440, 220, 520, 234}, "Preview", kValueProcedure},
    {133, kCheck, {10, 200, 145, 214}, "Symmetric", kValueProcedure},
    {137, kCheck, {105, 200, 125, 214}, nullptr, kValueProcedure},
    {139, kCheck, {130, 200, 150, 214}, nullptr, kValueProcedure},
    {138, kCheck, {155, 200, 175, 214}, nullptr, kValueProcedure},
    {140, kCheck, {180, 200, 200, 214}, nullptr, kValueProcedure},
    {115, kCheck, {10, 60, 300, 74}, "Fill [R]", kValueProcedure},
    {116, kCheck, {10, 77, 300, 91}, "Fill swatches [R]", kValueProcedure},
    {117, kCheck, {10, 94, 300, 108}, "Stroke [R]", kValueProcedure},
    {121, kCheck, {10, 111, 300, 125}, "Width [R]", kValueProcedure},
    {122, kCheck, {10, 128, 300, 142}, "Opacity [R]", kValueProcedure},
    {123, kCheck, {10, 145, 300, 159}, "Style [R]", kValueProcedure},
    {118, kCheck, {10, 162, 300, 176}, "Heart [R]", kValueProcedure},
    {136, kCheck, {10, 179, 300, 193}, "Curve [R]", kValueProcedure},
    {126, kCheck, {10, 196, 300, 210}, "Drop shadow", kValueProcedure},
    {143, kCheck, {10, 213, 300, 227}, "Shadow direction [R]", kValueProcedure},
    {144, kCheck, {10, 230, 300, 244}, "Shadow opacity [R]", kValueProcedure},
    {145, kCheck, {10, 247, 300, 261}, "Half fill shadow", kValueProcedure},
    {146, kCheck, {10, 264, 300, 278}, "Shadow scaling [R]", kValueProcedure},
    {120, kCheck, {10, 281, 300, 295}, "Create points [R]", kValueProcedure},
    {134, kCheck, {10, 298, 300, 312}, "Direction points [R]", kValueProcedure},
    {135, kCheck, {10, 60, 300, 74}, "New Layer", kValueProcedure},
    {125, kCheck, {10, 77, 300, 91}, "Symbolize", kValueProcedure},
    {127, kCheck, {10, 94, 300, 108}, "Warp [R]", kValueProcedure},
    {124, kCheck, {10, 111, 300, 125}, "Scaling [R]", kValueProcedure},
    {119, kCheck, {10, 128, 300, 142}, "Angle [R]", kValueProcedure},
    {132, kCheck, {10, 145, 300, 159}, "Jitter scaling [R]", kValueProcedure},
    {131, kCheck, {10, 162, 300, 176}, "Jitter center [R]", kValueProcedure},
    {128, kCheck, {10, 179, 300, 193}, "Jitter fill [R]", kValueProcedure},
    {129, kCheck, {10, 196, 300, 210}, "Jitter stroke [R]", kValueProcedure},
    {130, kCheck, {10, 213, 300, 227}, "Jitter width [R]", kValueProcedure},
    {141, kCheck, {10, 230, 300, 244}, "Sketch shift [R]", kValueProcedure},
    {142, kCheck, {10, 247, 300, 261}, "Sketch weight [R]", kValueProcedure},
    {147, kCheck, {10, 264, 300, 278}, "Basic pattern", kValueProcedure},
    {90, kPicture, {10, 5, 60, 35}, nullptr, kPageButtonProcedure},
    {91, kPicture, {80, 5, 130, 35}, nullptr, kPageButtonProcedure},
    {92, kPicture, {150, 5, 200, 35}, nullptr, kPageButtonProcedure},
    {93, kPicture, {220, 5, 270, 35}, nullptr, kPageButtonProcedure},
    {94, kPicture, {290, 5, 340, 35}, nullptr, kPageButtonProcedure},
    {95, kPicture, {360, 5, 410, 35}, nullptr, kPageButtonProcedure},
    {95, kStatic, {16, 40, 79, 55}, "Heart", kNoProcedure},
    {96, kStatic, {81, 40, 149, 55}, "Curve", kNoProcedure},
    {97, kStatic, {151, 40, 219, 55}, "Tweak", kNoProcedure},
    {98, kStatic, {221, 40, 289, 55}, "Create", kNoProcedure},
    {99, kStatic, {290, 40, 359, 55}, "Settings", kNoProcedure},
    {100, kStatic, {360, 40, 430, 55}, "Settings1", kNoProcedure},
};

struct ExpectedList {
  int32_t item;
  std::vector<std::string> entries;  // entry ID = position
};

const ExpectedList kLists[] = {
    {65,
     {" Reset",
      " Random fill of heart",
      " 100 random color hearts",
      " Taller heart",
      " Wider heart",
      " Higher heart",
      " Leaning",
      " Closer",
      " Sharper",
      " Flatten",
      " Swing",
      " Sketchy heart 1",
      " Sketchy heart 2",
      " Color heart 1",
      " Sketchy heart 3",
      " Color heart 2",
      " Color heart 3",
      " Single line heart",
      " 100 random fill line heart",
      " 100 random fill line heart mix",
      " 50 random fill line heart mix",
      " Interpolate 50",
      " Interpolate -50",
      " Interpolate 150",
      " Repeat scaled opacity",
      " Repeat scaled fill",
      " Repeat scaled position"}},
    {10,
     {" Place heart at user entered center position", " Place heart at center of document",
      " Place heart anywhere in document", " Bottom left corner",
      " Randomized horizontally (but use current vertical)",
      " Randomized vertically (but use current horizontal)", " Any document corner",
      " Place heart as frame"}},
    {66,
     {" Heart 1", " Heart 2", " Heart 3", " Heart 4", " Heart 5", " Heart 6", " Heart 7",
      " Heart 8", " Heart 9"}},
    {67,
     {" Sketch color options - Use black", " Use same color as original path", " Use random color",
      " Use random swatch color", " Reduced", " Random reduced", " Random black / color",
      " Use shift (otherwise black)", " Use black + random opacity",
      " Use random color + random opacity", " Reducing opacity", " Use white + random opacity"}},
};

TEST(OptionsDialogLayout, EveryItemInCreationOrderAsPublished) {
  DialogSession session;
  const Moment& opened = session.capture();
  session.runDialog();
  const std::vector<ItemState>& items = opened.state.items;
  ASSERT_EQ(items.size(), std::size(kLayout));
  for (size_t i = 0; i < items.size(); ++i) {
    const ExpectedItem& expected = kLayout[i];
    const ItemState& item = items[i];
    SCOPED_TRACE("item " + std::to_string(expected.id) + " created " + std::to_string(i + 1) +
                 ". of 118");
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(item.type, hostTypeName(expected.type));
    EXPECT_EQ(item.bounds.left, expected.bounds.left);
    EXPECT_EQ(item.bounds.top, expected.bounds.top);
    EXPECT_EQ(item.bounds.right, expected.bounds.right);
    EXPECT_EQ(item.bounds.bottom, expected.bounds.bottom);
    if (expected.type != kSpin && expected.type != kPopup) {
      EXPECT_EQ(item.text, expected.text ? expected.text : "");
    }
    EXPECT_EQ(kDialogItems[i].procedure, expected.procedure);
    if (expected.type == kSpin) {
      EXPECT_EQ(item.units, 0);
      ASSERT_TRUE(item.minimum.has_value() && item.maximum.has_value());
      EXPECT_EQ(*item.minimum, expected.minimum);
      EXPECT_EQ(*item.maximum, expected.maximum);
      EXPECT_EQ(item.integer, expected.number == kInteger);
      EXPECT_EQ(item.precision, expected.number == kInteger ? -1 : 2);
    } else {
      EXPECT_FALSE(item.minimum.has_value() || item.maximum.has_value());
      EXPECT_EQ(item.precision, -1);
    }
  }
  EXPECT_EQ(opened.state.width, 530);
  EXPECT_EQ(opened.state.height, 320);
}

TEST(OptionsDialogLayout, EveryListEntryWithItsIdAndTheRecordsSelection) {
  DialogSession session;
  ParameterRecord record = session.defaults();
  record.settingsPreset = 19;
  record.placementMode = 6;
  record.heartPreset = 3;
  record.sketchColorMode = 11;
  record.preview = 0;
  session.store(record);
  const Moment& opened = session.capture();
  session.runDialog();
  const std::pair<int32_t, int32_t> selections[] = {{65, 19}, {10, 6}, {66, 3}, {67, 11}};
  for (const ExpectedList& expected : kLists) {
    SCOPED_TRACE("list " + std::to_string(expected.item));
    const ItemState* list = opened.state.item(expected.item);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->entries.size(), expected.entries.size());
    for (size_t at = 0; at < expected.entries.size(); ++at) {
      EXPECT_EQ(list->entries[at].text, expected.entries[at]) << "entry " << at;
      EXPECT_EQ(list->entries[at].id, static_cast<int32_t>(at));
    }
    for (auto [item, selected] : selections) {
      if (item == expected.item) {
        EXPECT_EQ(list->selectedEntry, selected);
      }
    }
  }
  // The placement and heart preset lists get their procedures as they are
  // filled; the sketch colour list gets the value notifier a second time.
  const std::pair<int32_t, DialogProcedure> whenFilled[] = {{65, kNoProcedure},
                                                            {10, kValueProcedure},
                                                            {66, kHeartPresetProcedure},
                                                            {67, kValueProcedure}};
  for (int i = 0; i < kPopupListCount; ++i) {
    EXPECT_EQ(kPopupLists[i].item, whenFilled[i].first);
    EXPECT_EQ(kPopupLists[i].procedureWhenFilled, whenFilled[i].second);
  }
  // Only the lists carry entries.
  size_t lists = 0;
  for (const ItemState& item : opened.state.items) lists += !item.entries.empty();
  EXPECT_EQ(lists, std::size(kLists));
}

// `heart fields` and the script messages name a field's page as the page
// its item stands on: every field of the record with the page the dialog
// shows it on (0: every page), or no item at all.
TEST(OptionsDialogLayout, EachFieldStandsOnThePageOfItsItem) {
  const std::vector<std::pair<int, std::vector<std::string>>> pages = {
      {1,
       {"heartHeight", "curveDistanceLeft", "curveDistanceRight", "curveHeightLeft",
        "curveHeightRight", "slant"}},
      {2,
       {"symmetric", "curveLengthLeft1", "curveLengthLeft2", "curveLengthRight1",
        "curveLengthRight2", "curveAngleLeft", "curveAngleRight"}},
      {3, {"anchorFlag1",       "anchorFlag2",     "anchorFlag3",     "anchorFlag4",
           "interpolatePoints", "heartPreset",     "shapeTweaks[0]",  "shapeTweaks[1]",
           "shapeTweaks[2]",    "shapeTweaks[3]",  "shapeTweaks[4]",  "shapeTweaks[5]",
           "shapeTweaks[6]",    "shapeTweaks[7]",  "shapeTweaks[8]",  "shapeTweaks[9]",
           "shapeTweaks[10]",   "shapeTweaks[11]", "shapeTweaks[12]", "shapeTweaks[13]",
           "shapeTweaks[14]",   "shapeTweaks[15]"}},
      {4,
       {"sketchShift", "sketchWeight", "heartAngle", "centerX", "centerY", "scaleHorizontal",
        "scaleVertical", "sketchRepeats", "sketchColorMode", "placementMode", "heartCount"}},
      {5,
       {"randomShadowScaling", "halfFillShadow", "randomShadowDirection", "randomShadowOpacity",
        "randomCurve", "randomDirectionPoints", "dropShadow", "randomStyle", "randomOpacity",
        "randomWidth", "randomCreatePoints", "randomStroke", "randomFillSwatches", "randomFill",
        "randomHeart"}},
      {6,
       {"basicPattern", "randomSketchWeight", "randomSketchShift", "newLayer", "jitterCenter",
        "jitterScaling", "jitterFill", "jitterStroke", "jitterWidth", "randomWarp", "symbolize",
        "randomScaling", "randomAngle"}},
      {0, {"preview", "viewZoom", "settingsPreset"}},
  };
  const std::vector<std::string> withoutItem = {
      "currentPage",     "finalRun",        "previewDrawn",    "dialogBounds[0]",
      "dialogBounds[1]", "dialogBounds[2]", "dialogBounds[3]", "hasDialogBounds"};
  size_t named = withoutItem.size();
  for (const auto& [page, fields] : pages) {
    named += fields.size();
    for (const std::string& name : fields) {
      SCOPED_TRACE(name);
      const FieldInfo* field = findField(name.c_str());
      ASSERT_NE(field, nullptr);
      ASSERT_NE(field->dialogItem, 0);
      EXPECT_EQ(fieldForItem(field->dialogItem), field);
      EXPECT_EQ(dialogPageOfItem(field->dialogItem), page);
    }
  }
  for (const std::string& name : withoutItem) {
    const FieldInfo* field = findField(name.c_str());
    ASSERT_NE(field, nullptr) << name;
    EXPECT_EQ(field->dialogItem, 0) << name;
  }
  EXPECT_EQ(named, static_cast<size_t>(kFieldCount));
}

}  // namespace
}  // namespace heart::testing
