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

// Modules are loaded by absolute path, so the loader never searches the library
// path and the same file is always known by the same name.
std::string absolutePath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

}  // namespace

Result<std::string> PluginModule::entryPointName(const PluginResources& resources) {
  if (resources.propertyLists.empty()) {
    return fail("it has no plug-in property list (\"PIPL\")");
  }
  const PropertyList* list = &resources.propertyLists.front();
  const PluginProperty* kind = findProperty(*list, "kind");
  if (!kind) {
    return fail("its property list names no plug-in kind (\"kind\")");
  }
  if (kind->isNumber || kind->text != kPluginKind) {
    return fail("its kind is " + describeProperty(*kind) + ", not the plug-in kind \"" +
                kPluginKind + "\"");
  }
  const PluginProperty* version = findProperty(*list, "ivrs");
  if (!version || !version->isNumber || version->number != kPluginInterfaceVersion) {
    return fail("its interface version (\"ivrs\") is " +
                (version ? describeProperty(*version) : std::string("missing")) + ", expected " +
                std::to_string(kPluginInterfaceVersion));
  }
  const PluginProperty* entry = findProperty(*list, "wx86");
  if (!entry || entry->isNumber || entry->text.empty()) {
    return fail("its property list names no entry point (\"wx86\")");
  }
  return entry->text;
}

Result<std::unique_ptr<PluginModule>> PluginModule::open(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    return fail("plug-in module not found: " + path);
  }
  Result<PluginResources> resources = PluginResources::readFromModule(path);
  if (!resources) return fail("cannot read the resources of " + path + ": " + resources.error());
  return open(path, std::move(*resources));
}

Result<std::unique_ptr<PluginModule>> PluginModule::open(const std::string& path,
                                                         PluginResources resources) {
  Result<std::string> entryName = entryPointName(resources);
  if (!entryName) return fail(path + " is not a plug-in module of this host: " + entryName.error());
  std::unique_ptr<PluginModule> module(
      new PluginModule(absolutePath(path), std::move(resources), std::move(*entryName)));
  if (Result<void> mapped = module->map(); !mapped) return mapped.failure();
  return module;
}

bool PluginModule::isMapped(const std::string& path) {
  return isSharedLibraryLoaded(absolutePath(path));
}

PluginModule::PluginModule(std::string path, PluginResources resources, std::string entryName)
    : path_(std::move(path)), resources_(std::move(resources)), entryName_(std::move(entryName)) {}

PluginModule::~PluginModule() { unloadFile(); }

Result<void> PluginModule::map() {
  Result<void*> loaded = loadSharedLibrary(path_);
  if (!loaded) return fail("cannot load " + path_ + ": " + loaded.error());
  void* library = *loaded;
  void* symbol = findSharedLibrarySymbol(library, entryName_);
  if (!symbol) {
    unloadSharedLibrary(library);
    return fail(path_ + " has no entry point \"" + entryName_ + "\"");
  }
  library_ = library;
  entry_ = reinterpret_cast<SPPluginEntryProc>(symbol);
  return {};
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

Result<void> PluginModule::reloadFile() {
  if (library_) return {};
  return map();
}

SPPluginRef PluginModule::ref() const {
  return reinterpret_cast<SPPluginRef>(const_cast<PluginModule*>(this));
}

}  // namespace heart
