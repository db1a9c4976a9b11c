// The point picker: shape values taken from a point clicked in the document.
#pragma once

#include "plugin/host/suites.h"

// Tracking procedure of the point picker buttons (items 160 to 168).
ASBoolean pointPicker(ADMItemRef item, ADMTrackerRef tracker);
