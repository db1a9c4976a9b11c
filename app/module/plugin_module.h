// A plug-in module file loaded into the host. Opening one reads its
// resources without running any of its code, checks its property list
// (kind "SPEA", interface version 2), and only then maps the file and looks
// up the entry point that the list names in its "wx86" property. The
// property list is found by its type ("PIPL"), whatever its id, as an
// illustration program finds it: a module carries one, and of several the
// first (in the order of the resource block, or of the Windows resource
// directory) is the plug-in's.
//
// unloadFile() really unmaps the file and reloadFile() maps it again and
// resolves the entry point anew; the host keeps `globalsSlot` meanwhile.
#pragma once

#include <memory>
#include <string>

#include "core/result.h"
#include "plugin/host/messages.h"
#include "resources/plugin_resources.h"

namespace heart {

inline constexpr const char* kPluginKind = "SPEA";
inline constexpr int32_t kPluginInterfaceVersion = 2;

class PluginModule {
 public:
  // Reads the module's resources and loads it, or says why it cannot.
  static Result<std::unique_ptr<PluginModule>> open(const std::string& path);
  // Loads the module with resources the caller read already (or changed).
  static Result<std::unique_ptr<PluginModule>> open(const std::string& path,
                                                    PluginResources resources);

  // The entry point named in the property list, checked against `resources`,
  // or why the list names none this host can call.
  static Result<std::string> entryPointName(const PluginResources& resources);

  // Whether the file is mapped into this process right now.
  static bool isMapped(const std::string& path);

  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  // Calls the entry point; "!LOD" (kModuleNotLoadedErr) while the file is unloaded.
  ASErr call(const char* caller, const char* selector, void* message) const;

  bool unloadFile();
  Result<void> reloadFile();
  bool loaded() const { return library_ != nullptr; }

  const std::string& path() const { return path_; }
  const std::string& entryName() const { return entryName_; }
  const PluginResources& resources() const { return resources_; }
  // The reference the host passes to the plug-in for this module.
  SPPluginRef ref() const;

  // Kept by the host for the plug-in across messages, unload and reload.
  void* globalsSlot = nullptr;

 private:
  PluginModule(std::string path, PluginResources resources, std::string entryName);
  Result<void> map();

  std::string path_;
  PluginResources resources_;
  std::string entryName_;
  void* library_ = nullptr;
  SPPluginEntryProc entry_ = nullptr;
};

// The host's answer to a message for a module whose file is not loaded.
inline constexpr ASErr kModuleNotLoadedErr = HEART_FOUR_CC('!', 'L', 'O', 'D');

}  // namespace heart
