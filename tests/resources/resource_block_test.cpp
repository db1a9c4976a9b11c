// The reader of the resource block against blocks that are cut short,
// damaged or inconsistent: each is refused with a message, none crashes and
// none makes the reader allocate what a count merely claims.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "resource_test_support.h"

namespace heart {
namespace {

// Builds blocks byte by byte, independently of the resource compiler.
class Block {
 public:
  Block& u8(uint8_t v) {
    bytes.push_back(v);
    return *this;
  }
  Block& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
  Block& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Block& chars(const char* text) {
    for (const char* c = text; *c; ++c) u8(static_cast<uint8_t>(*c));
    return *this;
  }
  Block& text(const std::string& value) {
    u16(static_cast<uint16_t>(value.size()));
    return chars(value.c_str());
  }
  std::vector<uint8_t> bytes;
};

struct Entry {
  const char* type;
  int32_t id;
  std::vector<uint8_t> payload;
};

std::vector<uint8_t> blockOf(std::initializer_list<Entry> entries, uint16_t version = 1) {
  Block entryBytes;
  for (const Entry& entry : entries) {
    entryBytes.chars(entry.type).u32(static_cast<uint32_t>(entry.id));
    entryBytes.u32(static_cast<uint32_t>(entry.payload.size()));
    entryBytes.bytes.insert(entryBytes.bytes.end(), entry.payload.begin(), entry.payload.end());
  }
  Block block;
  block.chars("HRES").u16(version).u16(0).u32(static_cast<uint32_t>(entries.size()));
  block.u32(static_cast<uint32_t>(16 + entryBytes.bytes.size()));
  block.bytes.insert(block.bytes.end(), entryBytes.bytes.begin(), entryBytes.bytes.end());
  return block.bytes;
}

std::vector<uint8_t> stringList(std::initializer_list<std::string> strings) {
  Block payload;
  payload.u32(static_cast<uint32_t>(strings.size()));
  for (const auto& s : strings) payload.text(s);
  return payload.bytes;
}

// A 2 x 1 image with the given palette size and pixel indices.
std::vector<uint8_t> image(uint32_t paletteSize, uint8_t first, uint8_t second, int32_t width = 2,
                           int32_t height = 1) {
  Block payload;
  payload.u32(static_cast<uint32_t>(width)).u32(static_cast<uint32_t>(height)).u32(0).u32(0);
  payload.u32(paletteSize);
  for (uint32_t i = 0; i < paletteSize; ++i) payload.u32(0x102030 * i);
  payload.u8(first).u8(second).u8(0).u8(1);
  return payload.bytes;
}

std::string refusal(const std::vector<uint8_t>& bytes) {
  std::string error;
  auto resources = PluginResources::readFromBytes(bytes, &error);
  EXPECT_FALSE(resources.has_value());
  EXPECT_FALSE(error.empty());
  return error;
}

TEST(ResourceBlock, ReadsAHandMadeBlock) {
  std::string error;
  auto resources = PluginResources::readFromBytes(
      blockOf(
          {{"STR#", 7, stringList({"zero", "", "zwei \xC3\xBC"})}, {"ICON", 3, image(3, 2, 1)}}),
      &error);
  ASSERT_TRUE(resources.has_value()) << error;
  EXPECT_EQ(resources->indexString(7, 2), "zwei \xC3\xBC");
  EXPECT_EQ(resources->indexString(7, 1), "");
  const ResourceImage* icon = resources->icon(3);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->pixels, (std::vector<uint8_t>{2, 1}));
  EXPECT_EQ(icon->mask, (std::vector<uint8_t>{0, 1}));
  EXPECT_EQ(icon->palette, (std::vector<uint32_t>{0, 0x102030, 0x204060}));
  EXPECT_EQ(resources->version(), nullptr);
}

TEST(ResourceBlock, HeaderFaultsAreNamed) {
  auto good = blockOf({{"STR#", 7, stringList({"a"})}});

  auto badMagic = good;
  badMagic[0] = 'X';
  EXPECT_NE(refusal(badMagic).find("magic"), std::string::npos);

  EXPECT_NE(refusal(blockOf({{"STR#", 7, stringList({"a"})}}, 2)).find("format version 2"),
            std::string::npos);

  auto longer = good;
  longer[12] = static_cast<uint8_t>(good.size() + 1);  // claims a byte more than there is
  EXPECT_NE(refusal(longer).find("block length"), std::string::npos);

  auto manyEntries = good;
  manyEntries[8] = manyEntries[9] = manyEntries[10] = manyEntries[11] = 0xFF;
  EXPECT_NE(refusal(manyEntries).find("entry count"), std::string::npos);

  auto trailing = good;
  trailing.push_back(0);
  trailing[12] = static_cast<uint8_t>(trailing.size());  // the extra byte inside the block
  EXPECT_NE(refusal(trailing).find("after the last entry"), std::string::npos);

  EXPECT_FALSE(refusal({}).empty());
}

TEST(ResourceBlock, SectionPaddingAfterTheBlockIsIgnored) {
  auto padded = blockOf({{"STR#", 7, stringList({"a"})}});
  padded.insert(padded.end(), 8, 0);
  std::string error;
  auto resources = PluginResources::readFromBytes(padded, &error);
  ASSERT_TRUE(resources.has_value()) << error;
  EXPECT_EQ(resources->indexString(7, 0), "a");
}

TEST(ResourceBlock, EntryFaultsNameTheEntry) {
  // Unknown type, twice the same resource, a payload longer than it says,
  // bytes left over inside a payload.
  EXPECT_NE(refusal(blockOf({{"ZZZZ", 1, {}}})).find("unknown entry type"), std::string::npos);
  const std::string twice =
      refusal(blockOf({{"STR#", 7, stringList({"a"})}, {"STR#", 7, stringList({"b"})}}));
  EXPECT_NE(twice.find("entry 1 (STR# 7)"), std::string::npos) << twice;
  EXPECT_NE(twice.find("twice"), std::string::npos) << twice;

  auto leftOver = stringList({"a"});
  leftOver.push_back(0);
  EXPECT_NE(refusal(blockOf({{"STR#", 7, leftOver}})).find("left over"), std::string::npos);

  auto shortText = stringList({"abc"});
  shortText.pop_back();  // the text claims three bytes, the payload has two
  EXPECT_NE(refusal(blockOf({{"STR#", 7, shortText}})).find("runs past the end"),
            std::string::npos);
}

TEST(ResourceBlock, CountsAreCheckedBeforeAnythingIsAllocated) {
  Block hugeStrings;
  hugeStrings.u32(0xFFFFFFF0u);
  EXPECT_NE(refusal(blockOf({{"STR#", 7, hugeStrings.bytes}})).find("string count"),
            std::string::npos);

  Block hugeItems;
  hugeItems.text("name").text("title").text("font").u32(8).u32(10).u32(10).text("frame");
  hugeItems.u32(0x7FFFFFFFu);
  EXPECT_NE(refusal(blockOf({{"DLOG", 1, hugeItems.bytes}})).find("item count"), std::string::npos);

  // An image claiming 100000 x 100000 pixels is refused by its size alone.
  EXPECT_NE(refusal(blockOf({{"ICON", 1, image(2, 0, 1, 100000, 100000)}})).find("out of range"),
            std::string::npos);
}

TEST(ResourceBlock, ImageFaults) {
  EXPECT_NE(refusal(blockOf({{"ICON", 1, image(2, 0, 2)}})).find("past the palette"),
            std::string::npos);
  EXPECT_NE(refusal(blockOf({{"ICON", 1, image(0, 0, 0)}})).find("palette size"),
            std::string::npos);
  EXPECT_NE(refusal(blockOf({{"ICON", 1, image(17, 0, 0)}})).find("palette size"),
            std::string::npos);
  auto badMask = image(2, 0, 1);
  badMask.back() = 2;
  EXPECT_NE(refusal(blockOf({{"CURS", 1, badMask}})).find("mask"), std::string::npos);
  auto farHotspot = image(2, 0, 1);
  farHotspot[8] = 5;  // hotspot x beyond the 2-pixel width
  EXPECT_NE(refusal(blockOf({{"CURS", 1, farHotspot}})).find("hotspot"), std::string::npos);
}

TEST(ResourceBlock, UnknownPropertyValueKind) {
  Block property;
  property.u32(1).chars("HOST").chars("kind").u32(0).u8(9).chars("SPEA");
  EXPECT_NE(refusal(blockOf({{"PIPL", 16000, property.bytes}})).find("unknown value kind"),
            std::string::npos);
}

// Every prefix of the real block is refused, and damage anywhere in it never
// takes the reader outside the bytes (the sanitizer build checks the reads).
TEST(ResourceBlock, TruncatedOrDamagedModuleBlock) {
  std::string error;
  auto section = PluginResources::readResourceSection(HEART_MODULE_PATH, &error);
  ASSERT_TRUE(section.has_value()) << error;
  ASSERT_TRUE(PluginResources::readFromBytes(*section, &error).has_value()) << error;

  for (size_t length = 0; length < section->size(); length += (length < 256 ? 1 : 37)) {
    std::vector<uint8_t> cut(section->begin(), section->begin() + length);
    std::string why;
    EXPECT_FALSE(PluginResources::readFromBytes(cut, &why).has_value()) << length;
    EXPECT_FALSE(why.empty()) << length;
  }
  for (size_t at = 0; at < section->size(); at += 3) {
    auto damaged = *section;
    damaged[at] ^= 0xA5;
    std::string why;
    if (!PluginResources::readFromBytes(damaged, &why)) {
      EXPECT_FALSE(why.empty()) << at;
    }
  }
}

}  // namespace
}  // namespace heart
