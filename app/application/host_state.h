// The objects a Host owns, shared by the files that implement it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "application/host.h"
#include "core/alert_sink.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "dialog_manager/dialog_manager.h"
#include "document/document.h"
#include "document/random_source.h"
#include "module/plugin_module.h"
#include "services/filter_registry.h"
#include "services/memory_blocks.h"
#include "services/memory_handles.h"

namespace heart {

// A loaded module and where it stands in its lifecycle.
struct LoadedPlugin {
  std::unique_ptr<PluginModule> module;
  bool startupSent = false;
  bool shutdownSent = false;
};

// Every message is laid out as the largest one, zero-filled, so a plug-in
// that reads past the header of a smaller message reads zeros. Each kind
// begins with the same header (SPMessageData).
union HostMessage {
  AIFilterMessage filter;
  AIMenuMessage menu;
};

struct Host::State {
  explicit State(HostOptions hostOptions);

  HostOptions options;
  // The objects the suites work on. Declared before the modules, so they
  // outlive anything a module could still reach while it is unloaded.
  SuiteBroker broker;
  AlertSink alerts;
  FilterRegistry filters;
  MemoryBlocks blocks;
  MemoryHandles handles;
  RandomSource random;
  DialogManager dialogs;
  std::unique_ptr<Document> document;
  // What the suites reach while a call into a module runs (deliver).
  HostContext context;

  std::vector<LoadedPlugin> plugins;
  AIMdMemoryHandle record = nullptr;
  bool invocationOpen = false;
  std::string lastError;

  LoadedPlugin* first();
  const LoadedPlugin* first() const;
  const LoadedPlugin* pluginOf(SPPluginRef ref) const;
  // The resources of the module behind a plug-in reference, or null.
  const PluginResources* resourcesOf(SPPluginRef ref) const;

  // Fills in the header every message begins with, sends the message to a
  // module with this host current (a HostScope) and keeps the globals slot
  // it hands back. A module that is not
  // loaded gets nothing: kModuleNotLoadedErr.
  ASErr deliver(LoadedPlugin& plugin, const char* caller, const char* selector,
                HostMessage& message);
  // The filter a module registered, or null.
  const Filter* filterOf(const LoadedPlugin& plugin) const;
  // Sends one header-only message.
  ASErr send(LoadedPlugin& plugin, const char* caller, const char* selector);
  ASErr sendFilterMessage(LoadedPlugin& plugin, const char* selector);
  ASErr sendMenuMessage(LoadedPlugin& plugin, const char* selector);
  // Takes the record handle the plug-in left in a filter message.
  void keepRecordHandle(AIMdMemoryHandle handle);

  // Sends Shutdown, loading an unloaded module again first.
  ASErr shutDown(LoadedPlugin& plugin);
  // Shuts down every module that had Startup (last loaded first) and
  // unloads every module file.
  void shutDownAll();

  void beginInvocation();
  void endInvocation();
};

}  // namespace heart
