#include "plugin/dialog/record_items.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/suites/held_suites.h"

namespace {

enum BindingKind : int32_t { kRealBinding, kSwitchBinding, kCountBinding, kListBinding };

// The bound items in the order they are read; each item's field comes from
// the record's field table. "Preview" is last and read on its own.
// clang-format off
const ASInt32 kBoundItems[] = {
    kHeartHeightItem, kCurveDistanceLeftItem, kCurveDistanceRightItem, kCurveHeightLeftItem,
    kCurveHeightRightItem,
    kCurveLengthLeft1Item, kCurveLengthLeft2Item, kCurveLengthRight1Item, kCurveLengthRight2Item,
    kCurveAngleLeftItem, kCurveAngleRightItem, kSlantItem,
    kSketchWeightItem, kSketchShiftItem, kInterpolatePointsItem, kSketchRepeatsItem, kSymmetricItem,
    kFirstShapeTweakItem, kFirstShapeTweakItem + 1, kFirstShapeTweakItem + 2,
    kFirstShapeTweakItem + 3, kFirstShapeTweakItem + 4, kFirstShapeTweakItem + 5,
    kFirstShapeTweakItem + 6, kFirstShapeTweakItem + 7, kFirstShapeTweakItem + 8,
    kFirstShapeTweakItem + 9, kFirstShapeTweakItem + 10, kFirstShapeTweakItem + 11,
    kFirstShapeTweakItem + 12, kFirstShapeTweakItem + 13, kFirstShapeTweakItem + 14,
    kFirstShapeTweakItem + 15,
    kAnchorFlag1Item, kAnchorFlag2Item, kAnchorFlag3Item, kAnchorFlag4Item,
    kCenterXItem, kCenterYItem, kHeartAngleItem, kScaleHorizontalItem, kScaleVerticalItem,
    kHeartCountItem,
    kRandomFillItem, kRandomFillSwatchesItem, kRandomStrokeItem, kRandomHeartItem, kRandomCurveItem,
    kRandomAngleItem, kRandomCreatePointsItem, kRandomWidthItem, kRandomOpacityItem,
    kRandomStyleItem, kRandomScalingItem, kSymbolizeItem, kRandomWarpItem, kJitterFillItem,
    kJitterStrokeItem, kJitterWidthItem, kJitterCenterItem, kJitterScalingItem, kNewLayerItem,
    kRandomDirectionPointsItem, kRandomSketchShiftItem, kRandomSketchWeightItem, kDropShadowItem,
    kRandomShadowDirectionItem, kRandomShadowScalingItem, kRandomShadowOpacityItem,
    kHalfFillShadowItem, kBasicPatternItem,
    kPlacementListItem, kSketchColorListItem};
// clang-format on

// How a value passes between an item and its field: reals and switches by
// the field's type, whole numbers as a spin edit's count or a list's entry.
BindingKind bindingKind(const FieldInfo& field, ASInt32 itemId) {
  if (field.type == kFieldFloat) return kRealBinding;
  if (field.type == kFieldBool) return kSwitchBinding;
  const DialogItemLayout* layout = layoutOfItem(itemId);
  return layout && layout->kind == kPopupListItem ? kListBinding : kCountBinding;
}

void readBinding(ADMDialogRef dialog, ParameterRecord* record, ASInt32 itemId) {
  const FieldInfo* field = fieldForItem(itemId);
  ADMItemRef item = sADMDialog->GetItem(dialog, itemId);
  if (!field || !item) return;
  switch (bindingKind(*field, itemId)) {
    case kRealBinding:
      setFieldValue(record, *field, sADMItem->GetFloatValue(item));
      break;
    case kSwitchBinding:
      setFieldValue(record, *field, sADMItem->GetBooleanValue(item) ? 1.0f : 0.0f);
      break;
    case kCountBinding:
      setFieldValue(record, *field, static_cast<float>(sADMItem->GetIntValue(item)));
      break;
    case kListBinding: {
      int32_t entryId = 0;
      if (selectedListId(item, &entryId))
        setFieldValue(record, *field, static_cast<float>(entryId));
      break;
    }
  }
}

void writeBinding(ADMDialogRef dialog, const ParameterRecord* record, ASInt32 itemId) {
  const FieldInfo* field = fieldForItem(itemId);
  ADMItemRef item = sADMDialog->GetItem(dialog, itemId);
  if (!field || !item) return;
  switch (bindingKind(*field, itemId)) {
    case kRealBinding:
      sADMItem->SetFloatValue(item, fieldValue(record, *field));
      break;
    case kSwitchBinding:
      sADMItem->SetBooleanValue(item, fieldInteger(record, *field) != 0 ? 1 : 0);
      break;
    case kCountBinding:
      sADMItem->SetIntValue(item, fieldInteger(record, *field));
      break;
    case kListBinding:
      selectListPosition(item, fieldInteger(record, *field));
      break;
  }
}

void enable(ADMDialogRef dialog, ASInt32 itemId, bool enabled) {
  if (ADMItemRef item = sADMDialog->GetItem(dialog, itemId))
    sADMItem->Enable(item, enabled ? 1 : 0);
}

template <int N>
void enableAll(ADMDialogRef dialog, const ASInt32 (&items)[N], bool enabled) {
  for (ASInt32 itemId : items) enable(dialog, itemId, enabled);
}

const ASInt32 kShadowItems[] = {kRandomShadowDirectionItem, kRandomShadowOpacityItem,
                                kRandomShadowScalingItem, kHalfFillShadowItem};
const ASInt32 kSketchItems[] = {kSketchWeightItem, kSketchShiftItem, kSketchColorListItem,
                                kRandomSketchShiftItem, kRandomSketchWeightItem};
// The right-hand side of the heart, which follows the left when symmetric.
const ASInt32 kRightHandItems[] = {
    kCurveDistanceRightItem,   kCurveHeightRightItem,     kSlantItem,
    kCurveLengthRight2Item,    kCurveLengthRight1Item,    kCurveAngleRightItem,
    kAnchorFlag1Item,          kAnchorFlag2Item,          kAnchorFlag3Item,
    kAnchorFlag4Item,          kRandomCreatePointsItem,   kFirstShapeTweakItem + 2,
    kFirstShapeTweakItem + 3,  kFirstShapeTweakItem + 6,  kFirstShapeTweakItem + 7,
    kFirstShapeTweakItem + 12, kFirstShapeTweakItem + 13, kFirstShapeTweakItem + 14,
    kFirstShapeTweakItem + 15};

// Whether the centre spin edits are used by each placement mode.
struct CentreUse {
  bool horizontal;
  bool vertical;
};
const CentreUse kCentreUseByPlacement[kPlacementEntryCount] = {
    {true, true},  {false, false}, {false, false}, {false, false},
    {false, true}, {true, false},  {false, false}, {false, false},
};

}  // namespace

void readItemsIntoRecord(ADMDialogRef dialog, ParameterRecord* record) {
  for (ASInt32 itemId : kBoundItems) readBinding(dialog, record, itemId);
}

void readPreviewItem(ADMDialogRef dialog, ParameterRecord* record) {
  readBinding(dialog, record, kPreviewItem);
}

void writeRecordToItems(ADMDialogRef dialog, const ParameterRecord* record) {
  if (!dialog || !record) return;
  for (ASInt32 itemId : kBoundItems) writeBinding(dialog, record, itemId);
  writeBinding(dialog, record, kPreviewItem);
}

void updateEnabledStates(ADMDialogRef dialog, const ParameterRecord* record) {
  enableAll(dialog, kShadowItems, record->dropShadow != 0);
  enableAll(dialog, kSketchItems, record->sketchRepeats != 0);
  enableAll(dialog, kRightHandItems, record->symmetric == 0);
  if (record->placementMode >= 0 && record->placementMode < kPlacementEntryCount) {
    const CentreUse& use = kCentreUseByPlacement[record->placementMode];
    enable(dialog, kCenterXItem, use.horizontal);
    enable(dialog, kCenterYItem, use.vertical);
  }
}
