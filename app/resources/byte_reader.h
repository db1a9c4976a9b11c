// Bounds-checked reading of little-endian values from a span of bytes. Any
// read past the end throws ByteReader::Truncated naming what was being read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace heart {

class ByteReader {
 public:
  struct Truncated : std::runtime_error {
    using std::runtime_error::runtime_error;
  };

  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t u8(const char* what) { return take(1, what)[0]; }
  uint16_t u16(const char* what) {
    const uint8_t* p = take(2, what);
    return static_cast<uint16_t>(p[0] | p[1] << 8);
  }
  uint32_t u32(const char* what) {
    const uint8_t* p = take(4, what);
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  }
  uint64_t u64(const char* what) {
    const uint64_t low = u32(what);
    return low | static_cast<uint64_t>(u32(what)) << 32;
  }
  int32_t i32(const char* what) { return static_cast<int32_t>(u32(what)); }
  // Four characters in reading order.
  std::string code4(const char* what) {
    const uint8_t* p = take(4, what);
    return std::string(reinterpret_cast<const char*>(p), 4);
  }
  // A 16-bit length, then that many bytes.
  std::string text(const char* what) {
    const uint16_t length = u16(what);
    const uint8_t* p = take(length, what);
    return std::string(reinterpret_cast<const char*>(p), length);
  }
  std::vector<uint8_t> bytes(size_t count, const char* what) {
    const uint8_t* p = take(count, what);
    return std::vector<uint8_t>(p, p + count);
  }
  // A reader over the next `count` bytes, which this reader skips.
  ByteReader sub(size_t count, const char* what) { return ByteReader(take(count, what), count); }
  void skip(size_t count, const char* what) { take(count, what); }

  size_t remaining() const { return size_ - position_; }
  size_t position() const { return position_; }

 private:
  const uint8_t* take(size_t count, const char* what) {
    if (count > size_ - position_) throw Truncated(std::string(what) + " runs past the end");
    const uint8_t* p = data_ + position_;
    position_ += count;
    return p;
  }

  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace heart
