#include "records/named_settings.h"

#include <algorithm>
#include <cstdlib>

#include "records/record_file.h"
#include "records/record_json.h"

namespace heart {
namespace {

constexpr std::string_view kExtension = ".json";

bool nameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
         c == '-' || c == '_';
}

std::filesystem::path fileOf(const std::filesystem::path& folder, std::string_view name) {
  return folder / (std::string(name) + std::string(kExtension));
}

}  // namespace

Result<std::filesystem::path> namedSettingsFolder() {
  // A relative XDG_CONFIG_HOME names no folder: it is passed over, as desktops do.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config && std::filesystem::path(config).is_absolute())
    return std::filesystem::path(config) / "heart" / "settings";
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / ".config" / "heart" / "settings";
  return fail("there is no folder for named settings: neither XDG_CONFIG_HOME nor HOME is set");
}

Result<void> checkSettingsName(std::string_view name) {
  // Built by appending: GCC 12's -Wrestrict misreads "\"" + std::string.
  std::string quoted(1, '"');
  quoted.append(name).push_back('"');
  if (name.empty()) return fail("a settings name cannot be empty");
  if (name.size() > kLongestSettingsName)
    return fail("the settings name " + quoted + " is longer than " +
                std::to_string(kLongestSettingsName) + " characters");
  if (!std::all_of(name.begin(), name.end(), nameCharacter))
    return fail("the settings name " + quoted +
                " may hold only letters A to Z, digits, blanks, '-' and '_'");
  if (name.front() == ' ' || name.back() == ' ')
    return fail("the settings name " + quoted + " cannot start or end with a blank");
  return {};
}

Result<std::vector<std::string>> listNamedSettings(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  if (!std::filesystem::exists(folder, error)) return names;
  std::filesystem::directory_iterator entries(folder, error);
  if (error)
    return fail("cannot list the named settings in " + folder.string() + ": " + error.message());
  for (const std::filesystem::directory_entry& entry : entries) {
    const std::string file = entry.path().filename().string();
    if (file.size() <= kExtension.size() || !file.ends_with(kExtension)) continue;
    std::string name = file.substr(0, file.size() - kExtension.size());
    if (checkSettingsName(name) && entry.is_regular_file(error)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

Result<void> saveNamedSettings(const std::filesystem::path& folder, std::string_view name,
                               const ParameterRecord& record) {
  if (Result<void> checked = checkSettingsName(name); !checked) return checked;
  Result<RecordJson> json = recordToJson(record);
  if (!json)
    return fail("the settings \"" + std::string(name) + "\" were not saved: " + json.error());
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error)
    return fail("cannot make the settings folder " + folder.string() + ": " + error.message());
  return writeFileAtomically(fileOf(folder, name).string(), json->dump(2) + "\n");
}

Result<ParameterRecord> readNamedSettings(const std::filesystem::path& folder,
                                          std::string_view name) {
  if (Result<void> checked = checkSettingsName(name); !checked) return checked.failure();
  const std::filesystem::path file = fileOf(folder, name);
  std::error_code error;
  if (!std::filesystem::exists(file, error)) {
    Result<std::vector<std::string>> names = listNamedSettings(folder);
    std::string there = "there are none";
    if (names && !names->empty()) {
      there = "there are";
      for (size_t i = 0; i < names->size(); ++i) there += (i ? ", \"" : " \"") + (*names)[i] + "\"";
    }
    return fail("no settings are named \"" + std::string(name) + "\" in " + folder.string() + "; " +
                there);
  }
  Result<std::string> text = readWholeFile(file.string());
  if (!text) return text.failure();
  Result<ParameterRecord> record = recordFromJsonText(*text);
  if (!record) return fail(file.string() + ": " + record.error());
  return record;
}

Result<ParameterRecord> readNamedSettings(std::string_view name) {
  Result<std::filesystem::path> folder = namedSettingsFolder();
  if (!folder) return folder.failure();
  return readNamedSettings(*folder, name);
}

}  // namespace heart
