// The reader of the resource block against blocks that are cut short,
// damaged or inconsistent: each is refused with a message, none crashes and
// none makes the reader allocate what a count merely claims.
#include <gtest/gtest.h>

#include "resource_test_support.h"
#include "support/built_module.h"

namespace heart::testing {
namespace {

// Little-endian bytes, written independently of the resource compiler.
struct Bytes {
  Bytes& u16(uint16_t v) { return add({uint8_t(v), uint8_t(v >> 8)}); }
  Bytes& u32(uint32_t v) { return u16(uint16_t(v)).u16(uint16_t(v >> 16)); }
  Bytes& chars(const std::string& s) { return add(std::vector<uint8_t>(s.begin(), s.end())); }
  Bytes& text(const std::string& s) { return u16(uint16_t(s.size())).chars(s); }
  Bytes& add(const std::vector<uint8_t>& more) {
    v.insert(v.end(), more.begin(), more.end());
    return *this;
  }
  std::vector<uint8_t> v;
};

struct Entry {
  std::string type;
  int32_t id;
  std::vector<uint8_t> payload;
};

std::vector<uint8_t> blockOf(const std::vector<Entry>& entries, uint16_t version = 1) {
  Bytes body;
  for (const Entry& e : entries)
    body.chars(e.type).u32(uint32_t(e.id)).u32(uint32_t(e.payload.size())).add(e.payload);
  Bytes block;
  block.chars("HRES").u16(version).u16(0).u32(uint32_t(entries.size()));
  return block.u32(uint32_t(16 + body.v.size())).add(body.v).v;
}

std::vector<uint8_t> strings(const std::vector<std::string>& list) {
  Bytes payload;
  payload.u32(uint32_t(list.size()));
  for (const auto& s : list) payload.text(s);
  return payload.v;
}

// A 2 x 1 image: palette of `paletteSize`, pixels (0, `second`), mask (0, `mask`).
std::vector<uint8_t> image(uint32_t paletteSize, uint8_t second, uint8_t mask = 1,
                           uint32_t side = 2, uint32_t hotspotX = 0) {
  Bytes payload;
  payload.u32(side).u32(1).u32(hotspotX).u32(0).u32(paletteSize);
  for (uint32_t i = 0; i < paletteSize; ++i) payload.u32(0x102030 * i);
  return payload.add({0, second, 0, mask}).v;
}

std::string refusal(const std::vector<uint8_t>& bytes) {
  Result<PluginResources> read = PluginResources::readFromBytes(bytes);
  EXPECT_FALSE(read.ok());
  if (read) return std::string();
  EXPECT_FALSE(read.error().empty());
  return read.error();
}

#define EXPECT_REFUSED(bytes, words) EXPECT_NE(refusal(bytes).find(words), std::string::npos)

TEST(ResourceBlock, HeaderFaults) {
  const auto good = blockOf({{"STR#", 7, strings({"a"})}});
  ASSERT_TRUE(PluginResources::readFromBytes(good)) << refusal(good);

  auto padded = good;  // a section may be longer than its block
  padded.resize(good.size() + 8, 0);
  EXPECT_TRUE(PluginResources::readFromBytes(padded)) << refusal(padded);

  auto badMagic = good;
  badMagic[0] = 'X';
  EXPECT_REFUSED(badMagic, "magic");
  EXPECT_REFUSED(blockOf({}, 2), "format version 2");
  auto longer = good;
  longer[12] += 1;  // claims a byte more than there is
  EXPECT_REFUSED(longer, "block length");
  auto manyEntries = good;
  manyEntries[11] = 0x7F;
  EXPECT_REFUSED(manyEntries, "entry count");
  auto trailing = good;
  trailing.push_back(0);
  trailing[12] += 1;  // the extra byte inside the block
  EXPECT_REFUSED(trailing, "after the last entry");
  EXPECT_REFUSED(std::vector<uint8_t>{}, "magic");
}

TEST(ResourceBlock, EntryFaultsNameTheEntry) {
  EXPECT_REFUSED(blockOf({{"ZZZZ", 1, {}}}), "unknown entry type");
  EXPECT_REFUSED(blockOf({{"STR#", 7, strings({"a"})}, {"STR#", 7, {0, 0, 0, 0}}}),
                 "entry 1 (STR# 7): appears twice");
  auto leftOver = strings({"a"});
  leftOver.push_back(0);
  EXPECT_REFUSED(blockOf({{"STR#", 7, leftOver}}), "left over");
  auto shortText = strings({"abc"});
  shortText.pop_back();
  EXPECT_REFUSED(blockOf({{"STR#", 7, shortText}}), "runs past the end");
  EXPECT_REFUSED(
      blockOf({{"PIPL", 1, Bytes().u32(1).chars("HOSTkind").u32(0).add({9}).chars("SPEA").v}}),
      "unknown value kind");
}

TEST(ResourceBlock, CountsAreCheckedBeforeAnythingIsAllocated) {
  EXPECT_REFUSED(blockOf({{"STR#", 7, Bytes().u32(0xFFFFFFF0u).v}}), "string count");
  Bytes dialog;
  dialog.text("name").text("title").text("font").u32(8).u32(10).u32(10).text("frame");
  EXPECT_REFUSED(blockOf({{"DLOG", 1, dialog.u32(0x7FFFFFFFu).v}}), "item count");
  EXPECT_REFUSED(blockOf({{"ICON", 1, image(2, 1, 1, 100000)}}), "out of range");
}

TEST(ResourceBlock, ImageFaults) {
  ASSERT_TRUE(PluginResources::readFromBytes(blockOf({{"CURS", 1, image(2, 1)}})));
  EXPECT_REFUSED(blockOf({{"ICON", 1, image(2, 2)}}), "past the palette");
  EXPECT_REFUSED(blockOf({{"ICON", 1, image(0, 0)}}), "palette size");
  EXPECT_REFUSED(blockOf({{"ICON", 1, image(17, 0)}}), "palette size");
  EXPECT_REFUSED(blockOf({{"CURS", 1, image(2, 1, 2)}}), "mask");
  EXPECT_REFUSED(blockOf({{"CURS", 1, image(2, 1, 1, 2, 5)}}), "hotspot");
}

// Every prefix of the real block is refused, and damage anywhere in it never
// takes the reader outside the bytes (the sanitizer build checks the reads).
TEST(ResourceBlock, TruncatedOrDamagedModuleBlock) {
  SKIP_UNLESS_ELF_MODULE();
  auto section = PluginResources::readResourceSection(HEART_MODULE_PATH);
  ASSERT_TRUE(section.ok()) << section.error();
  for (size_t length = 0; length < section->size(); length += (length < 64 ? 1 : 97)) {
    std::vector<uint8_t> cut(section->begin(), section->begin() + length);
    EXPECT_FALSE(refusal(cut).empty()) << length;
  }
  for (size_t at = 0; at < section->size(); at += 7) {
    auto damaged = *section;
    damaged[at] ^= 0xA5;
    if (Result<PluginResources> read = PluginResources::readFromBytes(damaged); !read) {
      EXPECT_FALSE(read.error().empty()) << at;
    }
  }
}

}  // namespace
}  // namespace heart::testing
