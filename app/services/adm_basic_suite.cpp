// "ADM Basic Suite": the plug-in's indexed strings, plain alerts and beeps.
#include <algorithm>
#include <cstring>

#include "core/alert_sink.h"
#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "plugin/host/adm_suites.h"
#include "resources/plugin_resources.h"
#include "services/service_suites.h"

namespace heart {
namespace {

// An index past the end of the list, or a list the module does not carry,
// yields the empty string: that is how a plug-in finds a list's end. A
// string longer than the buffer is cut to bufferSize - 1 characters.
ASErr getIndexString(SPPluginRef plugin, ASInt32 listId, ASInt32 index, char* buffer,
                     ASInt32 bufferSize) {
  if (ASErr e = injectedFault(kADMBasicSuite, "GetIndexString")) return e;
  if (!buffer || bufferSize <= 0) return kBadParameterErr;
  buffer[0] = '\0';
  const auto& lookup = currentHost().resourcesOf;
  const PluginResources* resources = lookup ? lookup(plugin) : nullptr;
  if (!resources) return kBadParameterErr;
  std::string text = resources->indexString(listId, index);
  size_t length = std::min(text.size(), static_cast<size_t>(bufferSize - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return kNoErr;
}

void messageAlert(const char* text) {
  if (AlertSink* alerts = currentHost().alerts) alerts->alert(text ? text : "");
}

void beep() {
  if (AlertSink* alerts = currentHost().alerts) alerts->beep();
}

const ADMBasicSuite kAdmBasicSuite = {getIndexString, messageAlert, beep};

}  // namespace

void registerAdmBasicSuite(SuiteBroker& broker) {
  broker.add(kADMBasicSuite, kADMBasicSuiteVersion, &kAdmBasicSuite);
}

}  // namespace heart
