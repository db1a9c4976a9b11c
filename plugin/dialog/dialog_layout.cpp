#include "plugin/dialog/dialog_layout.h"

namespace {

#define SPIN(id, l, t, r, b, proc) \
  { id, kSpinEditItem, {l, t, r, b}, nullptr, proc }
#define LABEL(id, l, t, r, b, text) \
  { id, kTextStaticItem, {l, t, r, b}, text, kNoProcedure }
#define POPUP(id, l, t, r, b, proc) \
  { id, kPopupListItem, {l, t, r, b}, nullptr, proc }
#define PICTURE(id, l, t, r, b, proc) \
  { id, kPicturePushButtonItem, {l, t, r, b}, nullptr, proc }
#define BUTTON(id, l, t, r, b, text, proc) \
  { id, kTextPushButtonItem, {l, t, r, b}, text, proc }
#define CHECK(id, l, t, r, b, text) \
  { id, kTextCheckBoxItem, {l, t, r, b}, text, kValueProcedure }
// The shape tweak grid: four rows of four, tweak k in row k / 4, column k % 4.
#define TWEAK(k)                                                                                  \
  SPIN(kFirstShapeTweakItem + (k), 20 + 70 * ((k) % 4), 70 + 22 * ((k) / 4), 80 + 70 * ((k) % 4), \
       90 + 22 * ((k) / 4), kValueProcedure)
// The settings pages' check boxes: one column, 17 apart from the top at 60.
#define SETTING(id, row, text) CHECK(id, 10, 60 + 17 * (row), 300, 74 + 17 * (row), text)

}  // namespace

const DialogItemLayout kDialogItems[kDialogItemCount] = {
    // Spin edits.
    SPIN(kHeartHeightItem, 180, 70, 240, 90, kValueProcedure),
    SPIN(kCurveDistanceLeftItem, 180, 92, 240, 112, kValueProcedure),
    SPIN(kCurveDistanceRightItem, 280, 92, 340, 112, kValueProcedure),
    SPIN(kCurveHeightLeftItem, 180, 114, 240, 134, kValueProcedure),
    SPIN(kCurveHeightRightItem, 280, 114, 340, 134, kValueProcedure),
    SPIN(kSlantItem, 180, 136, 240, 156, kValueProcedure),
    SPIN(kViewZoomItem, 450, 295, 510, 315, kZoomProcedure),
    SPIN(kCurveLengthLeft1Item, 180, 70, 240, 90, kValueProcedure),
    SPIN(kCurveLengthLeft2Item, 250, 70, 310, 90, kValueProcedure),
    SPIN(kCurveLengthRight1Item, 180, 92, 240, 112, kValueProcedure),
    SPIN(kCurveLengthRight2Item, 250, 92, 310, 112, kValueProcedure),
    SPIN(kCurveAngleLeftItem, 180, 114, 240, 134, kValueProcedure),
    SPIN(kCurveAngleRightItem, 250, 114, 310, 134, kValueProcedure),
    TWEAK(0),
    TWEAK(1),
    TWEAK(2),
    TWEAK(3),
    TWEAK(4),
    TWEAK(5),
    TWEAK(6),
    TWEAK(7),
    TWEAK(8),
    TWEAK(9),
    TWEAK(10),
    TWEAK(11),
    TWEAK(12),
    TWEAK(13),
    TWEAK(14),
    TWEAK(15),
    SPIN(kInterpolatePointsItem, 180, 226, 240, 246, kValueProcedure),
    SPIN(kCenterXItem, 180, 90, 240, 110, kValueProcedure),
    SPIN(kCenterYItem, 180, 112, 240, 132, kValueProcedure),
    SPIN(kHeartAngleItem, 180, 134, 240, 154, kValueProcedure),
    SPIN(kScaleHorizontalItem, 180, 156, 240, 176, kValueProcedure),
    SPIN(kScaleVerticalItem, 180, 178, 240, 198, kValueProcedure),
    SPIN(kHeartCountItem, 180, 200, 240, 220, kValueProcedure),
    SPIN(kSketchWeightItem, 180, 250, 240, 270, kValueProcedure),
    SPIN(kSketchShiftItem, 180, 272, 240, 292, kValueProcedure),
    SPIN(kSketchRepeatsItem, 180, 294, 240, 314, kValueProcedure),
    // Labels.
    LABEL(kHeartHeightLabel, 10, 70, 178, 90, "Heart height (p)"),
    LABEL(kCurveDistanceLabel, 10, 92, 178, 112, "Curve distance (p)"),
    LABEL(kCurveHeightLabel, 10, 114, 178, 134, "Curve height (p)"),
    LABEL(kSlantLabel, 10, 136, 178, 156, "Slant (o)"),
    LABEL(kCurveLengthLabel, 10, 80, 178, 100, "Curve length (p)"),
    LABEL(kCurveAngleLabel, 10, 114, 178, 134, "Curve angle (o)"),
    LABEL(kAnchorsLabel, 10, 200, 100, 220, "Anchors"),
    LABEL(kInterpolatePointsLabel, 10, 226, 178, 246, "Interpolate points (%)"),
    LABEL(kAngleLabel, 10, 134, 178, 154, "Angle (o)"),
    LABEL(kScalingLabel, 10, 166, 178, 186, "Scaling (%)"),
    LABEL(kHeartCountLabel, 10, 200, 178, 220, "Number of hearts"),
    LABEL(kSketchWeightLabel, 10, 250, 178, 270, "Sketch weight (/10p)"),
    LABEL(kSketchShiftLabel, 10, 272, 178, 292, "Sketch shift (p)"),
    LABEL(kSketchRepeatsLabel, 10, 294, 178, 314, "Sketch repeats"),
    // Popup lists; the placement and heart preset lists get their procedures
    // when they are filled.
    POPUP(kSettingsListItem, 440, 242, 520, 262, kSettingsListProcedure),
    POPUP(kPlacementListItem, 10, 100, 160, 120, kNoProcedure),
    POPUP(kHeartPresetListItem, 10, 170, 160, 190, kNoProcedure),
    POPUP(kSketchColorListItem, 10, 225, 160, 245, kValueProcedure),
    // Point picker buttons, each beside the spin edit it sets.
    PICTURE(kFirstPickerItem, 250, 70, 270, 90, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 1, 250, 92, 270, 112, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 2, 350, 92, 370, 112, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 3, 250, 114, 270, 134, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 4, 350, 114, 370, 134, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 5, 250, 136, 270, 156, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 6, 250, 226, 270, 246, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 7, 250, 156, 270, 176, kPointPickerProcedure),
    PICTURE(kFirstPickerItem + 8, 250, 178, 270, 198, kPointPickerProcedure),
    // The command column.
    BUTTON(kCancelItem, 440, 40, 520, 60, "Cancel", kNoProcedure),
    BUTTON(kShuffleItem, 440, 70, 520, 90, "Shuffle", kValueProcedure),
    BUTTON(kTumbleItem, 440, 100, 520, 120, "Tumble", kTumbleProcedure),
    BUTTON(kTweakItem, 440, 130, 520, 150, "Tweak", kAdjustProcedure),
    BUTTON(kJitterItem, 440, 160, 520, 180, "Jitter", kAdjustProcedure),
    BUTTON(kBoostItem, 440, 190, 520, 210, "Boost", kAdjustProcedure),
    // Check boxes.
    CHECK(kPreviewItem, 440, 220, 520, 234, "Preview"),
    CHECK(kSymmetricItem, 10, 200, 145, 214, "Symmetric"),
    CHECK(kAnchorFlag1Item, 105, 200, 125, 214, nullptr),
    CHECK(kAnchorFlag3Item, 130, 200, 150, 214, nullptr),
    CHECK(kAnchorFlag2Item, 155, 200, 175, 214, nullptr),
    CHECK(kAnchorFlag4Item, 180, 200, 200, 214, nullptr),
    SETTING(kRandomFillItem, 0, "Fill [R]"),
    SETTING(kRandomFillSwatchesItem, 1, "Fill swatches [R]"),
    SETTING(kRandomStrokeItem, 2, "Stroke [R]"),
    SETTING(kRandomWidthItem, 3, "Width [R]"),
    SETTING(kRandomOpacityItem, 4, "Opacity [R]"),
    SETTING(kRandomStyleItem, 5, "Style [R]"),
    SETTING(kRandomHeartItem, 6, "Heart [R]"),
    SETTING(kRandomCurveItem, 7, "Curve [R]"),
    SETTING(kDropShadowItem, 8, "Drop shadow"),
    SETTING(kRandomShadowDirectionItem, 9, "Shadow direction [R]"),
    SETTING(kRandomShadowOpacityItem, 10, "Shadow opacity [R]"),
    SETTING(kHalfFillShadowItem, 11, "Half fill shadow"),
    SETTING(kRandomShadowScalingItem, 12, "Shadow scaling [R]"),
    SETTING(kRandomCreatePointsItem, 13, "Create points [R]"),
    SETTING(kRandomDirectionPointsItem, 14, "Direction points [R]"),
    SETTING(kNewLayerItem, 0, "New Layer"),
    SETTING(kSymbolizeItem, 1, "Symbolize"),
    SETTING(kRandomWarpItem, 2, "Warp [R]"),
    SETTING(kRandomScalingItem, 3, "Scaling [R]"),
    SETTING(kRandomAngleItem, 4, "Angle [R]"),
    SETTING(kJitterScalingItem, 5, "Jitter scaling [R]"),
    SETTING(kJitterCenterItem, 6, "Jitter center [R]"),
    SETTING(kJitterFillItem, 7, "Jitter fill [R]"),
    SETTING(kJitterStrokeItem, 8, "Jitter stroke [R]"),
    SETTING(kJitterWidthItem, 9, "Jitter width [R]"),
    SETTING(kRandomSketchShiftItem, 10, "Sketch shift [R]"),
    SETTING(kRandomSketchWeightItem, 11, "Sketch weight [R]"),
    SETTING(kBasicPatternItem, 12, "Basic pattern"),
    // Page buttons along the top, then the captions under them.
    PICTURE(kFirstPageButtonItem, 10, 5, 60, 35, kPageButtonProcedure),
    PICTURE(kFirstPageButtonItem + 1, 80, 5, 130, 35, kPageButtonProcedure),
    PICTURE(kFirstPageButtonItem + 2, 150, 5, 200, 35, kPageButtonProcedure),
    PICTURE(kFirstPageButtonItem + 3, 220, 5, 270, 35, kPageButtonProcedure),
    PICTURE(kFirstPageButtonItem + 4, 290, 5, 340, 35, kPageButtonProcedure),
    PICTURE(kFirstPageButtonItem + 5, 360, 5, 410, 35, kPageButtonProcedure),
    LABEL(kFirstCaptionItem, 16, 40, 79, 55, kDialogPages[0].name),
    LABEL(kFirstCaptionItem + 1, 81, 40, 149, 55, kDialogPages[1].name),
    LABEL(kFirstCaptionItem + 2, 151, 40, 219, 55, kDialogPages[2].name),
    LABEL(kFirstCaptionItem + 3, 221, 40, 289, 55, kDialogPages[3].name),
    LABEL(kFirstCaptionItem + 4, 290, 40, 359, 55, kDialogPages[4].name),
    LABEL(kFirstCaptionItem + 5, 360, 40, 430, 55, kDialogPages[5].name),
};

#undef SPIN
#undef LABEL
#undef POPUP
#undef PICTURE
#undef BUTTON
#undef CHECK
#undef TWEAK
#undef SETTING

const DialogItemLayout* layoutOfItem(ASInt32 itemId) {
  for (const DialogItemLayout& layout : kDialogItems)
    if (layout.id == itemId) return &layout;
  return nullptr;
}
