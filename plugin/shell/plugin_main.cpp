// Message dispatch: a static table of (caller, selector) rows tested in order.
// For every message except the "SP Access" ones the suites are held around
// the handler, and a failed message is reported once through the error alert.
#include "plugin/shell/plugin_main.h"

#include "plugin/shell/about_box.h"
#include "plugin/shell/error_alert.h"
#include "plugin/shell/filter_invocation.h"
#include "plugin/shell/lifecycle.h"
#include "plugin/suites/suite_table.h"

namespace {

using MessageHandler = ASErr (*)(void* message);

struct DispatchRow {
  const char* caller;
  const char* selector;    // null: any other selector of the caller
  MessageHandler handler;  // null: nothing to do, the answer is 0
  bool holdsSuites;
};

ASErr onUnload(void* message) { return unloadPlugin(static_cast<SPAccessMessage*>(message)); }
ASErr onReload(void* message) { return reloadPlugin(static_cast<SPAccessMessage*>(message)); }
ASErr onStartup(void* message) { return startupPlugin(static_cast<SPInterfaceMessage*>(message)); }
ASErr onAbout(void* message) { return showAboutBox(static_cast<SPInterfaceMessage*>(message)); }
ASErr onShutdown(void* message) {
  return shutdownPlugin(static_cast<SPInterfaceMessage*>(message));
}
// The plug-in adds no menu item of its own, so a menu Go is for no item of ours.
ASErr onMenuGo(void*) { return kBadSelectorErr; }
ASErr onGetParameters(void* message) {
  return getFilterParameters(static_cast<AIFilterMessage*>(message));
}
ASErr onFilterGo(void* message) { return goFilter(static_cast<AIFilterMessage*>(message)); }

const DispatchRow kDispatchTable[] = {
    {kSPAccessCaller, kSPAccessUnloadSelector, onUnload, false},
    {kSPAccessCaller, kSPAccessReloadSelector, onReload, false},
    {kSPAccessCaller, nullptr, nullptr, false},
    {kSPInterfaceCaller, kSPInterfaceStartupSelector, onStartup, true},
    {kSPInterfaceCaller, kSPInterfaceAboutSelector, onAbout, true},
    {kSPInterfaceCaller, kSPInterfaceShutdownSelector, onShutdown, true},
    {kSPInterfaceCaller, nullptr, nullptr, true},
    {kCallerAIMenu, kSelectorAIGoMenuItem, onMenuGo, true},
    {kCallerAIMenu, kSelectorAIUpdateMenuItem, nullptr, true},
    {kCallerAIMenu, nullptr, nullptr, true},
    {kCallerAIFilter, kSelectorAIGetFilterParameters, onGetParameters, true},
    {kCallerAIFilter, kSelectorAIGoFilter, onFilterGo, true},
    {kCallerAIFilter, nullptr, nullptr, true},
};

// The first row for the message, or null for a caller the plug-in does not know.
const DispatchRow* findRow(const SPBasicSuite* basic, const char* caller, const char* selector) {
  for (const DispatchRow& row : kDispatchTable) {
    if (!basic->IsEqual(caller, row.caller)) continue;
    if (row.selector == nullptr || basic->IsEqual(selector, row.selector)) return &row;
  }
  return nullptr;
}

}  // namespace

extern "C" ASErr PluginMain(const char* caller, const char* selector, void* message) {
  SPMessageData* data = static_cast<SPMessageData*>(message);
  if (data == nullptr || data->basicSuite == nullptr) return kBadParameterErr;
  SPBasicSuite* basic = data->basicSuite;

  const DispatchRow* row = findRow(basic, caller, selector);
  if (row != nullptr && !row->holdsSuites) return row->handler ? row->handler(message) : kNoErr;

  ASErr result = acquireSuites(basic);
  if (result == kNoErr && row != nullptr && row->handler != nullptr) result = row->handler(message);
  if (result != kNoErr && result != kSuiteNotFoundErr) showErrorAlert(data, result);
  releaseSuites(basic);
  return result;
}
