// Finds a named section of a little-endian ELF file (32 or 64 bits) through its
// section headers and section-name table, and reads its bytes. Nothing of the
// file is loaded or run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart {

// The bytes of section `name` of the ELF file at `path`, or a failure naming
// the path and the reason (a missing file, a file that is not ELF64
// little-endian, truncated or inconsistent headers, no such section).
Result<std::vector<uint8_t>> readElfSection(const std::string& path, const std::string& name);

}  // namespace heart
