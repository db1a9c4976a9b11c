#include "record_edits.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "core/json_depth.h"
#include "records/record_json.h"

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

bool applyFieldEdits(ParameterRecord* record, const std::vector<std::string>& edits,
                     std::string* error) {
  std::optional<RecordJson> json = recordToJson(*record, error);
  if (!json) return false;
  for (const std::string& edit : edits) {
    size_t equals = edit.find('=');
    if (equals == std::string::npos || equals == 0) {
      *error = "\"" + edit + "\" is not field=value";
      return false;
    }
    std::string name = edit.substr(0, equals);
    std::string valueText = edit.substr(equals + 1);
    RecordJson value = checkJsonDepth(valueText, nullptr)
                           ? RecordJson::parse(valueText, nullptr, false)
                           : RecordJson(RecordJson::value_t::discarded);
    if (value.is_discarded() || !(value.is_number() || value.is_boolean())) {
      *error = "field " + name + ": \"" + valueText + "\" is not a number, true or false";
      return false;
    }
    // A whole number written as a real ("1e9", "20.0") is that whole number,
    // so that the range, not the notation, decides whether it is taken.
    if (value.is_number_float()) {
      double real = value.get<double>();
      if (std::isfinite(real) && std::trunc(real) == real && std::fabs(real) < 9.0e18)
        value = static_cast<int64_t>(real);
    }
    // Switches are true/false in the record's JSON; 1 and 0 mean the same.
    auto asSwitch = [&value](const RecordJson& current) {
      if (current.is_boolean() && value.is_number_integer() &&
          (value.get<int64_t>() == 0 || value.get<int64_t>() == 1))
        value = value.get<int64_t>() == 1;
    };
    // An array element: "shapeTweaks[3]".
    size_t open = name.find('[');
    if (open != std::string::npos && name.back() == ']') {
      std::string array = name.substr(0, open);
      char* end = nullptr;
      std::string indexText = name.substr(open + 1, name.size() - open - 2);
      long index = std::strtol(indexText.c_str(), &end, 10);
      if (indexText.empty() || *end != '\0' || !json->contains(array) ||
          !(*json)[array].is_array() || index < 0 ||
          index >= static_cast<long>((*json)[array].size())) {
        *error = "field " + name + " is not a field of the record (`heart fields` lists them)";
        return false;
      }
      asSwitch((*json)[array][static_cast<size_t>(index)]);
      (*json)[array][static_cast<size_t>(index)] = value;
    } else {
      if (!json->contains(name)) {
        *error = "field " + name + " is not a field of the record (`heart fields` lists them)";
        return false;
      }
      asSwitch((*json)[name]);
      (*json)[name] = value;
    }
  }
  std::optional<ParameterRecord> edited = recordFromJson(*json, error);
  if (!edited) return false;
  *record = *edited;
  return true;
}

}  // namespace heart::cli
