// The values one run of the generator works with: what it fetches from the
// host once, and the record's fields converted to the generator's units.
// They live for one run; some are redrawn per heart, the handle offsets
// compound from heart to heart, and the symmetric override persists.
#pragma once

#include "plugin/host/suites.h"
#include "plugin/params/parameter_record.h"

// Fetched from the host once per run.
struct RunValues {
  AIReal pageWidth;
  AIReal pageHeight;
  AIReal halfPageWidth;   // the vertical mirror line
  AIReal halfPageHeight;  // the horizontal mirror line
  ASInt32 swatchCount;
  ASInt32 artStyleCount;
};

// The shape of the outline. Angles are in radians.
struct OutlineValues {
  AIReal height;          // tip to notch
  AIReal notchDirection;  // from the tip, counter-clockwise from the horizontal
  AIReal distanceLeft;    // lobe points' horizontal offsets from the notch
  AIReal distanceRight;
  AIReal heightLeft;  // lobe points' vertical offsets from the notch
  AIReal heightRight;
  AIReal lengthLeft1;   // left lobe out handle
  AIReal lengthLeft2;   // left lobe in handle
  AIReal lengthRight1;  // right lobe out handle
  AIReal lengthRight2;  // right lobe in handle
  AIReal angleLeft;
  AIReal angleRight;
  // Four rows of four: tip and notch (in x, in y, out x, out y), then the
  // right and the left lobe (out x, out y, in x, in y).
  AIReal handleOffsets[16];
  // Whether the anchor at path position 1..4 keeps its place (H6).
  bool32 anchorSwitches[4];
  bool32 randomCreatePoints;
};

constexpr int kOutlineAnchorCount = 4;

struct WorkingValues {
  RunValues run;
  AIRealPoint userBasePoint;
  AIReal scaleHorizontal;  // factors, 1 is unscaled
  AIReal scaleVertical;
  AIReal rotation;           // radians
  AIReal interpolation;      // fraction that pulls the anchors toward the tip
  AIReal sketchStrokeWidth;  // points
  OutlineValues outline;
  ASInt32 heartCount;
  // The current heart's tip. Placement sets it per heart; it persists from
  // one heart to the next and starts at the user's centre.
  AIRealPoint basePoint;
  // Scratch for reading and writing path styles. The host's answers are not
  // examined, so a failed read leaves what the last step wrote here.
  AIPathStyle style;
};

// Converts the record into working values through the host's real maths.
// `run` is filled in by the caller beforehand and kept.
void unpackWorkingValues(const ParameterRecord& record, WorkingValues* values);
