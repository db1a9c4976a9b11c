// "AI Filter Suite" and "AI Menu Suite" over the host's filter registry.
#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/length_prefixed.h"
#include "core/suite_broker.h"
#include "plugin/host/ai_menu_filter_suites.h"
#include "services/filter_registry.h"
#include "services/service_suites.h"

namespace heart {
namespace {

FilterRegistry* registry() { return currentHost().filters; }

ASErr addFilter(SPPluginRef plugin, const char* name, PlatformAddFilterData* data, ASInt32 options,
                AIFilterHandle* filter) {
  if (ASErr e = injectedFault(kAIFilterSuite, "AddFilter")) return e;
  if (!registry() || !name || !data || !data->category || !data->title || !filter)
    return kBadParameterErr;
  Filter& added = registry()->add(plugin, name, fromLengthPrefixed(data->category),
                                  fromLengthPrefixed(data->title), options);
  *filter = FilterRegistry::handleOf(added);
  return kNoErr;
}

ASErr getFilterMenuItem(AIFilterHandle filter, AIMenuItemHandle* menuItem) {
  if (ASErr e = injectedFault(kAIFilterSuite, "GetFilterMenuItem")) return e;
  Filter* found = registry() ? registry()->find(filter) : nullptr;
  if (!found || !menuItem) return kBadParameterErr;
  *menuItem = FilterRegistry::handleOf(*found->menuItem);
  return kNoErr;
}

ASErr getFilterName(AIFilterHandle filter, const char** name) {
  if (ASErr e = injectedFault(kAIFilterSuite, "GetFilterName")) return e;
  Filter* found = registry() ? registry()->find(filter) : nullptr;
  if (!found || !name) return kBadParameterErr;
  *name = found->name.c_str();
  return kNoErr;
}

ASErr updateMenuItemAutomatically(AIMenuItemHandle item, ASInt32 action,
                                  ASInt32 ifObjectIsInArtwork, ASInt32 ifObjectIsNotInArtwork,
                                  ASInt32 ifObjectIsSelected, ASInt32 ifObjectIsNotSelected,
                                  ASInt32 ifIsTrue, ASInt32 ifIsNotTrue) {
  if (ASErr e = injectedFault(kAIMenuSuite, "UpdateMenuItemAutomatically")) return e;
  MenuItem* found = registry() ? registry()->find(item) : nullptr;
  if (!found) return kBadParameterErr;
  if (action != kAutoEnableMenuItemAction && action != kAutoCheckMenuItemAction)
    return kBadParameterErr;
  found->rule = MenuRule{action,
                         ifObjectIsInArtwork,
                         ifObjectIsNotInArtwork,
                         ifObjectIsSelected,
                         ifObjectIsNotSelected,
                         ifIsTrue,
                         ifIsNotTrue};
  found->hasRule = true;
  return kNoErr;
}

ASErr isItemEnabled(AIMenuItemHandle item, ASBoolean* enabled) {
  if (ASErr e = injectedFault(kAIMenuSuite, "IsItemEnabled")) return e;
  MenuItem* found = registry() ? registry()->find(item) : nullptr;
  if (!found || !enabled) return kBadParameterErr;
  *enabled = registry()->isEnabled(*found) ? 1 : 0;
  return kNoErr;
}

const AIFilterSuite kFilterSuite = {addFilter, getFilterMenuItem, getFilterName};
const AIMenuSuite kMenuSuite = {updateMenuItemAutomatically, isItemEnabled};

}  // namespace

void registerFilterSuite(SuiteBroker& broker) {
  broker.add(kAIFilterSuite, kAIFilterSuiteVersion, &kFilterSuite);
}

void registerMenuSuite(SuiteBroker& broker) {
  broker.add(kAIMenuSuite, kAIMenuSuiteVersion, &kMenuSuite);
}

}  // namespace heart
