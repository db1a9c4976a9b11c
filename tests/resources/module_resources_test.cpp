// The resources that the built module carries, read from the module file.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "resource_test_support.h"
#include "support/built_module.h"

namespace heart::testing {
namespace {

using testing::moduleResources;

TEST(ModuleResources, PropertyListNamesTheEntryPoint) {
  PluginResources resources = moduleResources();
  const PropertyList* pipl = resources.propertyList(16000);
  ASSERT_NE(pipl, nullptr);
  ASSERT_EQ(pipl->properties.size(), 3u);
  for (const PluginProperty& property : pipl->properties)
    EXPECT_EQ(std::tie(property.vendor, property.propertyId), std::make_tuple("HOST", 0));
  ASSERT_TRUE(pipl->find("kind") && pipl->find("ivrs") && pipl->find("wx86"));
  EXPECT_EQ(pipl->find("kind")->text, "SPEA");
  EXPECT_TRUE(pipl->find("ivrs")->isNumber);
  EXPECT_EQ(pipl->find("ivrs")->number, 2);
  EXPECT_EQ(pipl->find("wx86")->text, "PluginMain");
}

TEST(ModuleResources, StringListsHoldEveryTextAndMarker) {
  PluginResources resources = moduleResources();
  const std::string memory =
      "The filter cannot complete because there isn't enough memory (RAM) available.";
  ASSERT_TRUE(resources.stringList(16000) && resources.stringList(16050));
  EXPECT_EQ(resources.stringList(16000)->strings,
            (std::vector<std::string>{"<First Mac index is 1>", "Zelt <Create>", "Heart..."}));
  EXPECT_EQ(resources.stringList(16050)->strings,
            (std::vector<std::string>{
                "<Mac strings begin at index 1>", "-108", memory, "271", memory, "SEGM",
                "The filter cannot complete because a layer is locked or invisible.", "NESS",
                "The filter cannot complete because a path has too many anchor points.", "!sel",
                "The selection is not valid for this filter.", "<Others>",
                "The filter cannot complete because of an unknown error."}));
  // Past the end, before the start and in an unknown list: empty.
  EXPECT_EQ(resources.indexString(16000, 2), "Heart...");
  EXPECT_EQ(resources.indexString(16000, 3), "");
  EXPECT_EQ(resources.indexString(16050, 13), "");
  EXPECT_EQ(resources.indexString(16000, -1), "");
  EXPECT_EQ(resources.indexString(16001, 1), "");
}

using Box = std::tuple<int32_t, int32_t, int32_t, int32_t>;
Box boxOf(const DialogTemplateItem& item) { return {item.x, item.y, item.width, item.height}; }

TEST(ModuleResources, DialogTemplates) {
  PluginResources resources = moduleResources();
  struct Expected {
    int32_t id;
    const char* name;
    int32_t width, height;
    size_t items;
  };
  for (const Expected& e :
       {Expected{16050, "About Dialog", 299, 167, 9}, Expected{16051, "Error Dialog", 185, 92, 4},
        Expected{16100, "Norv_Heart", 228, 166, 0}}) {
    const DialogTemplate* dialog = resources.dialog(e.id);
    ASSERT_NE(dialog, nullptr) << e.id;
    // A Windows dialog template carries no name: the plug-in names the dialog when it opens it.
    EXPECT_EQ(dialog->name, testing::builtModuleIsElf() ? e.name : "");
    EXPECT_EQ(std::tie(dialog->width, dialog->height), std::tie(e.width, e.height)) << e.name;
    EXPECT_EQ(dialog->items.size(), e.items) << e.name;
    EXPECT_EQ(std::tie(dialog->font, dialog->pointSize, dialog->frame),
              std::make_tuple("MS Sans Serif", 8, "modal frame, caption, system menu"))
        << e.name;
  }
  EXPECT_NE(resources.dialog(16100)->title.find("Heart"), std::string::npos);

  const DialogTemplate& error = *resources.dialog(16051);
  EXPECT_EQ(error.title, "Plug-in Error");
  const std::tuple<int32_t, const char*, Box, const char*> errorItems[] = {
      {1, "default push button", {127, 65, 50, 14}, "OK"},
      {2, "static text", {43, 12, 126, 28}, "Message"},
      {3, "static text", {13, 66, 30, 8}, "Code"},
      {4, "black frame", {10, 10, 18, 20}, ""}};
  for (size_t i = 0; i < 4; ++i)
    EXPECT_EQ(std::make_tuple(error.items[i].id, error.items[i].kind, boxOf(error.items[i]),
                              error.items[i].text),
              errorItems[i]);

  const DialogTemplate& about = *resources.dialog(16050);
  EXPECT_EQ(about.title, "Heart Plug-in About");
  EXPECT_EQ(std::make_tuple(about.items[0].id, about.items[0].kind, boxOf(about.items[0]),
                            about.items[0].text),
            std::make_tuple(1, "default push button", Box{125, 148, 40, 14}, "&OK"));
  const int32_t tops[] = {7, 39, 54, 68, 81, 95, 110, 124};
  for (size_t i = 1; i < about.items.size(); ++i) {
    EXPECT_EQ(about.items[i].id, -1);
    EXPECT_EQ(about.items[i].kind, "static text");
    EXPECT_EQ(about.items[i].y, tops[i - 1]);
    EXPECT_FALSE(about.items[i].text.empty());
  }
  EXPECT_EQ(boxOf(about.items[1]), (Box{9, 7, 254, 28}));
  EXPECT_EQ(about.items[3].text, "Plugin Name: Heart");
  EXPECT_NE(about.items[4].text.find("1.4"), std::string::npos);
  EXPECT_EQ(about.items[5].text, "Release Date: September 2006");
}

TEST(ModuleResources, IconAndCursor) {
  PluginResources resources = moduleResources();
  const ResourceImage* icon = resources.icon(16051);
  const ResourceImage* cursor = resources.cursor(16000);
  ASSERT_TRUE(icon && cursor);
  EXPECT_EQ(std::tie(icon->width, icon->height, icon->colours), std::make_tuple(32, 32, 16));
  EXPECT_EQ(std::tie(cursor->width, cursor->height, cursor->colours), std::make_tuple(32, 32, 2));
  EXPECT_EQ(cursor->palette, (std::vector<uint32_t>{0x000000, 0xFFFFFF}));
  for (const ResourceImage* image : {icon, cursor}) {
    ASSERT_EQ(image->pixels.size(), 32u * 32u);
    const auto opaque = std::count(image->mask.begin(), image->mask.end(), 0);
    EXPECT_GT(opaque, 50);
    EXPECT_LT(opaque, 32 * 32) << "a shape, not a filled square";
  }
  // The hotspot sits on a drawn pixel, where the user sees the point.
  EXPECT_EQ(cursor->mask.at(cursor->hotspotY * 32 + cursor->hotspotX), 0);
  EXPECT_EQ(resources.cursor(16051), nullptr) << "an icon is not a cursor";
}

TEST(ModuleResources, VersionRecord) {
  const PluginResources resources = moduleResources();
  const VersionRecord* version = resources.version();
  ASSERT_NE(version, nullptr);
  const std::vector<uint16_t> v14 = {1, 4, 0, 0};
  EXPECT_EQ(std::vector<uint16_t>(version->fileVersion, version->fileVersion + 4), v14);
  EXPECT_EQ(std::vector<uint16_t>(version->productVersion, version->productVersion + 4), v14);
  EXPECT_EQ(std::tie(version->fileType, version->language, version->codePage),
            std::make_tuple("dynamic library", "English (United Kingdom)", 1200));
  const std::vector<std::pair<std::string, std::string>> standard = {
      {"Comments", "Plugin to create heart shapes"},
      {"FileDescription", "Heart shape creator"},
      {"FileVersion", "1, 4, 0, 0"},
      {"InternalName", "Heart"},
      {"OriginalFilename", "Norv_Heart.aip"},
      {"ProductName", "Heart"},
      {"ProductVersion", "1, 4, 0, 0"}};
  // The standard keys in their order, followed by our company and legal entries.
  ASSERT_EQ(version->strings.size(), standard.size() + 2);
  EXPECT_TRUE(std::equal(standard.begin(), standard.end(), version->strings.begin()));
  EXPECT_EQ(version->strings[7].first, "CompanyName");
  EXPECT_EQ(version->strings[8].first, "LegalCopyright");
}

// Whether the resource section of the module at `path` starts with the block
// rescomp compiled (the section may be padded after it).
::testing::AssertionResult sectionHoldsTheCompiledBlock(const char* path) {
  auto section = PluginResources::readResourceSection(path);
  if (!section) return ::testing::AssertionFailure() << section.error();
  const auto compiled = testing::readFile(HEART_BINARY_DIR "/plugin/heart_resources.bin");
  if (compiled.empty()) return ::testing::AssertionFailure() << "no compiled block to compare";
  if (section->size() < compiled.size() ||
      !std::equal(compiled.begin(), compiled.end(), section->begin()))
    return ::testing::AssertionFailure() << "the section is not the compiled block";
  return ::testing::AssertionSuccess();
}

TEST(ModuleResources, SectionHoldsExactlyTheCompiledBlock) {
  SKIP_UNLESS_ELF_MODULE();
  EXPECT_TRUE(sectionHoldsTheCompiledBlock(HEART_MODULE_PATH));
}

// Nothing in a module refers to its resources: the host reads them from the
// file. A linker that drops unreferenced sections must keep them all the same.
TEST(ModuleResources, SectionSurvivesALinkerThatDropsUnreferencedSections) {
#ifndef HEART_GC_SECTIONS_MODULE
  GTEST_SKIP() << "this build makes no module with --gc-sections";
#else
  EXPECT_TRUE(sectionHoldsTheCompiledBlock(HEART_GC_SECTIONS_MODULE));
#endif
}

}  // namespace
}  // namespace heart::testing
