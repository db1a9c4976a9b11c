// The host objects that the service suite adapters reach. Suite operations
// are plain C functions without a context argument, so the adapters find the
// host's objects here. The Host application object fills it in; tests of one
// area fill in only what they need. Nothing here is owned: the Host owns the
// objects and clears the pointers before it destroys them. The document and
// the dialog manager, which live above these services, keep their own slots
// (documentServices(), dialogServices()).
#pragma once

#include <functional>

#include "plugin/host/heart_types.h"

namespace heart {

class PluginResources;
class AlertSink;
class FilterRegistry;
class SuiteBroker;
class MemoryBlocks;
class MemoryHandles;
class PluginModule;

struct HostServices {
  SuiteBroker* broker = nullptr;
  AlertSink* alerts = nullptr;        // where plain message alerts go
  FilterRegistry* filters = nullptr;  // filters and menu items that plug-ins registered
  MemoryBlocks* blocks = nullptr;     // named blocks of "SP Blocks Suite"
  MemoryHandles* handles = nullptr;   // handles of "AI MdMemory Suite"
  // The resources of the module behind a plug-in reference; null when unknown.
  std::function<const PluginResources*(SPPluginRef)> resourcesOf;
  // The loaded module behind a plug-in reference; null when unknown.
  std::function<const PluginModule*(SPPluginRef)> moduleOf;
};

HostServices& hostServices();

}  // namespace heart
