// Per-heart shape randomisation (H1): the random heart, curve and handle
// switches, then the symmetric override.
#pragma once

#include "plugin/generator/working_values.h"

// Redraws the outline's working values as the record's switches ask.
// Height, lobes and slant, and the curve lengths and angles, start from the
// record every heart; the handle offsets are scaled in place and so shrink
// from heart to heart. The symmetric override makes the right side mirror
// the left and stands the notch straight above the tip.
void randomiseOutline(const ParameterRecord& record, OutlineValues* outline);
