// Record JSON text, whole and over a base record: refused with a reason or
// read into a record that passes the checks and writes back to the same
// record.
#include <cstring>

#include "records/record_defaults.h"
#include "records/record_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const ParameterRecord base = heart::defaultRecord(AIRealPoint{306, 396});
  for (const ParameterRecord* over : {static_cast<const ParameterRecord*>(nullptr), &base}) {
    auto record = heart::recordFromJsonText(text, over);
    if (!record) {
      if (record.error().empty()) __builtin_trap();
      continue;
    }
    if (!heart::checkRecord(*record)) __builtin_trap();
    auto json = heart::recordToJson(*record);
    if (!json) __builtin_trap();
    auto back = heart::recordFromJson(*json);
    if (!back || std::memcmp(&*back, &*record, sizeof *record) != 0) __builtin_trap();
  }
  return 0;
}
