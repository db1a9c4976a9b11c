#include "plugin/dialog/adjust_buttons.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/dialog/record_items.h"
#include "plugin/dialog/value_notifier.h"
#include "plugin/suites/held_suites.h"
#include "plugin/suites/random_draws.h"

namespace {

// A shape value that "Jitter" nudges and "Boost" moves by a fixed amount.
struct AdjustStep {
  float ParameterRecord::*field;
  float jitterStep;   // "Jitter" adds coin * step * r
  float boostChange;  // "Boost" adds this
};

// In the order of the draws.
const AdjustStep kAdjustSteps[] = {
    {&ParameterRecord::heartHeight, 5, 5},
    {&ParameterRecord::curveDistanceLeft, 2, -2},  // further left: it is negative
    {&ParameterRecord::curveDistanceRight, 2, 2},
    {&ParameterRecord::curveHeightLeft, 2, 2},
    {&ParameterRecord::curveHeightRight, 2, 2},
    {&ParameterRecord::curveAngleLeft, 1, 1},
    {&ParameterRecord::curveAngleRight, 1, 1},
};

// "Tweak": four new curve lengths, each -50 + 200 * r from its own draw.
void tweakCurveLengths(ParameterRecord* record) {
  float ParameterRecord::*const lengths[] = {
      &ParameterRecord::curveLengthLeft1, &ParameterRecord::curveLengthLeft2,
      &ParameterRecord::curveLengthRight1, &ParameterRecord::curveLengthRight2};
  for (float ParameterRecord::*length : lengths) record->*length = -50.0f + 200.0f * drawReal();
}

// "Jitter": each value moves by less than its step, up or down: a coin, then r.
void jitterShape(ParameterRecord* record) {
  for (const AdjustStep& step : kAdjustSteps) {
    const float coin = drawCoin();
    record->*step.field += coin * step.jitterStep * drawReal();
  }
}

// "Boost": fixed steps, no draw.
void boostShape(ParameterRecord* record) {
  for (const AdjustStep& step : kAdjustSteps) record->*step.field += step.boostChange;
}

}  // namespace

ASErr adjustNotifier(ADMItemRef item, ADMNotifierRef notifier) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return kNoErr;
  sADMItem->DefaultNotify(item, notifier);
  if (item == sADMDialog->GetItem(dialog, kTweakItem)) {
    tweakCurveLengths(record);
  } else if (item == sADMDialog->GetItem(dialog, kJitterItem)) {
    jitterShape(record);
  } else if (item == sADMDialog->GetItem(dialog, kBoostItem)) {
    boostShape(record);
  }
  writeRecordToItems(dialog, record);
  renotifyCurrentPage(dialog, record);
  return kNoErr;
}
