#include "plugin/dialog/heart_presets.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/suites/held_suites.h"

namespace {

// The shape tweaks of " Heart 1" to " Heart 9", element 0 first.
const float kHeartPresets[kHeartPresetEntryCount][kShapeTweakCount] = {
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

}  // namespace

ASErr heartPresetNotifier(ADMItemRef item, ADMNotifierRef notifier) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return kNoErr;
  sADMItem->DefaultNotify(item, notifier);
  // The entry the user chose; with none, the tweaks and the preset stay.
  ADMItemRef listItem = sADMDialog->GetItem(dialog, kHeartPresetListItem);
  ADMListRef list = listItem ? sADMItem->GetList(listItem) : nullptr;
  ADMEntryRef active = list ? sADMList->GetActiveEntry(list) : nullptr;
  if (active) {
    const int32_t presetId = sADMEntry->GetID(active);
    record->heartPreset = presetId;
    if (presetId >= 0 && presetId < kHeartPresetEntryCount)
      for (int k = 0; k < kShapeTweakCount; ++k)
        record->shapeTweaks[k] = kHeartPresets[presetId][k];
  }
  for (int k = 0; k < kShapeTweakCount; ++k)
    if (ADMItemRef tweak = sADMDialog->GetItem(dialog, kFirstShapeTweakItem + k))
      sADMItem->SetFloatValue(tweak, record->shapeTweaks[k]);
  if (ADMItemRef first = sADMDialog->GetItem(dialog, kFirstShapeTweakItem))
    sADMItem->SendNotify(first, kADMUserChangedNotifier);
  return kNoErr;
}
