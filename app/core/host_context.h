// The current host: the objects that the plug-in-facing suite adapters work
// on. Suite operations are plain C functions without a context argument, so
// the adapters find the host's objects through currentHost(). A HostScope
// makes a host's context the current one for the length of a call into the
// module; scopes nest, so a call into the module made while another is
// running (a dialog inside a message) restores the outer host's context when
// it returns. Outside every scope the current context is empty and the
// suites answer as the host does without the object they need.
//
// Nothing here is owned: the context names objects its host owns, and the
// host keeps it up to date (a new document, a closed one) while it is
// current.
#pragma once

#include <functional>

#include "plugin/host/heart_types.h"

namespace heart {

class AlertSink;
class DialogManager;
class Document;
class FilterRegistry;
class MemoryBlocks;
class MemoryHandles;
class PluginModule;
class PluginResources;
class RandomSource;
class SuiteBroker;

struct HostContext {
  SuiteBroker* broker = nullptr;      // answers the basic suite
  AlertSink* alerts = nullptr;        // where plain message alerts go
  FilterRegistry* filters = nullptr;  // filters and menu items that plug-ins registered
  MemoryBlocks* blocks = nullptr;     // named blocks of "SP Blocks Suite"
  MemoryHandles* handles = nullptr;   // handles of "AI MdMemory Suite"
  Document* document = nullptr;       // the open document; null when none is open
  RandomSource* random = nullptr;     // the source behind "AI Random Suite"
  DialogManager* dialogs = nullptr;   // modal dialogs and their items
  // The resources of the module behind a plug-in reference; null when unknown.
  std::function<const PluginResources*(SPPluginRef)> resourcesOf;
  // The loaded module behind a plug-in reference; null when unknown.
  std::function<const PluginModule*(SPPluginRef)> moduleOf;
};

// The context of the innermost open HostScope, or an empty one.
const HostContext& currentHost();

class [[nodiscard]] HostScope {
 public:
  // The context must outlive the scope.
  explicit HostScope(const HostContext& context);
  ~HostScope();
  HostScope(const HostScope&) = delete;
  HostScope& operator=(const HostScope&) = delete;

 private:
  const HostContext* outer_;
};

}  // namespace heart
