// The stored record file: any bytes are read or refused, and a record that
// is read and passes the checks survives the JSON form unchanged.
#include <cstring>

#include "input_file.h"
#include "records/record_file.h"
#include "records/record_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto record = heart::readRecordFile(heart::fuzz::inputFile(data, size));
  if (!record) {
    if (record.error().empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  if (size != sizeof(ParameterRecord) || std::memcmp(&*record, data, size) != 0) __builtin_trap();
  auto json = heart::recordToJson(*record);
  if (!json) return 0;
  auto back = heart::recordFromJson(*json);
  if (!back || std::memcmp(&*back, &*record, sizeof *record) != 0) __builtin_trap();
  return 0;
}
