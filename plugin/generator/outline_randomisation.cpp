#include "plugin/generator/outline_randomisation.h"

#include "plugin/suites/random_draws.h"

namespace {

constexpr AIReal kPi = 3.1415927f;

void randomiseHeart(const ParameterRecord& record, OutlineValues* outline) {
  outline->height = drawReal() * record.heartHeight;
  outline->heightLeft = drawReal() * record.curveHeightLeft;
  outline->heightRight = drawReal() * record.curveHeightRight;
  outline->distanceLeft = drawReal() * record.curveDistanceLeft;
  outline->distanceRight = drawReal() * record.curveDistanceRight;
  outline->notchDirection = sAIRealMath->DegreeToRadian(90.0f - drawReal() * record.slant);
}

void randomiseCurve(const ParameterRecord& record, OutlineValues* outline) {
  outline->lengthLeft1 = drawReal() * record.curveLengthLeft1;
  outline->lengthLeft2 = drawReal() * record.curveLengthLeft2;
  outline->lengthRight1 = drawReal() * record.curveLengthRight1;
  outline->lengthRight2 = drawReal() * record.curveLengthRight2;
  AIReal r = drawReal();
  outline->angleLeft = r * sAIRealMath->DegreeToRadian(record.curveAngleLeft);
  r = drawReal();
  outline->angleRight = r * sAIRealMath->DegreeToRadian(record.curveAngleRight);
}

void randomiseHandleOffsets(OutlineValues* outline) {
  for (AIReal& offset : outline->handleOffsets) offset = drawReal() * offset;
}

// The right side becomes the mirror image of the left about the vertical
// line through the tip. Distances, heights, lengths and angles follow the
// left lobe; the lobes' handle offsets follow the right lobe's row.
void makeSymmetric(OutlineValues* outline) {
  AIReal* o = outline->handleOffsets;
  outline->distanceRight = -outline->distanceLeft;
  outline->heightRight = outline->heightLeft;
  outline->lengthRight2 = outline->lengthLeft1;
  outline->lengthRight1 = outline->lengthLeft2;
  outline->angleRight = kPi - outline->angleLeft;
  o[2] = -o[0];
  o[3] = o[1];
  o[6] = -o[4];
  o[7] = o[5];
  o[12] = -o[10];
  o[13] = o[11];
  o[14] = -o[8];
  o[15] = o[9];
  outline->notchDirection = 0.0f;
  for (bool32& on : outline->anchorSwitches) on = 1;
  outline->randomCreatePoints = 0;
}

}  // namespace

void randomiseOutline(const ParameterRecord& record, OutlineValues* outline) {
  if (record.randomHeart) randomiseHeart(record, outline);
  if (record.randomCurve) randomiseCurve(record, outline);
  if (record.randomDirectionPoints) randomiseHandleOffsets(outline);
  if (record.symmetric) makeSymmetric(outline);
}
