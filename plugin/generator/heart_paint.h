// The heart's paint (H9) and art style (H10), each behind its switch.
#pragma once

#include "plugin/generator/working_values.h"

// Random fill, swatch fill, stroke, width and opacity, then fill, stroke
// and width jitter, in this order. Each switch that is on reads the style,
// changes it and writes it back, even when its change is empty.
void paintHeart(AIArtHandle path, const ParameterRecord& record, const RunValues& run,
                AIPathStyle* style);

// A random art style from index 1 up (index 0 when the document has none),
// applied to the heart.
ASErr applyRandomArtStyle(AIArtHandle path, const RunValues& run);
