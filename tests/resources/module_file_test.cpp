// Reading the resource section from module files that are missing, not ELF,
// cut short or with damaged headers: a clear error naming the file every
// time, never a crash.
#include <gtest/gtest.h>

#include <algorithm>

#include "resource_test_support.h"
#include "support/built_module.h"

namespace heart::testing {
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
    Result<PluginResources> read = PluginResources::readFromModule(path);
    EXPECT_FALSE(read.ok()) << path;
    if (read) return std::string();
    EXPECT_NE(read.error().find(path), std::string::npos) << read.error();
    return read.error();
  }
  // The module is built for this machine: a 64-bit ELF file, or a 32-bit
  // one in the 32-bit build. Where its header keeps the section table's
  // offset (a word of the file's width), the entry size and the name index.
  bool is64() const { return module[4] == 2; }
  size_t sectionTableAt() const { return is64() ? 0x28 : 0x20; }
  size_t entrySizeAt() const { return is64() ? 0x3A : 0x2E; }
  size_t nameIndexAt() const { return is64() ? 0x3E : 0x32; }
  uint64_t sectionTable() const {
    uint64_t offset = 0;
    for (int i = is64() ? 7 : 3; i >= 0; --i) offset = offset << 8 | module[sectionTableAt() + i];
    return offset;
  }
  void setSectionTable(std::vector<uint8_t>& bytes, uint64_t value) const {
    for (int i = 0; i < (is64() ? 8 : 4); ++i)
      bytes[sectionTableAt() + i] = static_cast<uint8_t>(value >> (8 * i));
  }

  ScratchFolder folder;
  const std::vector<uint8_t> module = readFile(HEART_MODULE_PATH);
  // The largest offset the header's word can hold.
  const uint64_t widest = is64() ? ~uint64_t{0} : uint64_t{0xFFFFFFFF};
};

#define EXPECT_REFUSED(bytes, words) EXPECT_NE(refusal(bytes).find(words), std::string::npos)

TEST_F(ModuleFile, MissingAndForeignFiles) {
  SKIP_UNLESS_ELF_MODULE();
  EXPECT_NE(refusalOf((folder / "absent.aip").string()).find("cannot open"), std::string::npos);
  EXPECT_NE(refusalOf("/proc/self/exe").find("no section .heart_resources"), std::string::npos);
  const std::string text = "These are not the bytes of a module.\n";
  EXPECT_REFUSED(std::vector<uint8_t>(text.begin(), text.end()), "not an ELF file");
  EXPECT_REFUSED(std::vector<uint8_t>{}, "not an ELF file");
  // A file marked with the other width is read with that width's headers,
  // which do not hold.
  auto otherWidth = module;
  otherWidth[4] = is64() ? 1 : 2;
  EXPECT_FALSE(refusal(otherWidth).empty());
  auto noClass = module;
  noClass[4] = 3;
  EXPECT_REFUSED(noClass, "32 or 64 bits");
  auto bigEndian = module;
  bigEndian[5] = 2;
  EXPECT_REFUSED(bigEndian, "little-endian");
}

TEST_F(ModuleFile, CutShortAnywhere) {
  SKIP_UNLESS_ELF_MODULE();
  const uint64_t sectionTable = this->sectionTable();
  ASSERT_LT(sectionTable, module.size());
  for (size_t length : {size_t{10}, size_t{64}, module.size() / 2, size_t(sectionTable),
                        size_t(sectionTable) + 100, module.size() - 1})
    EXPECT_FALSE(refusal(std::vector<uint8_t>(module.begin(), module.begin() + length)).empty());
}

TEST_F(ModuleFile, DamagedHeaders) {
  SKIP_UNLESS_ELF_MODULE();
  auto far = module;
  setSectionTable(far, module.size() + 4096);  // section headers beyond the end
  EXPECT_REFUSED(far, "truncated");
  auto wrapping = module;
  setSectionTable(wrapping, widest - 8);  // overflows when added to
  EXPECT_REFUSED(wrapping, "truncated");
  auto none = module;
  setSectionTable(none, 0);
  EXPECT_REFUSED(none, "no section headers");
  auto small = module;
  small[entrySizeAt()] = 16;
  small[entrySizeAt() + 1] = 0;
  EXPECT_REFUSED(small, "too small");
  auto names = module;
  names[nameIndexAt()] = 0xF0;  // name table index past the section count
  names[nameIndexAt() + 1] = 0;
  EXPECT_REFUSED(names, "out of range");

  auto section = PluginResources::readResourceSection(HEART_MODULE_PATH);
  ASSERT_TRUE(section.ok()) << section.error();
  auto spoilt = module;
  *std::search(spoilt.begin(), spoilt.end(), section->begin(), section->end()) = 'X';
  EXPECT_REFUSED(spoilt, "bad magic");
}

}  // namespace
}  // namespace heart::testing
