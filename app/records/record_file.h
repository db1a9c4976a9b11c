// Stored parameter records on disk: exactly the record's 340 bytes, the
// 85 little-endian words in record order, nothing before or after.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "plugin/params/parameter_record.h"

namespace heart {

// Reads a record file; a file of any other size is refused with an error
// that gives both sizes. Does not check the values (see checkRecord).
std::optional<ParameterRecord> readRecordFile(const std::string& path, std::string* error);

// The record in a parameter block that the host kept for the plug-in: the
// block is this plug-in's record when it is exactly the record's 340 bytes.
// A block of any other size is refused with an error that gives both sizes.
// Does not check the values.
std::optional<ParameterRecord> recordFromBlock(const void* bytes, size_t size, std::string* error);

// Writes the record's bytes as writeOutputFile does: a regular file is
// replaced only when the new one is complete, links are followed, devices
// and FIFOs are written into.
bool writeRecordFile(const std::string& path, const ParameterRecord& record, std::string* error);

// The same for any bytes (the JSON form).
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string* error);

// The whole contents of a file.
std::optional<std::string> readWholeFile(const std::string& path, std::string* error);

}  // namespace heart
