// The page buttons: which of the dialog's six pages shows.
#pragma once

#include "plugin/host/suites.h"

// Page buttons (items 90 to 95): record the page, mark its caption, show its
// items and hide the other pages'.
ASErr pageButtonNotifier(ADMItemRef item, ADMNotifierRef notifier);
