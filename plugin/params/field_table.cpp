#include "plugin/params/field_table.h"

#include <cstring>

#include "plugin/params/dialog_items.h"

#define HEART_BOOL(name, item, def)                                                            \
  {                                                                                            \
#name, offsetof(ParameterRecord, name), kFieldBool, "", 0, 1, true, kDefaultConstant, def, \
        item                                                                                   \
  }
#define HEART_REAL(name, unit, lo, hi, def, item)                                              \
  {                                                                                            \
#name, offsetof(ParameterRecord, name), kFieldFloat, unit, lo, hi, true, kDefaultConstant, \
        def, item                                                                              \
  }
#define HEART_INT(name, unit, lo, hi, def, item)                                                  \
  {                                                                                               \
#name, offsetof(ParameterRecord, name), kFieldInt, unit, lo, hi, true, kDefaultConstant, def, \
        item                                                                                      \
  }
#define HEART_TWEAK(k)                                                                    \
  {                                                                                       \
    "shapeTweaks[" #k "]", offsetof(ParameterRecord, shapeTweaks) + 4 * (k), kFieldFloat, \
        "points", -1500, 1500, true, kDefaultConstant, 0, kFirstShapeTweakItem + (k)      \
  }
#define HEART_RESERVED(name, offset, kind) \
  { name, offset, kFieldInt, "", 0, 0, false, kind, 0, 0 }

const FieldInfo kFieldTable[kFieldCount] = {
    HEART_BOOL(basicPattern, kBasicPatternItem, 0),
    HEART_BOOL(randomShadowScaling, kRandomShadowScalingItem, 0),
    HEART_BOOL(halfFillShadow, kHalfFillShadowItem, 0),
    HEART_BOOL(randomShadowDirection, kRandomShadowDirectionItem, 0),
    HEART_BOOL(randomShadowOpacity, kRandomShadowOpacityItem, 0),
    HEART_BOOL(randomSketchWeight, kRandomSketchWeightItem, 1),
    HEART_BOOL(randomSketchShift, kRandomSketchShiftItem, 1),
    HEART_BOOL(randomCurve, kRandomCurveItem, 0),
    HEART_BOOL(newLayer, kNewLayerItem, 0),
    HEART_BOOL(symmetric, kSymmetricItem, 0),
    HEART_BOOL(randomDirectionPoints, kRandomDirectionPointsItem, 0),
    HEART_BOOL(jitterCenter, kJitterCenterItem, 0),
    HEART_BOOL(jitterScaling, kJitterScalingItem, 0),
    HEART_BOOL(jitterFill, kJitterFillItem, 0),
    HEART_BOOL(jitterStroke, kJitterStrokeItem, 0),
    HEART_BOOL(jitterWidth, kJitterWidthItem, 0),
    HEART_BOOL(randomWarp, kRandomWarpItem, 0),
    HEART_BOOL(dropShadow, kDropShadowItem, 0),
    HEART_BOOL(symbolize, kSymbolizeItem, 0),
    HEART_BOOL(randomScaling, kRandomScalingItem, 0),
    HEART_BOOL(randomStyle, kRandomStyleItem, 0),
    HEART_BOOL(randomOpacity, kRandomOpacityItem, 0),
    HEART_BOOL(randomWidth, kRandomWidthItem, 0),
    HEART_BOOL(randomCreatePoints, kRandomCreatePointsItem, 0),
    HEART_BOOL(randomAngle, kRandomAngleItem, 0),
    HEART_BOOL(randomStroke, kRandomStrokeItem, 0),
    HEART_BOOL(randomFillSwatches, kRandomFillSwatchesItem, 0),
    HEART_BOOL(preview, kPreviewItem, 1),
    HEART_BOOL(randomFill, kRandomFillItem, 0),
    HEART_BOOL(randomHeart, kRandomHeartItem, 0),
    HEART_BOOL(anchorFlag1, kAnchorFlag1Item, 1),
    HEART_BOOL(anchorFlag2, kAnchorFlag2Item, 1),
    HEART_BOOL(anchorFlag3, kAnchorFlag3Item, 1),
    HEART_BOOL(anchorFlag4, kAnchorFlag4Item, 1),
    HEART_REAL(viewZoom, "percent", 1, 500, 100, kViewZoomItem),
    HEART_REAL(interpolatePoints, "percent", -1000, 1000, 0, kInterpolatePointsItem),
    HEART_REAL(sketchShift, "points", 0, 200, 0, kSketchShiftItem),
    HEART_REAL(sketchWeight, "tenths of a point", 0, 400, 0, kSketchWeightItem),
    HEART_REAL(heartHeight, "points", -1500, 2500, 100, kHeartHeightItem),
    HEART_REAL(curveDistanceLeft, "points", -1000, 1000, -70, kCurveDistanceLeftItem),
    HEART_REAL(curveDistanceRight, "points", -1000, 1000, 70, kCurveDistanceRightItem),
    HEART_REAL(curveHeightLeft, "points", -1000, 1000, 40, kCurveHeightLeftItem),
    HEART_REAL(curveHeightRight, "points", -1000, 1000, 40, kCurveHeightRightItem),
    HEART_REAL(curveLengthLeft1, "points", -2000, 2000, 60, kCurveLengthLeft1Item),
    HEART_REAL(curveLengthLeft2, "points", -2000, 2000, 60, kCurveLengthLeft2Item),
    HEART_REAL(curveLengthRight1, "points", -2000, 2000, 60, kCurveLengthRight1Item),
    HEART_REAL(curveLengthRight2, "points", -2000, 2000, 60, kCurveLengthRight2Item),
    HEART_REAL(curveAngleLeft, "degrees", -360, 360, 135, kCurveAngleLeftItem),
    HEART_REAL(curveAngleRight, "degrees", -360, 360, 45, kCurveAngleRightItem),
    HEART_REAL(heartAngle, "degrees", -5000, 5000, 0, kHeartAngleItem),
    {"centerX", offsetof(ParameterRecord, centerX), kFieldFloat, "points", -5000, 5000, true,
     kDefaultViewX, 0, kCenterXItem},
    {"centerY", offsetof(ParameterRecord, centerY), kFieldFloat, "points", -5000, 5000, true,
     kDefaultViewY, 0, kCenterYItem},
    HEART_REAL(scaleHorizontal, "percent", -500, 500, 100, kScaleHorizontalItem),
    HEART_REAL(scaleVertical, "percent", -500, 500, 100, kScaleVerticalItem),
    HEART_REAL(slant, "degrees", -360, 360, 0, kSlantItem),
    HEART_TWEAK(0),
    HEART_TWEAK(1),
    HEART_TWEAK(2),
    HEART_TWEAK(3),
    HEART_TWEAK(4),
    HEART_TWEAK(5),
    HEART_TWEAK(6),
    HEART_TWEAK(7),
    HEART_TWEAK(8),
    HEART_TWEAK(9),
    HEART_TWEAK(10),
    HEART_TWEAK(11),
    HEART_TWEAK(12),
    HEART_TWEAK(13),
    HEART_TWEAK(14),
    HEART_TWEAK(15),
    HEART_INT(currentPage, "", 1, 6, 1, 0),
    HEART_INT(sketchRepeats, "count", 0, 60, 0, kSketchRepeatsItem),
    HEART_INT(sketchColorMode, "list index", 0, 11, 0, kSketchColorListItem),
    HEART_INT(heartPreset, "list index", 0, 8, 0, kHeartPresetListItem),
    HEART_INT(placementMode, "list index", 0, 7, 0, kPlacementListItem),
    HEART_INT(heartCount, "count", 1, 400, 1, kHeartCountItem),
    HEART_INT(settingsPreset, "list index", 0, 26, 0, kSettingsListItem),
    {"finalRun", offsetof(ParameterRecord, finalRun), kFieldInt, "", 0, 1, true, kDefaultNotWritten,
     0, 0},
    {"previewDrawn", offsetof(ParameterRecord, previewDrawn), kFieldInt, "", 0, 1, true,
     kDefaultConstant, 0, 0},
    HEART_RESERVED("dialogBounds[0]", 320, kDefaultNotWritten),
    HEART_RESERVED("dialogBounds[1]", 324, kDefaultNotWritten),
    HEART_RESERVED("dialogBounds[2]", 328, kDefaultNotWritten),
    HEART_RESERVED("dialogBounds[3]", 332, kDefaultNotWritten),
    HEART_RESERVED("hasDialogBounds", 336, kDefaultConstant),
};

#undef HEART_BOOL
#undef HEART_REAL
#undef HEART_INT
#undef HEART_TWEAK
#undef HEART_RESERVED

const FieldInfo* findField(const char* name) {
  if (!name) return nullptr;
  for (const FieldInfo& field : kFieldTable)
    if (std::strcmp(field.name, name) == 0) return &field;
  return nullptr;
}

const FieldInfo* fieldAtOffset(int32_t offset) {
  for (const FieldInfo& field : kFieldTable)
    if (field.offset == offset) return &field;
  return nullptr;
}

const FieldInfo* fieldForItem(int32_t itemId) {
  if (itemId <= 0) return nullptr;
  for (const FieldInfo& field : kFieldTable)
    if (field.dialogItem == itemId) return &field;
  return nullptr;
}

namespace {

// A word's 32 bits as they are stored, read or written as a T.
template <class T>
T storedAs(const ParameterRecord* record, const FieldInfo& field) {
  T value;
  std::memcpy(&value, reinterpret_cast<const char*>(record) + field.offset, sizeof value);
  return value;
}

template <class T>
void storeAs(ParameterRecord* record, const FieldInfo& field, T value) {
  std::memcpy(reinterpret_cast<char*>(record) + field.offset, &value, sizeof value);
}

}  // namespace

float fieldValue(const ParameterRecord* record, const FieldInfo& field) {
  if (field.type == kFieldFloat) return storedAs<float>(record, field);
  return static_cast<float>(storedAs<int32_t>(record, field));
}

void setFieldValue(ParameterRecord* record, const FieldInfo& field, float value) {
  if (field.type == kFieldFloat)
    storeAs(record, field, value);
  else
    storeAs(record, field, static_cast<int32_t>(value));
}

int32_t fieldInteger(const ParameterRecord* record, const FieldInfo& field) {
  if (field.type != kFieldFloat) return storedAs<int32_t>(record, field);
  const float real = storedAs<float>(record, field);
  return real > -2147483648.0f && real < 2147483648.0f ? static_cast<int32_t>(real) : 0;
}

void setFieldInteger(ParameterRecord* record, const FieldInfo& field, int32_t value) {
  if (field.type == kFieldFloat)
    storeAs(record, field, static_cast<float>(value));
  else
    storeAs(record, field, value);
}
