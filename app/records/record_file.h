// Stored parameter records on disk: exactly the record's 340 bytes, the
// 85 little-endian words in record order, nothing before or after.
#pragma once

#include <cstddef>
#include <string>

#include "core/result.h"
#include "plugin/params/parameter_record.h"

namespace heart {

// Reads a record file; a file of any other size is refused with a message
// that gives both sizes. Does not check the values (see checkRecord).
Result<ParameterRecord> readRecordFile(const std::string& path);

// The record in a parameter block that the host kept for the plug-in: the
// block is this plug-in's record when it is exactly the record's 340 bytes.
// A block of any other size is refused with a message that gives both sizes.
// Does not check the values.
Result<ParameterRecord> recordFromBlock(const void* bytes, size_t size);

// Writes the record's bytes as writeOutputFile does: a regular file is
// replaced only when the new one is complete, links are followed, devices
// and FIFOs are written into.
Result<void> writeRecordFile(const std::string& path, const ParameterRecord& record);

// The same for any bytes (the JSON form).
Result<void> writeFileAtomically(const std::string& path, const std::string& bytes);

// The whole contents of a file.
Result<std::string> readWholeFile(const std::string& path);

}  // namespace heart
