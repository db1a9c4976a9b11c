// Writes the header of the module's resource ids from its resource
// description: each resource that names a constant gets it, so the plug-in
// and the host take every id from the one description and write none of
// their own. A dialog's constant also gives the name it is run under.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace rescomp {

// The header's text; `from` names the description in its first line. A
// constant that is not a C++ name, or that two resources share, throws
// std::runtime_error with a message naming the place, e.g.
// "dialogs[1].constant: \"2nd\" is not a C++ name".
std::string resourceIdsHeader(const nlohmann::json& description, const std::string& from);

}  // namespace rescomp
