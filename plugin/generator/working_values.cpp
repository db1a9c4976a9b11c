#include "plugin/generator/working_values.h"

#include "plugin/suites/held_suites.h"

void unpackWorkingValues(const ParameterRecord& record, WorkingValues* values) {
  const AIRealMathSuite& math = *sAIRealMath;

  values->userBasePoint = AIRealPoint{record.centerX, record.centerY};
  values->basePoint = values->userBasePoint;
  values->scaleHorizontal = math.AIRealDiv(record.scaleHorizontal, 100.0f);
  values->scaleVertical = math.AIRealDiv(record.scaleVertical, 100.0f);
  values->rotation = math.DegreeToRadian(record.heartAngle);
  values->interpolation = math.AIRealDiv(record.interpolatePoints, 100.0f);
  values->sketchStrokeWidth = math.AIRealDiv(record.sketchWeight, 10.0f);
  values->heartCount = record.heartCount;

  OutlineValues& outline = values->outline;
  for (int k = 0; k < 16; ++k) outline.handleOffsets[k] = record.shapeTweaks[k];
  outline.height = record.heartHeight;
  outline.distanceLeft = record.curveDistanceLeft;
  outline.distanceRight = record.curveDistanceRight;
  outline.heightLeft = record.curveHeightLeft;
  outline.heightRight = record.curveHeightRight;
  outline.notchDirection = math.DegreeToRadian(90.0f - record.slant);
  outline.lengthLeft1 = record.curveLengthLeft1;
  outline.lengthLeft2 = record.curveLengthLeft2;
  outline.lengthRight1 = record.curveLengthRight1;
  outline.lengthRight2 = record.curveLengthRight2;
  outline.angleLeft = math.DegreeToRadian(record.curveAngleLeft);
  outline.angleRight = math.DegreeToRadian(record.curveAngleRight);
  outline.anchorSwitches[0] = record.anchorFlag1;
  outline.anchorSwitches[1] = record.anchorFlag2;
  outline.anchorSwitches[2] = record.anchorFlag3;
  outline.anchorSwitches[3] = record.anchorFlag4;
  outline.randomCreatePoints = record.randomCreatePoints;
}
