// "SP Access Suite": what the host knows about a plug-in's module file.
#include <cstring>

#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "module/plugin_module.h"
#include "plugin/host/sp_suites.h"
#include "services/service_suites.h"

namespace heart {
namespace {

const PluginModule* moduleOf(SPPluginRef plugin) {
  const auto& lookup = currentHost().moduleOf;
  return lookup ? lookup(plugin) : nullptr;
}

ASErr getPluginFilePath(SPPluginRef plugin, char* buffer, ASInt32 bufferSize) {
  if (ASErr e = injectedFault(kSPAccessSuite, "GetPluginFilePath")) return e;
  const PluginModule* module = moduleOf(plugin);
  if (!module || !buffer || bufferSize <= 0) return kBadParameterErr;
  const std::string& path = module->path();
  // A path that does not fit is refused rather than cut: a cut path names
  // another file.
  if (path.size() >= static_cast<size_t>(bufferSize)) {
    buffer[0] = '\0';
    return kBadParameterErr;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return kNoErr;
}

ASInt32 isPluginLoaded(SPPluginRef plugin) {
  const PluginModule* module = moduleOf(plugin);
  return module && module->loaded() ? 1 : 0;
}

const SPAccessSuite kAccessSuite = {getPluginFilePath, isPluginLoaded};

}  // namespace

void registerAccessSuite(SuiteBroker& broker) {
  broker.add(kSPAccessSuite, kSPAccessSuiteVersion, &kAccessSuite);
}

}  // namespace heart
