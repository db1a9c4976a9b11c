// "Tumble": a random heart shape.
#pragma once

#include "plugin/host/suites.h"

// "Tumble" (item 61): a random heart shape from the shape base.
ASErr tumbleNotifier(ADMItemRef item, ADMNotifierRef notifier);
