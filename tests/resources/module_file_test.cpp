// Reading the resource section from module files that are missing, not ELF,
// cut short or with damaged headers: a clear error naming the file every
// time, never a crash.
#include <gtest/gtest.h>

#include <algorithm>

#include "resource_test_support.h"

namespace heart {
namespace {

using testing::readFile;
using testing::ScratchFolder;
using testing::writeFile;

class ModuleFile : public ::testing::Test {
 protected:
  // Writes `bytes` as a module and answers why it was refused.
  std::string refusal(const std::vector<uint8_t>& bytes) {
    writeFile(folder / "module.aip", bytes);
    return refusalOf((folder / "module.aip").string());
  }
  static std::string refusalOf(const std::string& path) {
    std::string error;
    EXPECT_FALSE(PluginResources::readFromModule(path, &error).has_value()) << path;
    EXPECT_NE(error.find(path), std::string::npos) << error;
    return error;
  }
  static void setU64(std::vector<uint8_t>& bytes, size_t at, uint64_t value) {
    for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }

  ScratchFolder folder;
  const std::vector<uint8_t> module = readFile(HEART_MODULE_PATH);
};

#define EXPECT_REFUSED(bytes, words) EXPECT_NE(refusal(bytes).find(words), std::string::npos)

TEST_F(ModuleFile, MissingAndForeignFiles) {
  EXPECT_NE(refusalOf((folder / "absent.aip").string()).find("cannot open"), std::string::npos);
  EXPECT_NE(refusalOf("/proc/self/exe").find("no section .heart_resources"), std::string::npos);
  const std::string text = "These are not the bytes of a module.\n";
  EXPECT_REFUSED(std::vector<uint8_t>(text.begin(), text.end()), "not an ELF file");
  EXPECT_REFUSED(std::vector<uint8_t>{}, "not an ELF file");
  // A 64-bit file marked 32-bit is read with 32-bit headers, which do not hold.
  auto elf32 = module;
  elf32[4] = 1;
  EXPECT_FALSE(refusal(elf32).empty());
  auto noClass = module;
  noClass[4] = 3;
  EXPECT_REFUSED(noClass, "32 or 64 bits");
  auto bigEndian = module;
  bigEndian[5] = 2;
  EXPECT_REFUSED(bigEndian, "little-endian");
}

TEST_F(ModuleFile, CutShortAnywhere) {
  uint64_t sectionTable = 0;
  for (int i = 7; i >= 0; --i) sectionTable = sectionTable << 8 | module[0x28 + i];
  ASSERT_LT(sectionTable, module.size());
  for (size_t length : {size_t{10}, size_t{64}, module.size() / 2, size_t(sectionTable),
                        size_t(sectionTable) + 100, module.size() - 1})
    EXPECT_FALSE(refusal(std::vector<uint8_t>(module.begin(), module.begin() + length)).empty());
}

TEST_F(ModuleFile, DamagedHeaders) {
  auto far = module;
  setU64(far, 0x28, module.size() + 4096);  // section headers beyond the end
  EXPECT_REFUSED(far, "truncated");
  auto wrapping = module;
  setU64(wrapping, 0x28, ~uint64_t{0} - 8);  // overflows when added to
  EXPECT_REFUSED(wrapping, "truncated");
  auto none = module;
  setU64(none, 0x28, 0);
  EXPECT_REFUSED(none, "no section headers");
  auto small = module;
  small[0x3A] = 16;
  small[0x3B] = 0;
  EXPECT_REFUSED(small, "too small");
  auto names = module;
  names[0x3E] = 0xF0;  // name table index past the section count
  names[0x3F] = 0;
  EXPECT_REFUSED(names, "out of range");

  std::string error;
  auto section = PluginResources::readResourceSection(HEART_MODULE_PATH, &error);
  ASSERT_TRUE(section.has_value()) << error;
  auto spoilt = module;
  *std::search(spoilt.begin(), spoilt.end(), section->begin(), section->end()) = 'X';
  EXPECT_REFUSED(spoilt, "bad magic");
}

}  // namespace
}  // namespace heart
