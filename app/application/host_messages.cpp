// The messages a Host sends: the lifecycle, the about box and the filter.
#include <cstring>

#include "application/host_state.h"

namespace heart {

ASErr Host::State::deliver(LoadedPlugin& plugin, const char* caller, const char* selector,
                           HostMessage& message) {
  if (!plugin.module->loaded()) return kModuleNotLoadedErr;
  HostScope scope(context);
  SPMessageData& header = message.filter.d;
  header.pluginRef = plugin.module->ref();
  header.globalsSlot = plugin.module->globalsSlot;
  header.basicSuite = broker.basicSuite();
  ASErr result = plugin.module->call(caller, selector, &message);
  plugin.module->globalsSlot = header.globalsSlot;
  return result;
}

const Filter* Host::State::filterOf(const LoadedPlugin& plugin) const {
  for (const Filter* filter : filters.filters())
    if (filter->plugin == plugin.module->ref()) return filter;
  return nullptr;
}

ASErr Host::State::send(LoadedPlugin& plugin, const char* caller, const char* selector) {
  HostMessage message{};
  return deliver(plugin, caller, selector, message);
}

ASErr Host::State::sendFilterMessage(LoadedPlugin& plugin, const char* selector) {
  HostMessage message{};
  if (const Filter* filter = filterOf(plugin))
    message.filter.filter = FilterRegistry::handleOf(*filter);
  message.filter.parameters = record;
  ASErr result = deliver(plugin, kCallerAIFilter, selector, message);
  keepRecordHandle(message.filter.parameters);  // unchanged when nothing was sent
  return result;
}

ASErr Host::State::sendMenuMessage(LoadedPlugin& plugin, const char* selector) {
  HostMessage message{};
  if (const Filter* filter = filterOf(plugin))
    message.menu.menuItem = FilterRegistry::handleOf(*filter->menuItem);
  return deliver(plugin, kCallerAIMenu, selector, message);
}

// The record handle belongs to the host: a plug-in may store a new one that
// it allocated through "AI MdMemory Suite". Anything else written into the
// field is not a handle the host can keep or read, so it is not taken.
void Host::State::keepRecordHandle(AIMdMemoryHandle handle) {
  if (handle == record) return;
  if (handle && !handles.owns(handle)) {
    lastError =
        "the plug-in returned a parameter handle the host did not allocate; it was not kept";
    return;
  }
  // A replaced handle of the host's is freed with the host; the plug-in may
  // still hold it for the rest of this use.
  record = handle;
}

ASErr Host::State::shutDown(LoadedPlugin& plugin) {
  if (!plugin.module->loaded()) {
    // Shutdown needs the module in memory: load it again and give it back
    // its globals first.
    if (Result<void> reloaded = plugin.module->reloadFile(); !reloaded) {
      lastError = reloaded.error();
      return kModuleNotLoadedErr;
    }
    send(plugin, kSPAccessCaller, kSPAccessReloadSelector);
  }
  plugin.shutdownSent = true;
  return send(plugin, kSPInterfaceCaller, kSPInterfaceShutdownSelector);
}

void Host::State::shutDownAll() {
  for (auto plugin = plugins.rbegin(); plugin != plugins.rend(); ++plugin)
    if (plugin->startupSent && !plugin->shutdownSent) shutDown(*plugin);
  for (LoadedPlugin& plugin : plugins) plugin.module->unloadFile();
}

ASErr Host::startup() {
  if (state_->plugins.empty()) return kModuleNotLoadedErr;
  ASErr first = kNoErr;
  for (LoadedPlugin& plugin : state_->plugins) {
    if (plugin.startupSent) {
      if (!first) first = kLifecycleErr;
      continue;
    }
    // A module that had Startup gets Shutdown later, whatever Startup answered.
    plugin.startupSent = true;
    ASErr result = state_->send(plugin, kSPInterfaceCaller, kSPInterfaceStartupSelector);
    if (result && !first) first = result;
  }
  return first;
}

ASErr Host::shutdown() {
  LoadedPlugin* plugin = state_->first();
  if (!plugin) return kModuleNotLoadedErr;
  if (!plugin->startupSent || plugin->shutdownSent) return kLifecycleErr;
  state_->endInvocation();
  ASErr first = kNoErr;
  for (auto each = state_->plugins.rbegin(); each != state_->plugins.rend(); ++each) {
    if (!each->startupSent || each->shutdownSent) continue;
    ASErr result = state_->shutDown(*each);
    if (result && !first) first = result;
  }
  return first;
}

ASErr Host::unload() {
  LoadedPlugin* plugin = state_->first();
  if (!plugin || !plugin->module->loaded()) return kModuleNotLoadedErr;
  if (plugin->shutdownSent) return kLifecycleErr;
  ASErr result = state_->send(*plugin, kSPAccessCaller, kSPAccessUnloadSelector);
  // A plug-in that refuses to be unloaded stays in memory.
  if (result) return result;
  plugin->module->unloadFile();
  return kNoErr;
}

ASErr Host::reload() {
  LoadedPlugin* plugin = state_->first();
  if (!plugin) return kModuleNotLoadedErr;
  if (plugin->shutdownSent) return kLifecycleErr;
  if (plugin->module->loaded()) return kLifecycleErr;  // Reload only after an Unload
  if (Result<void> reloaded = plugin->module->reloadFile(); !reloaded) {
    state_->lastError = reloaded.error();
    return kModuleNotLoadedErr;
  }
  return state_->send(*plugin, kSPAccessCaller, kSPAccessReloadSelector);
}

ASErr Host::about() {
  LoadedPlugin* plugin = state_->first();
  if (!plugin) return kModuleNotLoadedErr;
  if (!started()) return kLifecycleErr;
  return state_->send(*plugin, kSPInterfaceCaller, kSPInterfaceAboutSelector);
}

ASErr Host::sendMessage(const char* caller, const char* selector) {
  LoadedPlugin* plugin = state_->first();
  if (!plugin) return kModuleNotLoadedErr;
  if (caller && std::strcmp(caller, kCallerAIMenu) == 0)
    return state_->sendMenuMessage(*plugin, selector);
  if (caller && std::strcmp(caller, kCallerAIFilter) == 0)
    return state_->sendFilterMessage(*plugin, selector);
  return state_->send(*plugin, caller, selector);
}

ASErr Host::getParameters() {
  LoadedPlugin* plugin = state_->first();
  if (!plugin) return kModuleNotLoadedErr;
  if (!started()) return kLifecycleErr;
  if (!registeredFilter()) return kNoFilterErr;
  state_->beginInvocation();
  ASErr result = state_->sendFilterMessage(*plugin, kSelectorAIGetFilterParameters);
  if (result) state_->endInvocation();
  return result;
}

ASErr Host::go() {
  LoadedPlugin* plugin = state_->first();
  if (!plugin) return kModuleNotLoadedErr;
  if (!started()) return kLifecycleErr;
  if (!registeredFilter()) return kNoFilterErr;
  if (!state_->invocationOpen) state_->beginInvocation();
  ASErr result = state_->sendFilterMessage(*plugin, kSelectorAIGoFilter);
  state_->endInvocation();
  return result;
}

ASErr Host::invokeFilter() {
  if (ASErr result = getParameters()) return result;
  return go();
}

}  // namespace heart
