// The settings list: whole settings chosen by name.
#pragma once

#include "plugin/host/suites.h"

// Settings list (item 65): the settings base and the chosen entry's changes.
ASErr settingsListNotifier(ADMItemRef item, ADMNotifierRef notifier);
