#include "plugin/shell/lifecycle.h"

#include "plugin/resources/resource_ids.h"
#include "plugin/shell/length_prefixed_string.h"
#include "plugin/shell/plugin_globals.h"
#include "plugin/suites/held_suites.h"
#include "plugin/suites/suite_table.h"

PluginGlobals* gPluginGlobals = nullptr;

namespace {

// The menu strings are read with this size, as the host's menus hold no more.
constexpr ASInt32 kMenuStringSize = 65;

// Registers one filter per (category, title) pair of the filter strings; the
// block has room for one, so only the first pair is read.
ASErr registerFilters(SPPluginRef plugin, PluginGlobals* globals) {
  ASInt16 index = 1;
  ASInt32 count = 0;
  do {
    // 256 bytes, so the in-place conversion always has room.
    char category[256] = {};
    char title[256] = {};
    sADMBasic->GetIndexString(plugin, kFilterStringsId, index, category, kMenuStringSize);
    if (category[0] == '\0') break;
    sADMBasic->GetIndexString(plugin, kFilterStringsId, index + 1, title, kMenuStringSize);
    toLengthPrefixed(category);
    toLengthPrefixed(title);

    PlatformAddFilterData menuStrings = {reinterpret_cast<const unsigned char*>(category),
                                         reinterpret_cast<const unsigned char*>(title)};
    AIFilterHandle* handle = &globals->filterHandles[count];
    if (ASErr error = sAIFilter->AddFilter(plugin, kFilterName, &menuStrings, 0, handle))
      return error;
    AIMenuItemHandle menuItem = nullptr;
    if (ASErr error = sAIFilter->GetFilterMenuItem(*handle, &menuItem)) return error;
    if (ASErr error = sAIMenu->UpdateMenuItemAutomatically(menuItem, kAutoEnableMenuItemAction, 0,
                                                           0, 0, 0, kIfOpenDocument, 0))
      return error;
    index += 2;
    count += 1;
  } while (index < 2 && count < kMaxFilters);
  globals->filterCount = count;
  return kNoErr;
}

}  // namespace

ASErr startupPlugin(SPInterfaceMessage* message) {
  void* block = nullptr;
  if (ASErr error = sSPBlocks->AllocateBlock(sizeof(PluginGlobals), "globals", &block))
    return error;
  if (block == nullptr) return kOutOfMemoryErr;
  gPluginGlobals = static_cast<PluginGlobals*>(block);
  gPluginGlobals->savedBasicSuite = message->d.basicSuite;
  return registerFilters(message->d.pluginRef, gPluginGlobals);
}

ASErr shutdownPlugin(SPInterfaceMessage* message) {
  SPBasicSuite* basic = message->d.basicSuite;
  const void* blocks = nullptr;
  using Blocks = SuiteIdentity<SPBlocksSuite>;
  ASErr error = basic->AcquireSuite(Blocks::name, Blocks::version, &blocks);
  if (error == kNoErr) {
    sSPBlocks = static_cast<const SPBlocksSuite*>(blocks);
    sSPBlocks->FreeBlock(gPluginGlobals);
    gPluginGlobals = nullptr;
    basic->ReleaseSuite(Blocks::name, Blocks::version);
  }
  message->d.globalsSlot = nullptr;
  return error;
}

ASErr unloadPlugin(SPAccessMessage* message) {
  message->d.globalsSlot = gPluginGlobals;
  return kNoErr;
}

ASErr reloadPlugin(SPAccessMessage* message) {
  gPluginGlobals = static_cast<PluginGlobals*>(message->d.globalsSlot);
  resetSuiteCounter();
  return kNoErr;
}
