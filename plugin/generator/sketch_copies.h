// Sketch copies: extra outlines of the heart, each shifted by a random
// amount, stroked and not filled, coloured by the sketch colour mode, which
// give the heart a hand-drawn look.
#pragma once

#include "plugin/generator/working_values.h"

enum SketchColourMode : int32_t {
  kSketchBlack = 0,
  kSketchSameColour = 1,
  kSketchRandomColour = 2,
  kSketchRandomSwatch = 3,
  kSketchReduced = 4,
  kSketchRandomReduced = 5,
  kSketchRandomBlackOrColour = 6,
  kSketchColourFromShift = 7,
  kSketchBlackRandomOpacity = 8,
  kSketchRandomColourRandomOpacity = 9,
  kSketchReducingOpacity = 10,
  kSketchWhiteRandomOpacity = 11
};

// The signed shifts of the last segment moved, remembered for the colour
// mode that derives the colour from the shift.
struct SketchShiftDeltas {
  AIReal anchorY;
  AIReal inX;
  AIReal outY;
};

// Adds the record's number of sketch copies of the heart (each a copy of
// the heart, not of the previous sketch), with their mirror copies when the
// basic pattern is on.
ASErr addSketchCopies(AIArtHandle heart, const ParameterRecord& record, const WorkingValues& values,
                      AIPathStyle* style);
