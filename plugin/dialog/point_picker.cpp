#include "plugin/dialog/point_picker.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/dialog/value_notifier.h"
#include "plugin/suites/held_suites.h"

namespace {

enum PickedValue : int32_t { kPickX, kPickY, kPickAngle };

// Buttons 160 to 168 in order: what each takes from the picked point, the
// field it writes and the spin edit beside it.
struct PickerTarget {
  float ParameterRecord::*field;
  PickedValue value;
  ASInt32 spinEdit;
};

const PickerTarget kPickerTargets[] = {
    {&ParameterRecord::heartHeight, kPickY, kHeartHeightItem},
    {&ParameterRecord::curveDistanceLeft, kPickX, kCurveDistanceLeftItem},
    {&ParameterRecord::curveDistanceRight, kPickX, kCurveDistanceRightItem},
    {&ParameterRecord::curveHeightLeft, kPickY, kCurveHeightLeftItem},
    {&ParameterRecord::curveHeightRight, kPickY, kCurveHeightRightItem},
    {&ParameterRecord::slant, kPickAngle, kSlantItem},
    {&ParameterRecord::interpolatePoints, kPickX, kInterpolatePointsItem},
    {&ParameterRecord::scaleHorizontal, kPickX, kScaleHorizontalItem},
    {&ParameterRecord::scaleVertical, kPickY, kScaleVerticalItem},
};
constexpr int kPickerCount = sizeof kPickerTargets / sizeof kPickerTargets[0];

// The value a picked artwork point gives; false when the view cannot say.
bool pickedValue(AIDocumentViewHandle view, const AIRealPoint& picked, PickedValue kind,
                 float* value) {
  switch (kind) {
    case kPickX:
      *value = picked.h;
      return true;
    case kPickY:
      *value = picked.v;
      return true;
    case kPickAngle: {
      // The direction of the picked point as seen from the view centre.
      AIRealPoint centre = {0.0f, 0.0f};
      if (sAIDocumentView->GetDocumentViewCenter(view, &centre) != kNoErr) return false;
      *value = sAIRealMath->RadianToDegree(sAIRealMath->AIRealPointAngle(&picked, &centre));
      return true;
    }
  }
  return false;
}

// Takes the picked point into the field and spin edit of the button pressed.
// Nothing is written when the front view cannot convert the point.
void pickValue(ADMDialogRef dialog, ParameterRecord* record, ADMItemRef item,
               ADMTrackerRef tracker) {
  sADMItem->DefaultTrack(item, tracker);
  ASPoint viewPoint = {0, 0};
  sADMTracker->GetPoint(nullptr, &viewPoint);
  AIDocumentViewHandle view = nullptr;
  if (sAIDocumentView->GetNthDocumentView(0, &view) != kNoErr || !view) return;
  AIRealPoint picked = {0.0f, 0.0f};
  if (sAIDocumentView->ViewPointToArtworkPoint(view, &viewPoint, &picked) != kNoErr) return;
  for (int i = 0; i < kPickerCount; ++i) {
    if (item != sADMDialog->GetItem(dialog, kFirstPickerItem + i)) continue;
    const PickerTarget& target = kPickerTargets[i];
    float value = 0.0f;
    if (!pickedValue(view, picked, target.value, &value)) return;
    record->*target.field = value;
    if (ADMItemRef spinEdit = sADMDialog->GetItem(dialog, target.spinEdit))
      sADMItem->SetFloatValue(spinEdit, value);
    return;
  }
}

}  // namespace

ASBoolean pointPicker(ADMItemRef item, ADMTrackerRef tracker) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return 1;
  if (sADMTracker->GetModifiers(nullptr) & kADMButtonUpFlag)
    pickValue(dialog, record, item, tracker);
  renotifyCurrentPage(dialog, record);
  return 1;
}
