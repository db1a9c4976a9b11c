// Damaged copies of the real Windows modules: each fault in the headers,
// tables or resource tree is refused with an error that says what is wrong,
// and nothing is read outside the file.
#include <gtest/gtest.h>

#include <functional>

#include "resources/pe_image.h"
#include "resources/plugin_resources.h"
#include "windows_module_support.h"

namespace heart::testing {
namespace {

using testing::fileBytes;
using testing::le32;
using testing::PeLayout;
using testing::put16;
using testing::put32;

struct Damage {
  const char* name;
  std::function<void(std::vector<uint8_t>&, const PeLayout&)> apply;
  const char* said;  // part of the expected error
};

// The file offset of the first data entry, three directories down.
size_t firstDataEntry(const std::vector<uint8_t>& b, const PeLayout& layout) {
  size_t directory = layout.resourceTree;
  for (int level = 0; level < 3; ++level) {
    const uint32_t target = le32(b, directory + 16 + 4);
    directory = layout.resourceTree + (target & 0x7FFFFFFF);
  }
  return directory;
}

const Damage kDamages[] = {
    {"cut inside the DOS header", [](auto& b, auto&) { b.resize(40); }, "DOS header"},
    {"cut before the PE header", [](auto& b, auto& l) { b.resize(l.peHeader + 10); }, "PE header"},
    {"PE header offset past the end", [](auto& b, auto&) { put32(b, 0x3C, 0xFFFFFFF0); },
     "PE header lies past the end"},
    {"no PE signature", [](auto& b, auto& l) { b.at(l.peHeader) = 'X'; }, "PE signature"},
    {"unknown optional header", [](auto& b, auto& l) { put16(b, l.optionalHeader, 0x107); },
     "neither PE32 nor PE32+"},
    {"absurd section count", [](auto& b, auto& l) { put16(b, l.peHeader + 6, 0xFFFF); },
     "section table"},
    {"resource tree outside every section",
     [](auto& b, auto& l) { put32(b, l.directories + 16, 0x7FFFFFF0); }, "outside every section"},
    {"resource tree longer than its section",
     [](auto& b, auto& l) { put32(b, l.directories + 20, 0xFFFFFF00); },
     "past the end of its section"},
    {"resource tree loops back to its root",
     [](auto& b, auto& l) { put32(b, l.resourceTree + 16 + 4, 0x80000000); }, "loops"},
    {"absurd resource entry count",
     [](auto& b, auto& l) {
       put16(b, l.resourceTree + 12, 0xFFFF);
       put16(b, l.resourceTree + 14, 0xFFFF);
     },
     "resource entry count"},
    {"resource entry pointing past the tree",
     [](auto& b, auto& l) { put32(b, l.resourceTree + 16 + 4, 0x80000000 | 0x7FFFFFF0); },
     "outside the resource directory"},
    {"resource data larger than its section",
     [](auto& b, auto& l) { put32(b, firstDataEntry(b, l) + 4, 0x7FFFFFFF); },
     "resource data runs past the end of its section"},
    {"resource data outside every section",
     [](auto& b, auto& l) { put32(b, firstDataEntry(b, l), 0xFFFFFF00); },
     "resource data lies outside every section"},
    {"file cut inside the resource section",
     [](auto& b, auto& l) { b.resize(l.resourceTree + 24); }, "past the end"},
    {"absurd export name count",
     [](auto& b, auto& l) {
       const uint32_t exportRva = le32(b, l.directories);
       // The export directory lies in a section; find its file offset.
       for (uint16_t i = 0; i < l.sectionCount; ++i) {
         const size_t s = l.sectionTable + 40u * i;
         const uint32_t va = le32(b, s + 12), raw = le32(b, s + 16), offset = le32(b, s + 20);
         if (exportRva >= va && exportRva < va + raw)
           put32(b, offset + (exportRva - va) + 24, 0x40000000);
       }
     },
     "export name count"},
};

class DamagedWindowsModule : public ::testing::TestWithParam<testing::WindowsModuleFile> {};

TEST_P(DamagedWindowsModule, EachFaultIsRefusedSayingWhatIsWrong) {
  HEART_NEED_MODULE(GetParam());
  const std::vector<uint8_t> original = fileBytes(GetParam().path);
  const PeLayout layout(original);
  ASSERT_NE(layout.resourceTree, 0u);
  Result<PeImage> parsed = PeImage::parse(original);
  ASSERT_TRUE(parsed.ok()) << parsed.error();
  for (const Damage& damage : kDamages) {
    std::vector<uint8_t> bytes = original;
    damage.apply(bytes, layout);
    Result<PeImage> damaged = PeImage::parse(bytes);
    ASSERT_FALSE(damaged.ok()) << damage.name;
    const std::string& error = damaged.error();
    EXPECT_NE(error.find(damage.said), std::string::npos)
        << damage.name << ": said \"" << error << "\"";
  }
}

TEST_P(DamagedWindowsModule, ReadingADamagedFileNamesTheFile) {
  HEART_NEED_MODULE(GetParam());
  std::vector<uint8_t> bytes = fileBytes(GetParam().path);
  const PeLayout layout(bytes);
  put32(bytes, layout.resourceTree + 16 + 4, 0x80000000);
  const auto path = std::filesystem::temp_directory_path() /
                    ("heart_damaged_" + std::string(GetParam().arch) + ".aip");
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  Result<PluginResources> read = PluginResources::readFromModule(path.string());
  ASSERT_FALSE(read.ok());
  const std::string& error = read.error();
  EXPECT_EQ(error.rfind(path.string() + ": ", 0), 0u) << error;
  EXPECT_NE(error.find("loops"), std::string::npos) << error;
  std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(BothWidths, DamagedWindowsModule,
                         ::testing::ValuesIn(testing::windowsModuleFiles()),
                         [](const auto& info) { return std::string(info.param.arch); });

}  // namespace
}  // namespace heart::testing
