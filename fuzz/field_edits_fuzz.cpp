// "--set field=value" edits, one per input line: applied all or none.
#include <cstring>
#include <sstream>

#include "record_edits.h"
#include "records/record_defaults.h"
#include "records/record_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> edits;
  std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
  for (std::string line; std::getline(lines, line);) edits.push_back(line);
  const ParameterRecord base = heart::defaultRecord(AIRealPoint{306, 396});
  ParameterRecord record = base;
  std::string error;
  if (!heart::cli::applyFieldEdits(&record, edits, &error)) {
    if (error.empty() || std::memcmp(&record, &base, sizeof record) != 0) __builtin_trap();
    return 0;
  }
  if (!heart::checkRecord(record, &error)) __builtin_trap();
  return 0;
}
