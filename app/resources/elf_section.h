// Finds a named section of a little-endian ELF file (32 or 64 bits) through its
// section headers and section-name table, and reads its bytes. Nothing of the
// file is loaded or run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace heart {

// The bytes of section `name` of the ELF file at `path`; on failure nothing,
// with the reason in *error (a missing file, a file that is not ELF64
// little-endian, truncated or inconsistent headers, no such section).
std::optional<std::vector<uint8_t>> readElfSection(const std::string& path, const std::string& name,
                                                   std::string* error);

}  // namespace heart
