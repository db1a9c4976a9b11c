#include "application/host.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "application/host_state.h"
#include "dialog_manager/dialog_suites.h"
#include "document/document_suites.h"
#include "services/service_suites.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

#ifndef HEART_DEFAULT_PLUGIN_DIR
#define HEART_DEFAULT_PLUGIN_DIR "."
#endif

namespace heart {
namespace {

RandomSource makeRandom(const HostOptions& options) {
  return options.seed ? RandomSource(*options.seed) : RandomSource();
}

// What the menu rules are evaluated against: the open document's state. The
// host has no selection, so no art is ever selected.
MenuConditions documentConditions(const Document* document) {
  MenuConditions now;
  if (!document) return now;
  now.documentOpen = true;
  const Layer& layer = document->tree().layer(document->currentLayer());
  now.currentLayerEditable = !layer.locked && layer.visible;
  for (ArtId art = 0; art < document->tree().slotCount(); ++art) {
    if (!document->tree().isLive(art)) continue;
    now.artKindsPresent |= kIfAnyArt;
    int16_t type = document->tree().node(art).type;
    if (type == kPathArt) now.artKindsPresent |= kIfPathArt;
    if (type == kGroupArt) now.artKindsPresent |= kIfGroupArt;
  }
  return now;
}

// The module files a plug-in path names: the file itself, or the ".aip"
// files of a folder in name order; a folder without any is refused.
Result<std::vector<std::string>> moduleFiles(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return std::vector<std::string>{path};
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(path, ec))
    if (entry.is_regular_file() && entry.path().extension() == ".aip")
      files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  if (files.empty()) return fail("no plug-in modules (.aip files) in " + path);
  return files;
}

}  // namespace

Host::State::State(HostOptions hostOptions)
    : options(std::move(hostOptions)),
      random(makeRandom(options)),
      document(std::make_unique<Document>(options.document)) {
  context.broker = &broker;
  context.alerts = &alerts;
  context.filters = &filters;
  context.blocks = &blocks;
  context.handles = &handles;
  context.document = document.get();
  context.random = &random;
  context.dialogs = &dialogs;
  context.resourcesOf = [this](SPPluginRef ref) { return resourcesOf(ref); };
  context.moduleOf = [this](SPPluginRef ref) -> const PluginModule* {
    const LoadedPlugin* plugin = pluginOf(ref);
    return plugin ? plugin->module.get() : nullptr;
  };
  dialogs.setResourceSource([this](SPPluginRef ref) { return resourcesOf(ref); });
}

const PluginResources* Host::State::resourcesOf(SPPluginRef ref) const {
  const LoadedPlugin* plugin = pluginOf(ref);
  return plugin ? &plugin->module->resources() : nullptr;
}

LoadedPlugin* Host::State::first() { return plugins.empty() ? nullptr : &plugins.front(); }
const LoadedPlugin* Host::State::first() const {
  return plugins.empty() ? nullptr : &plugins.front();
}

const LoadedPlugin* Host::State::pluginOf(SPPluginRef ref) const {
  for (const LoadedPlugin& plugin : plugins)
    if (plugin.module->ref() == ref) return &plugin;
  return nullptr;
}

void Host::State::beginInvocation() {
  if (invocationOpen) endInvocation();
  if (document) document->beginInvocation();
  invocationOpen = true;
}

void Host::State::endInvocation() {
  if (invocationOpen && document) document->endInvocation();
  invocationOpen = false;
}

Host::Host(HostOptions options) : state_(std::make_unique<State>(std::move(options))) {
  registerServiceSuites(state_->broker);
  registerDocumentSuites(state_->broker);
  registerDialogSuites(state_->broker);
  state_->filters.setConditionSource([this] { return documentConditions(state_->document.get()); });
}

Host::~Host() {
  // The plug-ins are shut down and their module files unloaded with this
  // host current, whichever host's call (if any) is running around it.
  HostScope scope(state_->context);
  state_->shutDownAll();
  state_->endInvocation();
  state_->plugins.clear();
}

std::string Host::defaultPluginPath() {
#ifdef _WIN32
  // An installed heart.exe keeps its module in Plug-ins\64-bit beside it.
  wchar_t exe[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    const std::filesystem::path installed =
        std::filesystem::path(exe).parent_path() / "Plug-ins" / "64-bit";
    std::error_code ec;
    if (std::filesystem::is_directory(installed, ec)) return installed.string();
  }
#endif
  return HEART_DEFAULT_PLUGIN_DIR;
}

Result<std::unique_ptr<Host>> Host::create(HostOptions options) {
  if (Result<void> checked = Document::check(options.document); !checked) return checked.failure();
  return std::make_unique<Host>(std::move(options));
}

Result<void> Host::load() {
  if (!state_->plugins.empty()) return {};
  std::string path =
      state_->options.pluginPath.empty() ? defaultPluginPath() : state_->options.pluginPath;
  auto refuse = [this](const std::string& why) {
    state_->lastError = why;
    return fail(why);
  };
  Result<std::vector<std::string>> files = moduleFiles(path);
  if (!files) return refuse(files.error());
  std::vector<LoadedPlugin> loaded;
  for (const std::string& file : *files) {
    Result<std::unique_ptr<PluginModule>> module = PluginModule::open(file);
    if (!module) return refuse(module.error());
    loaded.push_back(LoadedPlugin{std::move(*module)});
  }
  state_->plugins = std::move(loaded);
  return {};
}

AIFilterHandle Host::registeredFilter() const {
  const LoadedPlugin* plugin = state_->first();
  if (!plugin) return nullptr;
  for (const Filter* filter : state_->filters.filters())
    if (filter->plugin == plugin->module->ref()) return FilterRegistry::handleOf(*filter);
  return nullptr;
}

bool Host::invocationOpen() const { return state_->invocationOpen; }

AIMdMemoryHandle Host::recordHandle() const { return state_->record; }

Host::StoredBlock Host::storedRecord() const {
  AIMdMemoryHandle record = state_->record;
  const size_t size = record ? state_->handles.size(record) : 0;
  if (size == 0) return {};
  return {*record, size};
}

bool Host::setStoredRecord(const void* bytes, size_t size) {
  if (!bytes || size == 0) return false;
  AIMdMemoryHandle& record = state_->record;
  if (!record || state_->handles.size(record) != size) {
    AIMdMemoryHandle fresh = state_->handles.allocate(size);
    if (!fresh) return false;
    if (record) state_->handles.dispose(record);
    record = fresh;
  }
  std::memcpy(*record, bytes, size);
  return true;
}

SuiteBroker& Host::broker() { return state_->broker; }
const HostContext& Host::context() const { return state_->context; }

Document& Host::document() {
  if (!state_->document) throw std::logic_error("no document is open");
  return *state_->document;
}

bool Host::hasDocument() const { return state_->document != nullptr; }

void Host::closeDocument() {
  state_->endInvocation();
  state_->document.reset();
  state_->context.document = nullptr;
}

Document& Host::newDocument() {
  state_->endInvocation();
  state_->document = std::make_unique<Document>(state_->options.document);
  state_->context.document = state_->document.get();
  return *state_->document;
}

DialogManager& Host::dialogs() { return state_->dialogs; }
RandomSource& Host::random() { return state_->random; }
AlertSink& Host::alerts() { return state_->alerts; }
FilterRegistry& Host::filters() { return state_->filters; }
MemoryBlocks& Host::blocks() { return state_->blocks; }
MemoryHandles& Host::handles() { return state_->handles; }

const PluginResources* Host::resources() const {
  const LoadedPlugin* plugin = state_->first();
  return plugin ? &plugin->module->resources() : nullptr;
}

void* Host::globalsSlot() const {
  const LoadedPlugin* plugin = state_->first();
  return plugin ? plugin->module->globalsSlot : nullptr;
}

bool Host::moduleLoaded() const {
  const LoadedPlugin* plugin = state_->first();
  return plugin && plugin->module->loaded();
}

const PluginModule* Host::module() const {
  const LoadedPlugin* plugin = state_->first();
  return plugin ? plugin->module.get() : nullptr;
}

bool Host::started() const {
  const LoadedPlugin* plugin = state_->first();
  return plugin && plugin->startupSent && !plugin->shutdownSent;
}

const std::string& Host::lastError() const { return state_->lastError; }

}  // namespace heart
