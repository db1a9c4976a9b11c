// A 32-bit ELF module (32-bit file and section headers) carrying the same
// resource section as this host's module reads back the same resources.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/plugin_resources.h"

namespace heart::testing {
namespace {

TEST(Elf32Module, ReadsTheSameResourceSectionAsThe64BitModule) {
#ifndef HEART_ELF32_MODULE
  GTEST_SKIP() << "this compiler cannot make 32-bit modules";
#else
  const auto narrow = PluginResources::readResourceSection(HEART_ELF32_MODULE);
  ASSERT_TRUE(narrow.ok()) << narrow.error();
  const auto wide = PluginResources::readResourceSection(HEART_MODULE_PATH);
  ASSERT_TRUE(wide.ok()) << wide.error();
  // The section may be padded; the block's own length (bytes 12 to 15) ends it.
  const uint32_t length = uint32_t{(*wide)[12]} | uint32_t{(*wide)[13]} << 8 |
                          uint32_t{(*wide)[14]} << 16 | uint32_t{(*wide)[15]} << 24;
  ASSERT_GE(narrow->size(), length);
  EXPECT_TRUE(std::equal(wide->begin(), wide->begin() + length, narrow->begin()));
  const auto resources = PluginResources::readFromModule(HEART_ELF32_MODULE);
  ASSERT_TRUE(resources.ok()) << resources.error();
  ASSERT_NE(resources->stringList(16000), nullptr);
  EXPECT_EQ(resources->indexString(16000, 2), "Heart...");
#endif
}

}  // namespace
}  // namespace heart::testing
