#include "records/record_file.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/output_file.h"

namespace heart {

// The stored words are little-endian, as they are in memory on the hosts
// this builds for; a big-endian build would have to swap every word here.
static_assert(std::endian::native == std::endian::little, "record files are little-endian");

Result<std::string> readWholeFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    return fail(path + " is a folder, not a file");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return fail("cannot read " + path + ": " + std::strerror(errno));
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) {
    return fail("cannot read " + path);
  }
  return bytes.str();
}

Result<ParameterRecord> readRecordFile(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    return fail("cannot read " + path + ": " + ec.message());
  }
  if (size != sizeof(ParameterRecord)) {
    return fail(path + " is " + std::to_string(size) + " bytes; a parameter record is exactly " +
                std::to_string(sizeof(ParameterRecord)) + " bytes");
  }
  Result<std::string> bytes = readWholeFile(path);
  if (!bytes) return bytes.failure();
  if (bytes->size() != sizeof(ParameterRecord)) {
    return fail(path + " changed while it was read");
  }
  ParameterRecord record;
  std::memcpy(&record, bytes->data(), sizeof record);
  return record;
}

Result<ParameterRecord> recordFromBlock(const void* bytes, size_t size) {
  if (!bytes || size != sizeof(ParameterRecord)) {
    return fail("the plug-in's parameter block is " + std::to_string(bytes ? size : 0) +
                " bytes; a parameter record is exactly " + std::to_string(sizeof(ParameterRecord)) +
                " bytes");
  }
  ParameterRecord record;
  std::memcpy(&record, bytes, sizeof record);
  return record;
}

Result<void> writeFileAtomically(const std::string& path, const std::string& bytes) {
  return writeOutputFile(path, bytes);
}

Result<void> writeRecordFile(const std::string& path, const ParameterRecord& record) {
  std::string bytes(reinterpret_cast<const char*>(&record), sizeof record);
  return writeFileAtomically(path, bytes);
}

}  // namespace heart
