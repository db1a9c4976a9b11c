// The module's one exported entry point. The host calls it for every message
// it sends: caller and selector name the message, `message` is the host's
// record for it (SPMessageData and the caller's own fields).
#pragma once

#include "plugin/host/suites.h"

extern "C" __attribute__((visibility("default"))) ASErr PluginMain(const char* caller,
                                                                   const char* selector,
                                                                   void* message);
