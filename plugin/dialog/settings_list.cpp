#include "plugin/dialog/settings_list.h"

#include <cstddef>

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/dialog/front_view_centre.h"
#include "plugin/dialog/record_items.h"
#include "plugin/dialog/value_notifier.h"
#include "plugin/suites/held_suites.h"

namespace {

// One change a settings entry makes after the settings base.
struct FieldChange {
  int32_t offset;
  float value;
};

#define CHANGE(field, value) \
  { static_cast<int32_t>(offsetof(ParameterRecord, field)), value }

const FieldChange kRandomFillOfHeart[] = {CHANGE(randomFill, 1)};
const FieldChange kRandomColorHearts[] = {CHANGE(randomFill, 1), CHANGE(heartCount, 100),
                                          CHANGE(placementMode, 2)};
const FieldChange kTallerHeart[] = {CHANGE(heartHeight, 200)};
const FieldChange kWiderHeart[] = {CHANGE(curveDistanceLeft, -200),
                                   CHANGE(curveDistanceRight, 200)};
const FieldChange kHigherHeart[] = {CHANGE(curveHeightLeft, 100)};
const FieldChange kLeaning[] = {CHANGE(curveHeightLeft, 100), CHANGE(slant, 40)};
const FieldChange kCloser[] = {CHANGE(curveLengthLeft1, 100), CHANGE(curveLengthLeft2, 100),
                               CHANGE(curveLengthRight1, 100), CHANGE(curveLengthRight2, 100)};
const FieldChange kSharper[] = {CHANGE(curveAngleLeft, 200), CHANGE(curveAngleRight, -20)};
const FieldChange kFlatten[] = {CHANGE(shapeTweaks[0], -150), CHANGE(shapeTweaks[2], 150)};
const FieldChange kSwing[] = {CHANGE(shapeTweaks[1], 100), CHANGE(shapeTweaks[3], 100)};
const FieldChange kSketchyHeart1[] = {CHANGE(sketchColorMode, 0),   CHANGE(sketchShift, 10),
                                      CHANGE(sketchWeight, 10),     CHANGE(sketchRepeats, 7),
                                      CHANGE(randomSketchShift, 1), CHANGE(randomSketchWeight, 1)};
const FieldChange kSketchyHeart2[] = {CHANGE(sketchColorMode, 10),  CHANGE(sketchShift, 10),
                                      CHANGE(sketchWeight, 17),     CHANGE(sketchRepeats, 10),
                                      CHANGE(randomSketchShift, 1), CHANGE(randomSketchWeight, 1)};
const FieldChange kColorHeart1[] = {CHANGE(sketchColorMode, 2),   CHANGE(sketchShift, 5),
                                    CHANGE(sketchWeight, 150),    CHANGE(sketchRepeats, 6),
                                    CHANGE(randomSketchShift, 0), CHANGE(randomSketchWeight, 1)};
const FieldChange kSketchyHeart3[] = {CHANGE(sketchColorMode, 3),   CHANGE(sketchShift, 10),
                                      CHANGE(sketchWeight, 10),     CHANGE(sketchRepeats, 10),
                                      CHANGE(randomSketchShift, 1), CHANGE(randomSketchWeight, 1)};
const FieldChange kColorHeart2[] = {CHANGE(sketchColorMode, 9),   CHANGE(sketchShift, 5),
                                    CHANGE(sketchWeight, 150),    CHANGE(sketchRepeats, 6),
                                    CHANGE(randomSketchShift, 0), CHANGE(randomSketchWeight, 1)};
const FieldChange kColorHeart3[] = {CHANGE(sketchColorMode, 2), CHANGE(sketchWeight, 150),
                                    CHANGE(sketchRepeats, 6), CHANGE(randomSketchShift, 0),
                                    CHANGE(randomSketchWeight, 1)};
const FieldChange kSingleLineHeart[] = {
    CHANGE(sketchColorMode, 0), CHANGE(sketchShift, 5),       CHANGE(sketchWeight, 15),
    CHANGE(sketchRepeats, 1),   CHANGE(randomSketchShift, 0), CHANGE(randomSketchWeight, 1)};
// " Single line heart" on a hundred randomly filled hearts placed anywhere.
const FieldChange kRandomFillLineHeart[] = {
    CHANGE(randomFill, 1),      CHANGE(heartCount, 100),      CHANGE(placementMode, 2),
    CHANGE(sketchColorMode, 0), CHANGE(sketchShift, 5),       CHANGE(sketchWeight, 15),
    CHANGE(sketchRepeats, 1),   CHANGE(randomSketchShift, 0), CHANGE(randomSketchWeight, 1)};
const FieldChange kRandomFillLineHeartMix[] = {
    CHANGE(randomFill, 1),      CHANGE(heartCount, 100),      CHANGE(placementMode, 2),
    CHANGE(sketchColorMode, 2), CHANGE(sketchShift, 15),      CHANGE(sketchWeight, 15),
    CHANGE(sketchRepeats, 1),   CHANGE(randomSketchShift, 1), CHANGE(randomSketchWeight, 1),
    CHANGE(randomAngle, 1),     CHANGE(randomScaling, 1)};
const FieldChange kFiftyRandomFillLineHeartMix[] = {
    CHANGE(randomFill, 1),      CHANGE(heartCount, 50),       CHANGE(placementMode, 2),
    CHANGE(sketchColorMode, 2), CHANGE(sketchShift, 25),      CHANGE(sketchWeight, 15),
    CHANGE(sketchRepeats, 3),   CHANGE(randomSketchShift, 1), CHANGE(randomSketchWeight, 1),
    CHANGE(randomAngle, 1),     CHANGE(randomScaling, 1)};
const FieldChange kInterpolate50[] = {CHANGE(interpolatePoints, 50)};
const FieldChange kInterpolateMinus50[] = {CHANGE(interpolatePoints, -50)};
const FieldChange kInterpolate150[] = {CHANGE(interpolatePoints, 150)};
const FieldChange kRepeatScaledOpacity[] = {CHANGE(heartCount, 20), CHANGE(randomScaling, 1),
                                            CHANGE(randomOpacity, 1)};
const FieldChange kRepeatScaledFill[] = {CHANGE(heartCount, 20), CHANGE(randomScaling, 1),
                                         CHANGE(randomFill, 1)};
const FieldChange kRepeatScaledPosition[] = {CHANGE(heartCount, 20), CHANGE(randomScaling, 1),
                                             CHANGE(randomOpacity, 1), CHANGE(jitterCenter, 1)};

#undef CHANGE

struct SettingsEntry {
  const FieldChange* changes;
  int changeCount;
};

template <int N>
constexpr SettingsEntry entry(const FieldChange (&changes)[N]) {
  return {changes, N};
}

// By entry ID; " Reset" is the settings base alone.
const SettingsEntry kSettingsChanges[kSettingsEntryCount] = {
    {nullptr, 0},
    entry(kRandomFillOfHeart),
    entry(kRandomColorHearts),
    entry(kTallerHeart),
    entry(kWiderHeart),
    entry(kHigherHeart),
    entry(kLeaning),
    entry(kCloser),
    entry(kSharper),
    entry(kFlatten),
    entry(kSwing),
    entry(kSketchyHeart1),
    entry(kSketchyHeart2),
    entry(kColorHeart1),
    entry(kSketchyHeart3),
    entry(kColorHeart2),
    entry(kColorHeart3),
    entry(kSingleLineHeart),
    entry(kRandomFillLineHeart),
    entry(kRandomFillLineHeartMix),
    entry(kFiftyRandomFillLineHeartMix),
    entry(kInterpolate50),
    entry(kInterpolateMinus50),
    entry(kInterpolate150),
    entry(kRepeatScaledOpacity),
    entry(kRepeatScaledFill),
    entry(kRepeatScaledPosition),
};

// The settings base: the defaults of a new record, keeping the page, the
// zoom, the heart preset entry, finalRun and the reserved words.
// Without a view centre the record's centre stays as it is.
void writeSettingsBase(ParameterRecord* record, int32_t entryId, const AIRealPoint* viewCentre) {
  const ParameterRecord kept = *record;
  setDefaults(record, viewCentre ? *viewCentre : AIRealPoint{0.0f, 0.0f});
  if (!viewCentre) {
    record->centerX = kept.centerX;
    record->centerY = kept.centerY;
  }
  record->viewZoom = kept.viewZoom;
  record->currentPage = kept.currentPage;
  record->heartPreset = kept.heartPreset;
  record->finalRun = kept.finalRun;
  for (int i = 0; i < 4; ++i) record->dialogBounds[i] = kept.dialogBounds[i];
  record->hasDialogBounds = kept.hasDialogBounds;
  record->settingsPreset = entryId;
}

}  // namespace

ASErr settingsListNotifier(ADMItemRef item, ADMNotifierRef notifier) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return kNoErr;
  sADMItem->DefaultNotify(item, notifier);
  AIRealPoint centre = {0.0f, 0.0f};
  const bool haveCentre = frontViewCentre(&centre) == kNoErr;
  int32_t entryId = 0;
  if (!selectedListId(sADMDialog->GetItem(dialog, kSettingsListItem), &entryId)) return kNoErr;
  writeSettingsBase(record, entryId, haveCentre ? &centre : nullptr);
  if (entryId >= 0 && entryId < kSettingsEntryCount) {
    const SettingsEntry& chosen = kSettingsChanges[entryId];
    for (int i = 0; i < chosen.changeCount; ++i)
      if (const FieldInfo* field = fieldAtOffset(chosen.changes[i].offset))
        setFieldValue(record, *field, chosen.changes[i].value);
  }
  writeRecordToItems(dialog, record);
  renotifyCurrentPage(dialog, record);
  return kNoErr;
}
