// Writes the module's resource description (JSON, checked already by the
// resource compiler) as a Windows resource script for windres: the property
// list as a "PIPL" resource, the string lists as a string table, the dialog
// templates, the icon and cursor groups and the version record. The layouts
// are described in plugin/resources/FORMAT.md.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace rcscript {

// A file that the script names and that must be written beside it.
struct ScriptFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

struct ResourceScript {
  std::string text;
  std::vector<ScriptFile> files;
};

// The script and its side files, named from `stem`. A description that a
// Windows module cannot carry (ids outside 1 to 65535, string lists whose ids
// run into each other, empty strings, unknown dialog item kinds, frames or
// languages, property values of the wrong kind for their key) throws
// std::runtime_error naming the place.
ResourceScript resourceScript(const nlohmann::json& description, const std::string& stem);

}  // namespace rcscript
