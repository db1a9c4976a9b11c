// Encodes the module's resource description (JSON) into the resource block
// that the host reads from the module file. The layout is described in
// plugin/resources/FORMAT.md.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <vector>

namespace rescomp {

// The encoded block. A description that is incomplete or out of range throws
// std::runtime_error with a message naming the offending place, e.g.
// "dialogs[1].items[2].rect: expected 4 numbers".
std::vector<uint8_t> encodeResources(const nlohmann::json& description);

}  // namespace rescomp
