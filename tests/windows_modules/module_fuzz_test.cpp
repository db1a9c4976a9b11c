// Thousands of damaged variants of the real Windows modules (bit flips,
// truncations, offsets and counts patched to edge values) through the PE
// reader and the resource decoder: every one is answered with an error that
// says something or with a read, never a crash or a read outside the file
// (the sanitizer build checks the latter). Damage confined to the module's
// code reads back exactly as the undamaged file.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "resources/pe_image.h"
#include "resources/pe_resources.h"
#include "windows_module_support.h"

namespace heart::testing {
namespace {

using testing::fileBytes;
using testing::PeLayout;
using testing::put32;

constexpr int kVariantsPerModule = 3000;

struct Outcome {
  bool read = false;
  std::string error;
  std::optional<PluginResources> resources;
  std::vector<std::string> exports;
};

Outcome readVariant(const std::vector<uint8_t>& bytes) {
  Outcome outcome;
  Result<PeImage> image = PeImage::parse(bytes);
  if (!image) {
    outcome.error = image.error();
    return outcome;
  }
  outcome.exports = image->exports;
  Result<PluginResources> resources = decodePeResources(*image);
  outcome.read = resources.ok();
  if (resources)
    outcome.resources = std::move(*resources);
  else
    outcome.error = resources.error();
  return outcome;
}

// Images that read must hold what their sizes promise.
void expectConsistent(const PluginResources& resources) {
  for (const auto* images : {&resources.icons, &resources.cursors})
    for (const ResourceImage& image : *images) {
      const size_t pixels = static_cast<size_t>(image.width) * image.height;
      EXPECT_EQ(image.pixels.size(), pixels);
      EXPECT_EQ(image.mask.size(), pixels);
      for (uint8_t index : image.pixels) EXPECT_LT(index, image.palette.size());
    }
}

class WindowsModuleFuzz : public ::testing::TestWithParam<testing::WindowsModuleFile> {};

TEST_P(WindowsModuleFuzz, DamagedVariantsGetAnErrorOrARead) {
  HEART_NEED_MODULE(GetParam());
  const std::vector<uint8_t> original = fileBytes(GetParam().path);
  const PeLayout layout(original);
  const Outcome clean = readVariant(original);
  ASSERT_TRUE(clean.read) << clean.error;
  ASSERT_LT(layout.codeBegin, layout.codeEnd);

  // Offsets worth patching: header fields, the directory table, the start
  // of the resource tree and every 4th byte of its first 256.
  std::vector<size_t> fields = {0x3C, layout.peHeader + 6, layout.peHeader + 20};
  for (size_t i = 0; i < 16 * 8; i += 4) fields.push_back(layout.directories + i);
  for (size_t i = 0; i < 40u * layout.sectionCount; i += 4)
    fields.push_back(layout.sectionTable + i);
  for (size_t i = 0; i < 256 && layout.resourceTree + i + 4 <= original.size(); i += 4)
    fields.push_back(layout.resourceTree + i);
  const uint32_t edges[] = {0,
                            1,
                            0x7FFFFFFF,
                            0x80000000,
                            0xFFFFFFFF,
                            0xFFFF,
                            0x80000010,
                            static_cast<uint32_t>(original.size()),
                            static_cast<uint32_t>(original.size() + 1)};

  std::mt19937 random(20061);
  int errors = 0, reads = 0;
  for (int variant = 0; variant < kVariantsPerModule; ++variant) {
    std::vector<uint8_t> bytes = original;
    bool onlyCode = false;
    bool mustFail = false;
    switch (variant % 4) {
      case 0: {  // bit flips anywhere
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) bytes[random() % bytes.size()] ^= 1u << (random() % 8);
        break;
      }
      case 1:  // truncation; a cut before the resource tree leaves nothing to read
        bytes.resize(random() % bytes.size());
        mustFail = bytes.size() <= layout.resourceTree;
        break;
      case 2: {  // an offset or count patched to an edge value
        const size_t at = fields[random() % fields.size()];
        put32(bytes, at, edges[random() % std::size(edges)]);
        break;
      }
      case 3: {  // flips inside the code, which no reader looks at
        onlyCode = true;
        for (int i = 0; i < 8; ++i)
          bytes[layout.codeBegin + random() % (layout.codeEnd - layout.codeBegin)] ^= 0xFF;
        break;
      }
    }
    const Outcome outcome = readVariant(bytes);
    if (outcome.read) {
      ++reads;
      expectConsistent(*outcome.resources);
    } else {
      ++errors;
      EXPECT_FALSE(outcome.error.empty()) << "variant " << variant;
    }
    if (mustFail) {
      EXPECT_FALSE(outcome.read) << "variant " << variant << " cut to " << bytes.size();
    }
    if (onlyCode) {
      ASSERT_TRUE(outcome.read) << "variant " << variant << ": " << outcome.error;
      EXPECT_EQ(outcome.exports, clean.exports);
      EXPECT_EQ(outcome.resources->version()->strings, clean.resources->version()->strings);
      EXPECT_EQ(outcome.resources->dialog(16050)->items.size(), 9u);
    }
  }
  // Both answers occur: the variants really were damaged, and not all fatally.
  EXPECT_GT(errors, kVariantsPerModule / 10);
  EXPECT_GT(reads, kVariantsPerModule / 4);
}

INSTANTIATE_TEST_SUITE_P(BothWidths, WindowsModuleFuzz,
                         ::testing::ValuesIn(testing::windowsModuleFiles()),
                         [](const auto& info) { return std::string(info.param.arch); });

}  // namespace
}  // namespace heart::testing
