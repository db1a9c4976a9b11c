// The plug-in globals block: allocated by the host at Startup under the name
// "globals", parked in the message's globalsSlot while the module is
// unloaded, and freed at Shutdown.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plugin/host/suites.h"

constexpr int kMaxFilters = 1;

struct PluginGlobals {
  AIFilterHandle filterHandles[kMaxFilters];  // the handle the Filter suite answered
  ASInt32 filterCount;                        // filters registered: 1, or 0 without strings
  SPBasicSuite* savedBasicSuite;              // the Startup message's basic suite
};

#if UINTPTR_MAX == 0xFFFFFFFFu
// At 32 bits the block is three words: handle, count, basic suite.
static_assert(offsetof(PluginGlobals, filterHandles) == 0, "filter handle at 0");
static_assert(offsetof(PluginGlobals, filterCount) == 4, "filter count at 4");
static_assert(offsetof(PluginGlobals, savedBasicSuite) == 8, "basic suite at 8");
static_assert(sizeof(PluginGlobals) == 12, "the globals block is 12 bytes");
#endif

// The module's one pointer to the block; null before Startup and after Shutdown.
extern PluginGlobals* gPluginGlobals;
