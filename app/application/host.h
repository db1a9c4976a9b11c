// The illustration host: it loads plug-in modules, offers them its suites,
// keeps the message lifecycle (Startup first, Shutdown last), holds the
// current document, the dialog manager and the random source, and stores
// each filter's parameter record between uses.
//
// One Host is active at a time: the suite adapters reach its objects through
// hostServices(), which the Host fills in when it is constructed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/suites.h"

namespace heart {

class SuiteBroker;
class Document;
class DialogManager;
class RandomSource;
class AlertSink;
class FilterRegistry;
class PluginModule;
class PluginResources;

struct HostOptions {
  // The plug-in module to load: a module file, or a folder whose modules are
  // all loaded. Empty: the built Norv_Heart.aip beside the program.
  std::string pluginPath;
  // The new document.
  float pageWidth = 612.0f;
  float pageHeight = 792.0f;
  int16_t colorModel = kDocRGBColor;
  // Seed of the random source; none: seeded from the clock.
  std::optional<uint32_t> seed;
};

class Host {
 public:
  explicit Host(HostOptions options = {});
  ~Host();  // sends Shutdown to a started plug-in, then unloads it
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Load the plug-in module(s). On failure *error says why.
  bool load(std::string* error);

  // Lifecycle messages to the plug-in (the first loaded module).
  ASErr startup();
  ASErr shutdown();
  ASErr unload();  // "SP Access"/"Unload", then the module file is unloaded
  ASErr reload();  // the module file is loaded again, then "SP Access"/"Reload"
  ASErr about();

  // Any header-only message, for callers and selectors the host does not
  // otherwise send ("AI Menu", unknown callers).
  ASErr sendMessage(const char* caller, const char* selector);

  // The filter the plug-in registered at Startup (null when none).
  AIFilterHandle registeredFilter() const;

  // One use of the filter: Get Parameters (which begins the undoable
  // invocation) and, when it answered 0, Go.
  ASErr getParameters();
  ASErr go();
  ASErr invokeFilter();

  // The filter's stored parameter record: null until Get Parameters made one
  // or one was stored with setStoredRecord.
  AIMdMemoryHandle recordHandle() const;
  const void* storedRecord() const;  // 340 bytes, or null
  void setStoredRecord(const void* bytes, size_t size);

  // The host's objects.
  SuiteBroker& broker();
  Document& document();
  DialogManager& dialogs();
  RandomSource& random();
  AlertSink& alerts();
  FilterRegistry& filters();
  const PluginResources* resources() const;  // the loaded module's
  void* globalsSlot() const;                  // what the host keeps across Unload
  bool moduleLoaded() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace heart
