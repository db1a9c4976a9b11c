// Reading the resource section from module files that are missing, not ELF,
// cut short or with damaged headers: a clear error every time, never a crash.
#include <gtest/gtest.h>

#include "resource_test_support.h"

namespace heart {
namespace {

using testing::readFile;
using testing::ScratchFolder;
using testing::writeFile;

std::string refusal(const std::filesystem::path& path) {
  std::string error;
  auto resources = PluginResources::readFromModule(path.string(), &error);
  EXPECT_FALSE(resources.has_value()) << path;
  EXPECT_NE(error.find(path.string()), std::string::npos)
      << "the message names the file: " << error;
  return error;
}

uint64_t readU64(const std::vector<uint8_t>& bytes, size_t at) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

void writeU64(std::vector<uint8_t>& bytes, size_t at, uint64_t value) {
  for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(ModuleFile, MissingAndForeignFiles) {
  ScratchFolder folder;
  EXPECT_NE(refusal(folder / "absent.aip").find("cannot open"), std::string::npos);

  writeFile(folder / "notes.aip", std::string("These are not the bytes of a module.\n"));
  EXPECT_NE(refusal(folder / "notes.aip").find("not an ELF file"), std::string::npos);

  writeFile(folder / "empty.aip", std::string());
  EXPECT_NE(refusal(folder / "empty.aip").find("not an ELF file"), std::string::npos);

  auto module = readFile(HEART_MODULE_PATH);
  ASSERT_GT(module.size(), 64u);
  auto thirtyTwoBit = module;
  thirtyTwoBit[4] = 1;
  writeFile(folder / "elf32.aip", thirtyTwoBit);
  EXPECT_NE(refusal(folder / "elf32.aip").find("64-bit"), std::string::npos);
  auto bigEndian = module;
  bigEndian[5] = 2;
  writeFile(folder / "msb.aip", bigEndian);
  EXPECT_NE(refusal(folder / "msb.aip").find("little-endian"), std::string::npos);
}

TEST(ModuleFile, AnElfFileWithoutResources) {
  // The test program itself is an ELF file without the section.
  const std::string error = refusal("/proc/self/exe");
  EXPECT_NE(error.find("no section .heart_resources"), std::string::npos) << error;
}

TEST(ModuleFile, CutShortAnywhere) {
  ScratchFolder folder;
  const auto module = readFile(HEART_MODULE_PATH);
  // Where the headers, the name table and the section lie decides which
  // check fires; every cut must be refused.
  const size_t sectionTable = readU64(module, 0x28);
  ASSERT_LT(sectionTable, module.size());
  for (size_t length : {size_t{10}, size_t{63}, size_t{64}, module.size() / 2, sectionTable,
                        sectionTable + 100, module.size() - 1}) {
    std::vector<uint8_t> cut(module.begin(), module.begin() + length);
    writeFile(folder / "cut.aip", cut);
    const std::string error = refusal(folder / "cut.aip");
    EXPECT_FALSE(error.empty()) << length;
  }
}

TEST(ModuleFile, DamagedSectionHeaders) {
  ScratchFolder folder;
  const auto module = readFile(HEART_MODULE_PATH);

  auto farTable = module;
  writeU64(farTable, 0x28, module.size() + 4096);  // section headers beyond the end
  writeFile(folder / "far.aip", farTable);
  EXPECT_NE(refusal(folder / "far.aip").find("truncated"), std::string::npos);

  auto wrappingTable = module;
  writeU64(wrappingTable, 0x28, ~uint64_t{0} - 8);  // an offset that overflows when added to
  writeFile(folder / "wrap.aip", wrappingTable);
  EXPECT_NE(refusal(folder / "wrap.aip").find("truncated"), std::string::npos);

  auto noTable = module;
  writeU64(noTable, 0x28, 0);
  writeFile(folder / "none.aip", noTable);
  EXPECT_NE(refusal(folder / "none.aip").find("no section headers"), std::string::npos);

  auto smallEntries = module;
  smallEntries[0x3A] = 16;
  smallEntries[0x3B] = 0;
  writeFile(folder / "small.aip", smallEntries);
  EXPECT_NE(refusal(folder / "small.aip").find("too small"), std::string::npos);

  auto badNames = module;
  badNames[0x3E] = 0xF0;  // name table index past the section count
  badNames[0x3F] = 0x00;
  writeFile(folder / "names.aip", badNames);
  EXPECT_NE(refusal(folder / "names.aip").find("out of range"), std::string::npos);
}

TEST(ModuleFile, DamagedResourceSectionIsReportedWithTheFile) {
  ScratchFolder folder;
  auto module = readFile(HEART_MODULE_PATH);
  std::string error;
  auto section = PluginResources::readResourceSection(HEART_MODULE_PATH, &error);
  ASSERT_TRUE(section.has_value()) << error;
  // Find the block in the file by its bytes and spoil its magic.
  auto at = std::search(module.begin(), module.end(), section->begin(), section->end());
  ASSERT_NE(at, module.end());
  *at = 'X';
  writeFile(folder / "spoilt.aip", module);
  EXPECT_NE(refusal(folder / "spoilt.aip").find("bad magic"), std::string::npos);
}

}  // namespace
}  // namespace heart
