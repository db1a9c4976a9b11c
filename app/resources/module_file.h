// A module file read whole into memory, for the readers that take it apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart {

// Larger files are refused rather than read: no module comes near this.
inline constexpr uint64_t kLargestModuleFile = 256ull << 20;

// The bytes of the file at `path`, or why they cannot be had (without the path).
Result<std::vector<uint8_t>> readModuleFile(const std::string& path);

// Whether the file at `path` begins as a Windows module does ("MZ").
bool isWindowsModule(const std::string& path);

}  // namespace heart
