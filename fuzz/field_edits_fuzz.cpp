// "--set field=value" edits, one per input line: read all or none, and a
// record they are applied to holds only what the record may hold.
#include <sstream>

#include "record_edits.h"
#include "records/record_defaults.h"
#include "records/record_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> lines;
  std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  heart::Result<std::vector<heart::cli::FieldEdit>> edits = heart::cli::parseFieldEdits(lines);
  if (!edits) {
    if (edits.error().empty()) __builtin_trap();
    return 0;
  }
  if (edits->size() != lines.size()) __builtin_trap();
  ParameterRecord record = heart::defaultRecord(AIRealPoint{306, 396});
  heart::cli::applyFieldEdits(&record, *edits);
  if (!heart::checkRecord(record)) __builtin_trap();
  return 0;
}
