// The Windows modules that the build makes beside the native one, and a
// small independent reader of their headers that the damage tests use to
// find what to break.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace heart::testing {

struct WindowsModuleFile {
  const char* arch;
  const char* path;  // null when this build has no compiler for it
};

inline std::vector<WindowsModuleFile> windowsModuleFiles() {
  return {
#ifdef HEART_WINDOWS_MODULE_I686
      {"i686", HEART_WINDOWS_MODULE_I686},
#else
      {"i686", nullptr},
#endif
#ifdef HEART_WINDOWS_MODULE_X86_64
      {"x86_64", HEART_WINDOWS_MODULE_X86_64},
#else
      {"x86_64", nullptr},
#endif
  };
}

inline std::vector<uint8_t> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t{b.at(at)} | uint32_t{b.at(at + 1)} << 8 | uint32_t{b.at(at + 2)} << 16 |
         uint32_t{b.at(at + 3)} << 24;
}
inline uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8);
}
inline void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}
inline void put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
  b.at(at) = static_cast<uint8_t>(v);
  b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

// Where the parts of a PE file lie, from the published layout: DOS header,
// "PE\0\0", file header (20 bytes), optional header, section table (40
// bytes a section); data directories at 96 (PE32) or 112 (PE32+) into the
// optional header, 8 bytes each: export, import, resource, ...
struct PeLayout {
  size_t peHeader = 0;
  size_t optionalHeader = 0;
  size_t directories = 0;
  size_t sectionTable = 0;
  uint16_t sectionCount = 0;
  size_t resourceTree = 0;  // file offset of the resource directory
  uint32_t resourceRva = 0;
  uint32_t resourceSize = 0;
  size_t resourceSectionEnd = 0;
  size_t codeBegin = 0, codeEnd = 0;  // the file bytes of ".text"

  explicit PeLayout(const std::vector<uint8_t>& b) {
    peHeader = le32(b, 0x3C);
    sectionCount = le16(b, peHeader + 6);
    optionalHeader = peHeader + 24;
    const bool wide = le16(b, optionalHeader) == 0x20B;
    directories = optionalHeader + (wide ? 112 : 96);
    sectionTable = optionalHeader + le16(b, peHeader + 20);
    resourceRva = le32(b, directories + 16);
    resourceSize = le32(b, directories + 20);
    for (uint16_t i = 0; i < sectionCount; ++i) {
      const size_t s = sectionTable + 40u * i;
      const uint32_t va = le32(b, s + 12), raw = le32(b, s + 16), offset = le32(b, s + 20);
      if (std::string(reinterpret_cast<const char*>(&b.at(s)), 5) == ".text") {
        codeBegin = offset;
        codeEnd = offset + raw;
      }
      if (resourceRva >= va && resourceRva < va + raw) {
        resourceTree = offset + (resourceRva - va);
        resourceSectionEnd = offset + raw;
      }
    }
  }
};

}  // namespace heart::testing

// Skips the test when this build has no compiler for the module.
#define HEART_NEED_MODULE(file) \
  if ((file).path == nullptr) GTEST_SKIP() << "no " << (file).arch << " module built"
