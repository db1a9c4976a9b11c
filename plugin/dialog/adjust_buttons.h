// "Tweak", "Jitter" and "Boost": small changes to the current shape.
#pragma once

#include "plugin/host/suites.h"

// "Tweak", "Jitter" and "Boost" (items 62 to 64): in-place shape changes.
ASErr adjustNotifier(ADMItemRef item, ADMNotifierRef notifier);
