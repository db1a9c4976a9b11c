// The designer's own settings: parameter records kept under names the
// designer chooses, one file each in the designer's configuration folder
// ($XDG_CONFIG_HOME/heart/settings/NAME.json, else
// ~/.config/heart/settings/NAME.json), in the JSON form `heart record show`
// writes and `heart record pack` reads.
//
// A name is 1 to 64 characters: the letters A to Z and a to z, the digits,
// blanks, '-' and '_', neither starting nor ending with a blank; anything
// else (a '/', a '.', another script's letter) is refused, so a name always
// stands for one file inside the folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "plugin/params/parameter_record.h"

namespace heart {

inline constexpr size_t kLongestSettingsName = 64;

// The folder from the environment; a failure when neither an absolute
// XDG_CONFIG_HOME nor HOME is set.
Result<std::filesystem::path> namedSettingsFolder();

Result<void> checkSettingsName(std::string_view name);

// The names kept in `folder`, in byte order; none when the folder is not
// there yet. Files whose names are not settings names are passed over.
Result<std::vector<std::string>> listNamedSettings(const std::filesystem::path& folder);

// Keeps the record under `name`, replacing the one of that name. The record
// is checked first: a faulty one is refused and nothing is written.
Result<void> saveNamedSettings(const std::filesystem::path& folder, std::string_view name,
                               const ParameterRecord& record);

// The record kept under `name`; a failure listing the names there are when
// there is none of that name.
Result<ParameterRecord> readNamedSettings(const std::filesystem::path& folder,
                                          std::string_view name);
// The same from the folder the environment names.
Result<ParameterRecord> readNamedSettings(std::string_view name);

}  // namespace heart
