// The heart preset list: stored shape tweak grids.
#pragma once

#include "plugin/host/suites.h"

// Heart preset list (item 66): fills the shape tweak grid from a preset.
ASErr heartPresetNotifier(ADMItemRef item, ADMNotifierRef notifier);
