#include "record_edits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "core/json_depth.h"
#include "near_names.h"

namespace heart::cli {

std::string defaultRecordPath() {
  if (const char* explicitPath = std::getenv("HEART_RECORD"); explicitPath && *explicitPath)
    return explicitPath;
  std::filesystem::path base;
#ifdef _WIN32
  // Windows keeps a user's settings under %APPDATA%.
  if (const char* appData = std::getenv("APPDATA"); appData && *appData) {
    base = appData;
  } else if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
#else
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
#endif
    base = config;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".config";
  } else {
    return "Norv_Heart.record";
  }
  return (base / "heart" / "Norv_Heart.record").string();
}

namespace {

// The table entry an edit names: a field, or an element of an array field,
// "shapeTweaks[3]" (its index read as strtol reads it, so "[+3]" and "[ 3]"
// name element 3 too). The table is searched by C string, so a name holding a
// NUL byte would be read only up to it ("heartCount\0x" as heartCount): such
// a name names nothing.
// The names of the record's fields as `heart fields` lists them, an array
// once by its own name ("shapeTweaks").
std::vector<std::string> fieldNames() {
  std::vector<std::string> names;
  for (const FieldInfo& field : kFieldTable) {
    std::string name = field.name;
    name = name.substr(0, name.find('['));
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

// The field's own spelling of a name typed in any case ("heartcount" is
// heartCount), the index of an element kept; the name itself when no field
// has it.
std::string spelledAsTheField(const std::string& name) {
  const size_t open = name.find('[');
  const std::string base = name.substr(0, open);
  for (const std::string& known : fieldNames())
    if (sameIgnoringCase(known, base))
      return open == std::string::npos ? known : known + name.substr(open);
  return name;
}

const FieldInfo* fieldNamed(const std::string& typed) {
  if (typed.find('\0') != std::string::npos) return nullptr;
  const std::string name = spelledAsTheField(typed);
  size_t open = name.find('[');
  if (open == std::string::npos || name.back() != ']') return findField(name.c_str());
  std::string indexText = name.substr(open + 1, name.size() - open - 2);
  char* end = nullptr;
  long index = std::strtol(indexText.c_str(), &end, 10);
  if (indexText.empty() || *end != '\0') return nullptr;
  return findField((name.substr(0, open) + "[" + std::to_string(index) + "]").c_str());
}

// The number of elements of an array field ("shapeTweaks": 16); 0 for any
// other name. No array is longer than the table.
int arrayLength(const std::string& typed) {
  if (typed.find('\0') != std::string::npos) return 0;
  const std::string name = spelledAsTheField(typed);
  int length = 0;
  while (length < kFieldCount && findField((name + "[" + std::to_string(length) + "]").c_str()))
    ++length;
  return length;
}

Result<FieldEdit> parseFieldEdit(const std::string& edit) {
  size_t equals = edit.find('=');
  if (equals == std::string::npos || equals == 0) {
    return fail("\"" + edit + "\" is not field=value");
  }
  std::string name = edit.substr(0, equals);
  std::string valueText = edit.substr(equals + 1);
  // Switches as dialog scripts and people write them.
  for (const char* word : {"on", "yes", "true"})
    if (sameIgnoringCase(valueText, word)) valueText = "true";
  for (const char* word : {"off", "no", "false"})
    if (sameIgnoringCase(valueText, word)) valueText = "false";
  RecordJson value = checkJsonDepth(valueText).ok() ? RecordJson::parse(valueText, nullptr, false)
                                                    : RecordJson(RecordJson::value_t::discarded);
  if (value.is_discarded() || !(value.is_number() || value.is_boolean())) {
    return fail("field " + name + ": \"" + valueText + "\" is not a number, true or false");
  }
  // A whole number written as a real ("1e9", "20.0") is that whole number,
  // so that the range, not the notation, decides whether it is taken.
  if (value.is_number_float()) {
    double real = value.get<double>();
    if (std::isfinite(real) && std::trunc(real) == real && std::fabs(real) < 9.0e18)
      value = static_cast<int64_t>(real);
  }
  const FieldInfo* field = fieldNamed(name);
  if (!field) {
    // A whole array takes no single value; its elements are edited one by one.
    if (int length = arrayLength(name))
      return fail("field \"" + name + "\" must be an array of " + std::to_string(length) +
                  " values, not " + value.dump());
    std::string message = "field ";
    message += name;
    message += " is not a field of the record";
    // A near miss of a field's name gets the name; a known name with a wrong
    // index, or one holding a NUL byte, does not.
    const std::string base = name.substr(0, name.find('['));
    const std::vector<std::string> names = fieldNames();
    const bool known =
        std::find(names.begin(), names.end(), spelledAsTheField(base)) != names.end();
    if (!known && base.find('\0') == std::string::npos) message += didYouMean(base, names);
    message += " (`heart fields` lists them)";
    return fail(message);
  }
  // Switches are true/false in the record's JSON; 1 and 0 mean the same.
  if (field->type == kFieldBool && value.is_number_integer() &&
      (value.get<int64_t>() == 0 || value.get<int64_t>() == 1))
    value = value.get<int64_t>() == 1;
  Result<FieldWord> word = fieldWordFromJson(*field, value);
  if (!word) return word.failure();
  return FieldEdit{field, *word};
}

}  // namespace

Result<std::vector<FieldEdit>> parseFieldEdits(const std::vector<std::string>& edits) {
  std::vector<FieldEdit> parsed;
  for (const std::string& edit : edits) {
    Result<FieldEdit> checked = parseFieldEdit(edit);
    if (!checked) return checked.failure();
    parsed.push_back(*checked);
  }
  return parsed;
}

void applyFieldEdits(ParameterRecord* record, const std::vector<FieldEdit>& edits) {
  for (const FieldEdit& edit : edits) storeFieldWord(record, *edit.field, edit.word);
}

}  // namespace heart::cli
