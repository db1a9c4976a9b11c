// The plug-in globals block: allocated by the host at Startup under the name
// "globals", parked in the message's globalsSlot while the module is
// unloaded, and freed at Shutdown.
#pragma once

#include "host/suites.h"

constexpr int kMaxFilters = 1;

struct PluginGlobals {
  AIFilterHandle filterHandles[kMaxFilters];  // the handle the Filter suite answered
  ASInt32 filterCount;                        // filters registered: 1, or 0 without strings
  SPBasicSuite* savedBasicSuite;              // the Startup message's basic suite
};

// The module's one pointer to the block; null before Startup and after Shutdown.
extern PluginGlobals* gPluginGlobals;
