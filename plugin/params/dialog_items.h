// The options dialog's item IDs: every item that the plug-in, the host's
// tools or the command line find by ID, named once. The record's field
// table binds fields to these items, the dialog's layout creates them and
// its procedures find them by these names.
#pragma once

#include <cstdint>

enum DialogItem : int32_t {
  // The command column.
  kCancelItem = 2,
  kPreviewItem = 3,
  kShuffleItem = 60,
  kTumbleItem = 61,
  kTweakItem = 62,
  kJitterItem = 63,
  kBoostItem = 64,

  // Spin edits, each editing the record field it is named for.
  kCenterXItem = 4,
  kCenterYItem = 5,
  kHeartAngleItem = 6,
  kHeartCountItem = 7,
  kScaleHorizontalItem = 8,
  kScaleVerticalItem = 9,
  kHeartHeightItem = 11,
  kCurveDistanceLeftItem = 12,
  kCurveDistanceRightItem = 13,
  kCurveHeightLeftItem = 14,
  kCurveHeightRightItem = 15,
  kSlantItem = 16,
  kCurveLengthLeft1Item = 17,
  kCurveLengthLeft2Item = 18,
  kCurveLengthRight1Item = 19,
  kCurveLengthRight2Item = 20,
  kCurveAngleLeftItem = 21,
  kCurveAngleRightItem = 22,
  kSketchShiftItem = 23,
  kSketchWeightItem = 24,
  kSketchRepeatsItem = 25,
  kInterpolatePointsItem = 26,
  kViewZoomItem = 27,
  kFirstShapeTweakItem = 40,  // shapeTweaks[k] is item 40 + k

  // Popup lists.
  kPlacementListItem = 10,
  kSettingsListItem = 65,
  kHeartPresetListItem = 66,
  kSketchColorListItem = 67,

  // Labels beside the spin edits.
  kHeartHeightLabel = 70,
  kCurveDistanceLabel = 71,
  kCurveHeightLabel = 72,
  kCurveAngleLabel = 73,
  kCurveLengthLabel = 74,
  kScalingLabel = 75,
  kAngleLabel = 76,
  kHeartCountLabel = 77,
  kSlantLabel = 79,
  kAnchorsLabel = 80,
  kSketchShiftLabel = 81,
  kSketchWeightLabel = 82,
  kSketchRepeatsLabel = 83,
  kInterpolatePointsLabel = 84,

  // Page buttons 1 to 6 and the captions under them. The page-1 caption
  // shares its ID with the page-6 button.
  kFirstPageButtonItem = 90,
  kFirstCaptionItem = 95,

  // Check boxes, each switching the record field it is named for.
  kRandomFillItem = 115,
  kRandomFillSwatchesItem = 116,
  kRandomStrokeItem = 117,
  kRandomHeartItem = 118,
  kRandomAngleItem = 119,
  kRandomCreatePointsItem = 120,
  kRandomWidthItem = 121,
  kRandomOpacityItem = 122,
  kRandomStyleItem = 123,
  kRandomScalingItem = 124,
  kSymbolizeItem = 125,
  kDropShadowItem = 126,
  kRandomWarpItem = 127,
  kJitterFillItem = 128,
  kJitterStrokeItem = 129,
  kJitterWidthItem = 130,
  kJitterCenterItem = 131,
  kJitterScalingItem = 132,
  kSymmetricItem = 133,
  kRandomDirectionPointsItem = 134,
  kNewLayerItem = 135,
  kRandomCurveItem = 136,
  kAnchorFlag1Item = 137,
  kAnchorFlag2Item = 138,
  kAnchorFlag3Item = 139,
  kAnchorFlag4Item = 140,
  kRandomSketchShiftItem = 141,
  kRandomSketchWeightItem = 142,
  kRandomShadowDirectionItem = 143,
  kRandomShadowOpacityItem = 144,
  kHalfFillShadowItem = 145,
  kRandomShadowScalingItem = 146,
  kBasicPatternItem = 147,

  // Point picker buttons, each beside the spin edit it sets.
  kFirstPickerItem = 160,
};
