// The lifecycle handlers: "SP Interface" Startup and Shutdown, and "SP Access"
// Unload and Reload.
#pragma once

#include "plugin/host/suites.h"

constexpr const char* kFilterName = "Norv_Heart";

// Allocates the globals block and registers the filter from the filter
// strings (kFilterStringsId).
ASErr startupPlugin(SPInterfaceMessage* message);
// Frees the globals block through its own acquisition of the SP Blocks suite.
ASErr shutdownPlugin(SPInterfaceMessage* message);
// Parks the globals block in the message while the module is out of memory.
ASErr unloadPlugin(SPAccessMessage* message);
// Takes the globals block back and starts the suite counter again at 0.
ASErr reloadPlugin(SPAccessMessage* message);
