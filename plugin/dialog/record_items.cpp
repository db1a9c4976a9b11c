#include "dialog/record_items.h"

#include "dialog/dialog_access.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_procedures.h"
#include "suites/held_suites.h"

namespace {

enum BindingKind : int32_t { kRealBinding, kSwitchBinding, kCountBinding, kListBinding };

struct ItemBinding {
  ASInt32 item;
  BindingKind kind;
};

// The bound items in the order they are read; each item's field comes from
// the record's field table. "Preview" is last and read on its own.
const ItemBinding kBindings[] = {
    {11, kRealBinding},    {12, kRealBinding},    {13, kRealBinding},    {14, kRealBinding},
    {15, kRealBinding},    {17, kRealBinding},    {18, kRealBinding},    {19, kRealBinding},
    {20, kRealBinding},    {21, kRealBinding},    {22, kRealBinding},    {16, kRealBinding},
    {24, kRealBinding},    {23, kRealBinding},    {26, kRealBinding},    {25, kCountBinding},
    {133, kSwitchBinding}, {40, kRealBinding},    {41, kRealBinding},    {42, kRealBinding},
    {43, kRealBinding},    {44, kRealBinding},    {45, kRealBinding},    {46, kRealBinding},
    {47, kRealBinding},    {48, kRealBinding},    {49, kRealBinding},    {50, kRealBinding},
    {51, kRealBinding},    {52, kRealBinding},    {53, kRealBinding},    {54, kRealBinding},
    {55, kRealBinding},    {137, kSwitchBinding}, {138, kSwitchBinding}, {139, kSwitchBinding},
    {140, kSwitchBinding}, {4, kRealBinding},     {5, kRealBinding},     {6, kRealBinding},
    {8, kRealBinding},     {9, kRealBinding},     {7, kCountBinding},    {115, kSwitchBinding},
    {116, kSwitchBinding}, {117, kSwitchBinding}, {118, kSwitchBinding}, {136, kSwitchBinding},
    {119, kSwitchBinding}, {120, kSwitchBinding}, {121, kSwitchBinding}, {122, kSwitchBinding},
    {123, kSwitchBinding}, {124, kSwitchBinding}, {125, kSwitchBinding}, {127, kSwitchBinding},
    {128, kSwitchBinding}, {129, kSwitchBinding}, {130, kSwitchBinding}, {131, kSwitchBinding},
    {132, kSwitchBinding}, {135, kSwitchBinding}, {134, kSwitchBinding}, {141, kSwitchBinding},
    {142, kSwitchBinding}, {126, kSwitchBinding}, {143, kSwitchBinding}, {146, kSwitchBinding},
    {144, kSwitchBinding}, {145, kSwitchBinding}, {147, kSwitchBinding}, {10, kListBinding},
    {67, kListBinding},
};

constexpr ItemBinding kPreviewBinding = {kPreviewItem, kSwitchBinding};

void readBinding(ADMDialogRef dialog, ParameterRecord* record, const ItemBinding& binding) {
  const FieldInfo* field = fieldForItem(binding.item);
  ADMItemRef item = sADMDialog->GetItem(dialog, binding.item);
  if (!field || !item) return;
  switch (binding.kind) {
    case kRealBinding:
      setRecordWord(record, *field, sADMItem->GetFloatValue(item));
      break;
    case kSwitchBinding:
      setRecordWord(record, *field, sADMItem->GetBooleanValue(item) ? 1.0f : 0.0f);
      break;
    case kCountBinding:
      setRecordWord(record, *field, static_cast<float>(sADMItem->GetIntValue(item)));
      break;
    case kListBinding: {
      int32_t entryId = 0;
      if (selectedListId(item, &entryId))
        setRecordWord(record, *field, static_cast<float>(entryId));
      break;
    }
  }
}

void writeBinding(ADMDialogRef dialog, const ParameterRecord* record, const ItemBinding& binding) {
  const FieldInfo* field = fieldForItem(binding.item);
  ADMItemRef item = sADMDialog->GetItem(dialog, binding.item);
  if (!field || !item) return;
  switch (binding.kind) {
    case kRealBinding:
      sADMItem->SetFloatValue(item, recordWord(record, *field));
      break;
    case kSwitchBinding:
      sADMItem->SetBooleanValue(item, recordInteger(record, *field) != 0 ? 1 : 0);
      break;
    case kCountBinding:
      sADMItem->SetIntValue(item, recordInteger(record, *field));
      break;
    case kListBinding:
      selectListPosition(item, recordInteger(record, *field));
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

const ASInt32 kShadowItems[] = {143, 144, 146, 145};
const ASInt32 kSketchItems[] = {kSketchWeightItem, kSketchShiftItem, kSketchColorListItem, 141,
                                142};
// The right-hand side of the heart, which follows the left when symmetric.
const ASInt32 kRightHandItems[] = {13,  15, 16, 20, 19, 22, 137, 138, 139, 140,
                                   120, 42, 43, 46, 47, 52, 53,  54,  55};

// Whether the centre items 4 and 5 are used by each placement mode.
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
  for (const ItemBinding& binding : kBindings) readBinding(dialog, record, binding);
}

void readPreviewItem(ADMDialogRef dialog, ParameterRecord* record) {
  readBinding(dialog, record, kPreviewBinding);
}

void writeRecordToItems(ADMDialogRef dialog, const ParameterRecord* record) {
  if (!dialog || !record) return;
  for (const ItemBinding& binding : kBindings) writeBinding(dialog, record, binding);
  writeBinding(dialog, record, kPreviewBinding);
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
