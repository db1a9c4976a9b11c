// Placement (H4): where the tip of each heart stands on the page.
#pragma once

#include "plugin/generator/working_values.h"

enum PlacementMode : int32_t {
  kPlaceAtUserCentre = 0,
  kPlaceAtPageCentre = 1,
  kPlaceAnywhere = 2,
  kPlaceAtBottomLeft = 3,
  kPlaceRandomHorizontally = 4,
  kPlaceRandomVertically = 5,
  kPlaceAtAnyCorner = 6,
  kPlaceAsFrame = 7
};

// Sets the base point by the placement mode. A mode outside the list keeps
// the previous base point (the user's centre for the first heart).
void placeHeart(int32_t placementMode, WorkingValues* values);
