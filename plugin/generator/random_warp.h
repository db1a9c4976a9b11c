// Random warp (H12): the heart goes into an envelope that bends it with one
// of the host's fifteen warp styles.
#pragma once

#include "plugin/generator/working_values.h"

// Makes the envelope from a 200 by 200 rectangle at the base point and warps
// it with a random style, bend, distortions and orientation. Later steps
// keep addressing the heart path itself.
ASErr randomlyWarpHeart(AIArtHandle path, AIRealPoint basePoint);
