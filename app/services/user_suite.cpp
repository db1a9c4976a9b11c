// "AI User Suite": numbers to and from length-prefixed strings.
#include "core/fault_injector.h"
#include "core/length_prefixed.h"
#include "core/suite_broker.h"
#include "plugin/host/ai_support_suites.h"
#include "services/number_strings.h"
#include "services/service_suites.h"

namespace heart {
namespace {

// A text that is not a number leaves *value as it was.
ASErr pstringToReal(const unsigned char* pstring, AIReal* value) {
  if (ASErr e = injectedFault(kAIUserSuite, "PStringToReal")) return e;
  if (!pstring || !value) return kBadParameterErr;
  std::optional<float> number = parseNumber(fromLengthPrefixed(pstring));
  if (!number) return kBadParameterErr;
  *value = *number;
  return kNoErr;
}

// A value that cannot be written leaves an empty string in the buffer.
ASErr realToPString(AIReal value, ASInt16 places, unsigned char* buffer) {
  if (ASErr e = injectedFault(kAIUserSuite, "RealToPString")) return e;
  if (!buffer) return kBadParameterErr;
  buffer[0] = 0;
  std::optional<std::string> text = formatNumber(value, places);
  if (!text || !toLengthPrefixed(*text, buffer)) return kBadParameterErr;
  return kNoErr;
}

const AIUserSuite kUserSuite = {pstringToReal, realToPString};

}  // namespace

void registerUserSuite(SuiteBroker& broker) {
  broker.add(kAIUserSuite, kAIUserSuiteVersion, &kUserSuite);
}

}  // namespace heart
