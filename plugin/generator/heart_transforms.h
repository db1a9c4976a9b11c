// The heart's own rotation and scale (H7) and its random turns, sizes and
// moves (H8), each about the centre of the heart's current bounds.
#pragma once

#include "plugin/generator/working_values.h"

// Rotates by the rotation angle (no rotation step when it is 0), then scales
// by the two factors, about the bounds centre. Rotating first means unequal
// factors stretch the turned heart along the page axes.
ASErr rotateAndScaleHeart(AIArtHandle path, const WorkingValues& values);

// Random angle, random scaling, scaling jitter and centre jitter, in this
// order, each behind its switch, each with a fresh bounds centre.
ASErr randomlyTransformHeart(AIArtHandle path, const ParameterRecord& record);
