// A host that has loaded a plug-in module, for the tests that run the real
// module: the seed fixes its random source, so the art it draws is the same
// on every run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "application/host.h"

namespace heart::testing {

// A host with `seed` that has loaded the module at `modulePath` (by default
// the module under test), or null with `error` saying why it could not.
inline std::unique_ptr<Host> loadedHost(uint32_t seed, std::string* error,
                                        const std::string& modulePath = HEART_MODULE_PATH) {
  HostOptions options;
  options.pluginPath = modulePath;
  options.seed = seed;
  auto host = std::make_unique<Host>(options);
  if (Result<void> loaded = host->load(); !loaded) {
    if (error) *error = loaded.error();
    return nullptr;
  }
  return host;
}

}  // namespace heart::testing
