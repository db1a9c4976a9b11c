#include "plugin/dialog/tumble.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/dialog/record_items.h"
#include "plugin/dialog/value_notifier.h"
#include "plugin/suites/held_suites.h"
#include "plugin/suites/random_draws.h"

namespace {

// The shape a tumble starts from; every other field keeps its value.
void writeShapeBase(ParameterRecord* record) {
  record->placementMode = 0;
  record->heartHeight = 100;
  record->curveHeightLeft = 40;
  record->curveHeightRight = 40;
  record->curveDistanceLeft = -70;
  record->curveDistanceRight = 70;
  record->curveLengthLeft1 = 60;
  record->curveLengthLeft2 = 60;
  record->curveLengthRight1 = 60;
  record->curveLengthRight2 = 60;
  record->curveAngleLeft = 135;
  record->curveAngleRight = 45;
  record->slant = 0;
  record->scaleHorizontal = 100;
  record->scaleVertical = 100;
  record->heartAngle = 0;
  record->heartCount = 1;
  for (float& tweak : record->shapeTweaks) tweak = 0;
  record->interpolatePoints = 0;
  record->anchorFlag1 = 1;
  record->anchorFlag2 = 1;
  record->anchorFlag3 = 1;
  record->anchorFlag4 = 1;
  record->randomDirectionPoints = 0;
  record->randomHeart = 0;
  record->randomCurve = 0;
  record->randomAngle = 0;
  record->randomCreatePoints = 0;
  record->randomScaling = 0;
  record->previewDrawn = 0;
}

// first * r1 - second * r2, with the two draws made in that order.
float differenceOfDraws(float first, float second) {
  const float r1 = drawReal();
  const float r2 = drawReal();
  return first * r1 - second * r2;
}

// Draws a new shape over the base. The number and order of the draws follow
// the outcome of each test: a test uses its draw whether it passes or not, a
// step's own draws happen only when its test passes.
void drawShape(ParameterRecord* record) {
  record->heartHeight = 400.0f * drawReal();
  if (randomTestPasses(70)) record->heartHeight = differenceOfDraws(400, 40);
  if (randomTestPasses(95)) {
    int32_t mode = static_cast<int32_t>(8.0f * drawReal());
    record->placementMode = mode > 7 ? 7 : mode;
  }
  record->curveHeightLeft = 200.0f * drawReal();
  record->curveHeightRight = 200.0f * drawReal();
  record->curveDistanceLeft = 0.0f - 300.0f * drawReal();
  record->curveDistanceRight = 300.0f * drawReal();
  if (randomTestPasses(50)) record->slant = differenceOfDraws(300, 300);
  if (randomTestPasses(78)) {
    record->curveLengthRight1 = 60.0f + differenceOfDraws(70, 70);
    record->curveLengthLeft2 = 60.0f + differenceOfDraws(70, 70);
    record->curveLengthLeft1 = 60.0f + differenceOfDraws(70, 70);
    record->curveLengthRight2 = 60.0f + differenceOfDraws(70, 70);
  }
  if (randomTestPasses(70)) record->curveAngleLeft = 135.0f + differenceOfDraws(50, 50);
  if (randomTestPasses(70)) record->curveAngleRight = 45.0f + differenceOfDraws(50, 50);
  if (randomTestPasses(80)) {
    record->scaleHorizontal = 100.0f + differenceOfDraws(20, 20);
    record->scaleVertical = 100.0f + differenceOfDraws(20, 20);
  }
  if (randomTestPasses(87)) record->heartAngle = 360.0f * drawReal();
  if (randomTestPasses(80)) {
    for (float& tweak : record->shapeTweaks)
      if (randomTestPasses(90)) tweak = differenceOfDraws(60, 60);
  }
  if (randomTestPasses(80)) record->interpolatePoints = differenceOfDraws(100, 100);
  if (randomTestPasses(90)) record->heartCount = 1 + static_cast<int32_t>(10.0f * drawReal());
  bool32* const anchors[] = {&record->anchorFlag1, &record->anchorFlag2, &record->anchorFlag3,
                             &record->anchorFlag4};
  for (bool32* anchor : anchors)
    if (randomTestPasses(90)) *anchor = 0;
  bool32* const outlineSwitches[] = {&record->randomDirectionPoints, &record->randomHeart,
                                     &record->randomCurve,           &record->randomAngle,
                                     &record->randomCreatePoints,    &record->randomScaling};
  for (bool32* outlineSwitch : outlineSwitches)
    if (randomTestPasses(90)) *outlineSwitch = 1;
}

}  // namespace

ASErr tumbleNotifier(ADMItemRef item, ADMNotifierRef notifier) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return kNoErr;
  sADMItem->DefaultNotify(item, notifier);
  writeShapeBase(record);
  drawShape(record);
  writeRecordToItems(dialog, record);
  renotifyCurrentPage(dialog, record);
  return kNoErr;
}
