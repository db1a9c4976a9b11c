#include "module/plugin_module.h"

#include <filesystem>

#include "module/shared_library.h"

namespace heart {
namespace {

std::string describeProperty(const PluginProperty& property) {
  return property.isNumber ? std::to_string(property.number) : "\"" + property.text + "\"";
}

const PluginProperty* findProperty(const PropertyList& list, const std::string& key) {
  for (const PluginProperty& property : list.properties)
    if (property.key == key) return &property;
  return nullptr;
}

void setError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

// Modules are loaded by absolute path, so the loader never searches the library
// path and the same file is always known by the same name.
std::string absolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

}  // namespace

std::string PluginModule::entryPointName(const PluginResources& resources, std::string* error) {
  if (resources.propertyLists.empty()) {
    setError(error, "it has no plug-in property list (\"PIPL\")");
    return "";
  }
  const PropertyList* list = &resources.propertyLists.front();
  const PluginProperty* kind = findProperty(*list, "kind");
  if (!kind) {
    setError(error, "its property list names no plug-in kind (\"kind\")");
    return "";
  }
  if (kind->isNumber || kind->text != kPluginKind) {
    setError(error, "its kind is " + describeProperty(*kind) + ", not the plug-in kind \"" +
                        kPluginKind + "\"");
    return "";
  }
  const PluginProperty* version = findProperty(*list, "ivrs");
  if (!version || !version->isNumber || version->number != kPluginInterfaceVersion) {
    setError(error, "its interface version (\"ivrs\") is " +
                        (version ? describeProperty(*version) : std::string("missing")) +
                        ", expected " + std::to_string(kPluginInterfaceVersion));
    return "";
  }
  const PluginProperty* entry = findProperty(*list, "wx86");
  if (!entry || entry->isNumber || entry->text.empty()) {
    setError(error, "its property list names no entry point (\"wx86\")");
    return "";
  }
  return entry->text;
}

std::unique_ptr<PluginModule> PluginModule::open(const std::string& path, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    setError(error, "plug-in module not found: " + path);
    return nullptr;
  }
  std::string why;
  std::optional<PluginResources> resources = PluginResources::readFromModule(path, &why);
  if (!resources) {
    setError(error, "cannot read the resources of " + path + ": " + why);
    return nullptr;
  }
  return open(path, std::move(*resources), error);
}

std::unique_ptr<PluginModule> PluginModule::open(const std::string& path, PluginResources resources,
                                                 std::string* error) {
  std::string why;
  std::string entryName = entryPointName(resources, &why);
  if (entryName.empty()) {
    setError(error, path + " is not a plug-in module of this host: " + why);
    return nullptr;
  }
  std::unique_ptr<PluginModule> module(
      new PluginModule(absolutePath(path), std::move(resources), std::move(entryName)));
  if (!module->map(error)) return nullptr;
  return module;
}

bool PluginModule::isMapped(const std::string& path) {
  return isSharedLibraryLoaded(absolutePath(path));
}

PluginModule::PluginModule(std::string path, PluginResources resources, std::string entryName)
    : path_(std::move(path)), resources_(std::move(resources)), entryName_(std::move(entryName)) {}

PluginModule::~PluginModule() { unloadFile(); }

bool PluginModule::map(std::string* error) {
  std::string why;
  void* library = loadSharedLibrary(path_, &why);
  if (!library) {
    setError(error, "cannot load " + path_ + ": " + why);
    return false;
  }
  void* symbol = findSharedLibrarySymbol(library, entryName_);
  if (!symbol) {
    unloadSharedLibrary(library);
    setError(error, path_ + " has no entry point \"" + entryName_ + "\"");
    return false;
  }
  library_ = library;
  entry_ = reinterpret_cast<SPPluginEntryProc>(symbol);
  return true;
}

ASErr PluginModule::call(const char* caller, const char* selector, void* message) const {
  if (!entry_) return kModuleNotLoadedErr;
  return entry_(caller, selector, message);
}

bool PluginModule::unloadFile() {
  if (!library_) return false;
  entry_ = nullptr;
  void* library = library_;
  library_ = nullptr;
  return unloadSharedLibrary(library);
}

bool PluginModule::reloadFile(std::string* error) {
  if (library_) return true;
  return map(error);
}

SPPluginRef PluginModule::ref() const {
  return reinterpret_cast<SPPluginRef>(const_cast<PluginModule*>(this));
}

}  // namespace heart
