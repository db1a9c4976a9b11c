// Drop shadow: a copy of the heart directly below it, filled black (or with
// the heart's fill at half strength) in the document's colour model, moved
// down and to the right (or by a random offset), optionally faded and
// squashed at random, and mirrored four ways with the heart when the basic
// pattern is on.
#pragma once

#include "plugin/generator/working_values.h"

// The shadow's fill by document colour model: black in the model's kind
// (gray 1, RGB (0, 0, 0), CMYK (1, 1, 1, 1)), or with half fill the fill's
// components halved in the model's kind. An unknown model keeps the fill.
void shadowFill(ASInt16 colourModel, bool halfFill, AIColor* fill);

ASErr addDropShadow(AIArtHandle heart, const ParameterRecord& record, const RunValues& run,
                    AIPathStyle* style);
