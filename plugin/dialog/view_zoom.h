// The view zoom item: the front view's zoom as a percentage.
#pragma once

#include "plugin/host/suites.h"

// View zoom (item 27): sets the front view's zoom from the percentage.
ASErr zoomNotifier(ADMItemRef item, ADMNotifierRef notifier);
