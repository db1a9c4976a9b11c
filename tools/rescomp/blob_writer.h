// Appends little-endian values to a byte block, as the resource block stores them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace rescomp {

class BlobWriter {
 public:
  void u8(uint8_t value) { bytes_.push_back(value); }
  void u16(uint16_t value) {
    for (int i = 0; i < 2; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
  }
  void u32(uint32_t value) {
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(value >> (8 * i)));
  }
  void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
  // Four characters as they are, in order.
  void fourChars(const char chars[4]) {
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(chars[i]));
  }
  // A text: a 16-bit length, then its bytes without a terminator.
  void text(const std::string& value) {
    if (value.size() > 0xFFFF) throw std::runtime_error("text longer than 65535 bytes");
    u16(static_cast<uint16_t>(value.size()));
    bytes_.insert(bytes_.end(), value.begin(), value.end());
  }
  void append(const std::vector<uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }
  // Overwrites four bytes already written, for lengths known only later.
  void patchU32(size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
  }

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace rescomp
