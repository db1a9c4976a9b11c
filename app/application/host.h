// The illustration host: it loads plug-in modules, offers them its suites,
// keeps the message lifecycle (Startup first, Shutdown last), holds the
// current document, the dialog manager and the random source, and stores
// each filter's parameter record between uses.
//
// The suite adapters reach a host's objects through currentHost()
// (core/host_context.h): every message the Host sends runs inside a
// HostScope of its context, so several hosts may live side by side, and a
// message sent while another host's message runs gives the outer host back
// its context when it returns.
//
// Lifecycle. Startup goes to every loaded module; a module that has had
// Startup gets Shutdown when the Host is destroyed, even when its Startup
// failed, so that what it allocated is freed. About, Unload, Reload, the
// filter messages and sendMessage go to the first module. The named
// operations answer the host's own codes when a message is out of order:
// kLifecycleErr before Startup or after Shutdown, kModuleNotLoadedErr while
// the module file is unloaded, kNoFilterErr when no filter is registered.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/result.h"
#include "document/document_settings.h"
#include "plugin/host/suites.h"

namespace heart {

class SuiteBroker;
struct HostContext;
class Document;
class DialogManager;
class RandomSource;
class AlertSink;
class FilterRegistry;
class MemoryBlocks;
class MemoryHandles;
class PluginModule;
class PluginResources;

// A message the lifecycle does not allow now (before Startup, after
// Shutdown, a second Startup).
inline constexpr ASErr kLifecycleErr = HEART_FOUR_CC('!', 'L', 'F', 'C');
// A filter message while no filter is registered.
inline constexpr ASErr kNoFilterErr = HEART_FOUR_CC('!', 'F', 'L', 'T');

struct HostOptions {
  // The plug-in module to load: a module file, or a folder whose modules
  // (files ending in ".aip") are all loaded in name order. Empty: the built
  // Norv_Heart.aip.
  std::string pluginPath;
  // Every new document: its page and colour model.
  DocumentSettings document;
  // Seed of the random source; none: seeded from the clock.
  std::optional<uint32_t> seed;
};

class Host {
 public:
  // A host with a new document; refuses (in the document's words) a page
  // size or colour model the document refuses.
  static Result<std::unique_ptr<Host>> create(HostOptions options = {});
  // The same, for options known to be good: throws std::invalid_argument
  // where create() refuses.
  explicit Host(HostOptions options = {});
  ~Host();  // sends Shutdown to a started plug-in, then unloads it
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The folder searched when HostOptions::pluginPath is empty.
  static std::string defaultPluginPath();

  // Load the plug-in module(s). On failure nothing stays loaded (and
  // lastError() says why too). Loading again once loaded does nothing.
  Result<void> load();

  // Lifecycle messages to the plug-in (the first loaded module).
  ASErr startup();
  ASErr shutdown();
  ASErr unload();  // "SP Access"/"Unload", then the module file is unloaded
  ASErr reload();  // the module file is loaded again, then "SP Access"/"Reload"
  ASErr about();

  // Any message to the first module, whatever the lifecycle, for callers and
  // selectors the host does not otherwise send ("AI Menu", unknown callers).
  // "AI Menu" messages carry the registered filter's menu item and "AI
  // Filter" messages the registered filter and the stored record.
  ASErr sendMessage(const char* caller, const char* selector);

  // The filter the plug-in registered at Startup (null when none).
  AIFilterHandle registeredFilter() const;

  // One use of the filter: Get Parameters (which begins the undoable
  // invocation; a failed or cancelled one ends it) and, when it answered 0,
  // Go, which ends the invocation.
  ASErr getParameters();
  ASErr go();
  ASErr invokeFilter();
  bool invocationOpen() const;

  // The filter's stored parameter block, kept as the plug-in allocated it:
  // null until Get Parameters made one or one was stored with
  // setStoredRecord. The host reads nothing into it; what its bytes mean is
  // the plug-in's (and the record tools', app/records).
  AIMdMemoryHandle recordHandle() const;
  struct StoredBlock {
    const void* bytes = nullptr;  // null when there is no block
    size_t size = 0;
  };
  // The block's bytes and size, valid until the next message or store.
  StoredBlock storedRecord() const;
  // Stores a copy of `size` bytes (at least one) as the block, of their
  // size: the handle stays when it has that size already, another size gets
  // a new one. False for no bytes, or when the memory cannot be had.
  bool setStoredRecord(const void* bytes, size_t size);

  // The host's objects.
  SuiteBroker& broker();
  // What the suites reach while this host's message runs. A caller that
  // calls plug-in code itself, outside a message, holds a HostScope of it.
  const HostContext& context() const;
  Document& document();  // the open document; throws std::logic_error when none is
  bool hasDocument() const;
  void closeDocument();
  Document& newDocument();  // replaces the open document with a new empty one
  DialogManager& dialogs();
  RandomSource& random();
  AlertSink& alerts();
  FilterRegistry& filters();
  MemoryBlocks& blocks();
  MemoryHandles& handles();
  const PluginResources* resources() const;  // the loaded module's
  void* globalsSlot() const;                 // what the host keeps across Unload
  bool moduleLoaded() const;
  const PluginModule* module() const;  // the first module, or null
  bool started() const;                // the first module has had Startup and no Shutdown
  // Why the last load or reload failed, or a record handle was not kept.
  const std::string& lastError() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace heart
