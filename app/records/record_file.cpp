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

namespace {

void fail(std::string* error, const std::string& text) {
  if (error) *error = text;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::string* error) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    fail(error, path + " is a folder, not a file");
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    fail(error, "cannot read " + path + ": " + std::strerror(errno));
    return std::nullopt;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) {
    fail(error, "cannot read " + path);
    return std::nullopt;
  }
  return bytes.str();
}

std::optional<ParameterRecord> readRecordFile(const std::string& path, std::string* error) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    fail(error, "cannot read " + path + ": " + ec.message());
    return std::nullopt;
  }
  if (size != sizeof(ParameterRecord)) {
    fail(error, path + " is " + std::to_string(size) + " bytes; a parameter record is exactly " +
                    std::to_string(sizeof(ParameterRecord)) + " bytes");
    return std::nullopt;
  }
  std::optional<std::string> bytes = readWholeFile(path, error);
  if (!bytes) return std::nullopt;
  if (bytes->size() != sizeof(ParameterRecord)) {
    fail(error, path + " changed while it was read");
    return std::nullopt;
  }
  ParameterRecord record;
  std::memcpy(&record, bytes->data(), sizeof record);
  return record;
}

std::optional<ParameterRecord> recordFromBlock(const void* bytes, size_t size, std::string* error) {
  if (!bytes || size != sizeof(ParameterRecord)) {
    fail(error, "the plug-in's parameter block is " + std::to_string(bytes ? size : 0) +
                    " bytes; a parameter record is exactly " +
                    std::to_string(sizeof(ParameterRecord)) + " bytes");
    return std::nullopt;
  }
  ParameterRecord record;
  std::memcpy(&record, bytes, sizeof record);
  return record;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  return writeOutputFile(path, bytes, error);
}

bool writeRecordFile(const std::string& path, const ParameterRecord& record, std::string* error) {
  std::string bytes(reinterpret_cast<const char*>(&record), sizeof record);
  return writeFileAtomically(path, bytes, error);
}

}  // namespace heart
