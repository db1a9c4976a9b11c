// The resources that the built module carries, read from the module file.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "resource_test_support.h"

namespace heart {
namespace {

using testing::moduleResources;

const char* const kMemoryMessage =
    "The filter cannot complete because there isn't enough memory (RAM) available.";

TEST(ModuleResources, PropertyListNamesTheEntryPoint) {
  PluginResources resources = moduleResources();
  const PropertyList* pipl = resources.propertyList(16000);
  ASSERT_NE(pipl, nullptr);
  ASSERT_EQ(pipl->properties.size(), 3u);

  const PluginProperty* kind = pipl->find("kind");
  const PluginProperty* interfaceVersion = pipl->find("ivrs");
  const PluginProperty* entry = pipl->find("wx86");
  ASSERT_TRUE(kind && interfaceVersion && entry);
  EXPECT_FALSE(kind->isNumber);
  EXPECT_EQ(kind->text, "SPEA");
  EXPECT_TRUE(interfaceVersion->isNumber);
  EXPECT_EQ(interfaceVersion->number, 2);
  EXPECT_FALSE(entry->isNumber);
  EXPECT_EQ(entry->text, "PluginMain");
  for (const PluginProperty& property : pipl->properties) {
    EXPECT_EQ(property.vendor, "HOST") << property.key;
    EXPECT_EQ(property.propertyId, 0) << property.key;
  }
  EXPECT_EQ(pipl->find("none"), nullptr);
  EXPECT_EQ(resources.propertyList(16001), nullptr);
}

TEST(ModuleResources, FilterMenuStrings) {
  PluginResources resources = moduleResources();
  EXPECT_EQ(resources.indexString(16000, 0), "<First Mac index is 1>");
  EXPECT_EQ(resources.indexString(16000, 1), "Zelt <Create>");
  EXPECT_EQ(resources.indexString(16000, 2), "Heart...");
  // Past the end, before the start and in an unknown list: empty.
  EXPECT_EQ(resources.indexString(16000, 3), "");
  EXPECT_EQ(resources.indexString(16000, -1), "");
  EXPECT_EQ(resources.indexString(16001, 1), "");
}

TEST(ModuleResources, ErrorTableHasEveryKeyAndMessage) {
  PluginResources resources = moduleResources();
  const std::vector<std::string> expected = {
      "<Mac strings begin at index 1>",
      "-108",
      kMemoryMessage,
      "271",
      kMemoryMessage,
      "SEGM",
      "The filter cannot complete because a layer is locked or invisible.",
      "NESS",
      "The filter cannot complete because a path has too many anchor points.",
      "!sel",
      "The selection is not valid for this filter.",
      "<Others>",
      "The filter cannot complete because of an unknown error."};
  const StringList* list = resources.stringList(16050);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->strings, expected);
  // The alert's walk ends at the first empty key.
  EXPECT_EQ(resources.indexString(16050, static_cast<int32_t>(expected.size())), "");
}

void expectStandardFrame(const DialogTemplate& dialog) {
  EXPECT_EQ(dialog.font, "MS Sans Serif") << dialog.name;
  EXPECT_EQ(dialog.pointSize, 8) << dialog.name;
  EXPECT_EQ(dialog.frame, "modal frame, caption, system menu") << dialog.name;
}

TEST(ModuleResources, ErrorDialogTemplate) {
  PluginResources resources = moduleResources();
  const DialogTemplate* dialog = resources.dialog(16051);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->name, "Error Dialog");
  EXPECT_EQ(dialog->title, "Plug-in Error");
  EXPECT_EQ(dialog->width, 185);
  EXPECT_EQ(dialog->height, 92);
  expectStandardFrame(*dialog);

  struct Expected {
    int32_t id;
    const char* kind;
    int32_t x, y, width, height;
    const char* text;
  };
  const Expected items[] = {{1, "default push button", 127, 65, 50, 14, "OK"},
                            {2, "static text", 43, 12, 126, 28, "Message"},
                            {3, "static text", 13, 66, 30, 8, "Code"},
                            {4, "black frame", 10, 10, 18, 20, ""}};
  ASSERT_EQ(dialog->items.size(), std::size(items));
  for (size_t i = 0; i < std::size(items); ++i) {
    const DialogTemplateItem& item = dialog->items[i];
    SCOPED_TRACE("item " + std::to_string(items[i].id));
    EXPECT_EQ(item.id, items[i].id);
    EXPECT_EQ(item.kind, items[i].kind);
    EXPECT_EQ(item.x, items[i].x);
    EXPECT_EQ(item.y, items[i].y);
    EXPECT_EQ(item.width, items[i].width);
    EXPECT_EQ(item.height, items[i].height);
    EXPECT_EQ(item.text, items[i].text);
  }
}

TEST(ModuleResources, AboutBoxTemplate) {
  PluginResources resources = moduleResources();
  const DialogTemplate* dialog = resources.dialog(16050);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->name, "About Dialog");
  EXPECT_EQ(dialog->title, "Heart Plug-in About");
  EXPECT_EQ(dialog->width, 299);
  EXPECT_EQ(dialog->height, 167);
  expectStandardFrame(*dialog);
  ASSERT_EQ(dialog->items.size(), 9u);

  const DialogTemplateItem& ok = dialog->items[0];
  EXPECT_EQ(ok.id, 1);
  EXPECT_EQ(ok.kind, "default push button");
  EXPECT_EQ(std::tie(ok.x, ok.y, ok.width, ok.height), std::make_tuple(125, 148, 40, 14));
  EXPECT_EQ(ok.text, "&OK");

  // The texts without an id, top to bottom, at their designed places.
  const int32_t rows[8][4] = {{9, 7, 254, 28}, {9, 39, 279, 8}, {9, 54, 271, 8},  {9, 68, 271, 8},
                              {9, 81, 271, 8}, {9, 95, 271, 8}, {9, 110, 271, 8}, {9, 124, 271, 8}};
  for (size_t i = 1; i < dialog->items.size(); ++i) {
    const DialogTemplateItem& item = dialog->items[i];
    SCOPED_TRACE(item.text);
    EXPECT_EQ(item.id, -1);
    EXPECT_EQ(item.kind, "static text");
    EXPECT_EQ(std::tie(item.x, item.y, item.width, item.height),
              std::make_tuple(rows[i - 1][0], rows[i - 1][1], rows[i - 1][2], rows[i - 1][3]));
    EXPECT_FALSE(item.text.empty());
  }
  EXPECT_NE(dialog->items[1].text.find('\n'), std::string::npos) << "several lines";
  EXPECT_EQ(dialog->items[3].text, "Plugin Name: Heart");
  EXPECT_NE(dialog->items[4].text.find("1.4"), std::string::npos);
  EXPECT_EQ(dialog->items[5].text, "Release Date: September 2006");
}

TEST(ModuleResources, OptionsDialogFrameHasNoItems) {
  PluginResources resources = moduleResources();
  const DialogTemplate* dialog = resources.dialog(16100);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->name, "Norv_Heart");
  EXPECT_EQ(dialog->width, 228);
  EXPECT_EQ(dialog->height, 166);
  EXPECT_TRUE(dialog->items.empty());
  EXPECT_NE(dialog->title.find("Heart"), std::string::npos);
  expectStandardFrame(*dialog);
  EXPECT_EQ(resources.dialog(16101), nullptr);
}

TEST(ModuleResources, IconIsA16ColourImageOfAHeart) {
  PluginResources resources = moduleResources();
  const ResourceImage* icon = resources.icon(16051);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->width, 32);
  EXPECT_EQ(icon->height, 32);
  EXPECT_EQ(icon->colours, 16);
  EXPECT_EQ(icon->palette.size(), 16u);
  ASSERT_EQ(icon->pixels.size(), 32u * 32u);
  ASSERT_EQ(icon->mask.size(), 32u * 32u);
  // Something is drawn, the corners are see-through, and the image is
  // left-right symmetric in shape like a heart.
  const auto opaque = std::count(icon->mask.begin(), icon->mask.end(), 0);
  EXPECT_GT(opaque, 200);
  EXPECT_LT(opaque, 32 * 32);
  for (int corner : {0, 31, 31 * 32, 32 * 32 - 1}) EXPECT_EQ(icon->mask[corner], 1);
  int mirrored = 0;
  for (int row = 0; row < 32; ++row)
    for (int col = 0; col < 32; ++col)
      mirrored += icon->mask[row * 32 + col] == icon->mask[row * 32 + (31 - col)];
  EXPECT_GT(mirrored, 32 * 32 - 32);
  EXPECT_EQ(resources.cursor(16051), nullptr) << "an icon is not a cursor";
}

TEST(ModuleResources, CursorIsMonochromeWithAHotspot) {
  PluginResources resources = moduleResources();
  const ResourceImage* cursor = resources.cursor(16000);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->width, 32);
  EXPECT_EQ(cursor->height, 32);
  EXPECT_EQ(cursor->colours, 2);
  ASSERT_EQ(cursor->palette.size(), 2u);
  EXPECT_EQ(std::set<uint32_t>(cursor->palette.begin(), cursor->palette.end()),
            (std::set<uint32_t>{0x000000, 0xFFFFFF}));
  ASSERT_EQ(cursor->pixels.size(), 32u * 32u);
  EXPECT_LT(cursor->hotspotX, 32);
  EXPECT_LT(cursor->hotspotY, 32);
  // The hotspot sits on a drawn pixel, so the click lands where the user sees it.
  EXPECT_EQ(cursor->mask[cursor->hotspotY * 32 + cursor->hotspotX], 0);
}

TEST(ModuleResources, VersionRecord) {
  PluginResources resources = moduleResources();
  const VersionRecord* version = resources.version();
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->id, 1);
  for (int i = 0; i < 4; ++i) {
    const uint16_t expected = i == 0 ? 1 : i == 1 ? 4 : 0;
    EXPECT_EQ(version->fileVersion[i], expected);
    EXPECT_EQ(version->productVersion[i], expected);
  }
  EXPECT_EQ(version->fileType, "dynamic library");
  EXPECT_EQ(version->language, "English (United Kingdom)");
  EXPECT_EQ(version->codePage, 1200);

  const std::vector<std::pair<std::string, std::string>> designed = {
      {"Comments", "Plugin to create heart shapes"},
      {"FileDescription", "Heart shape creator"},
      {"FileVersion", "1, 4, 0, 0"},
      {"InternalName", "Heart"},
      {"OriginalFilename", "Norv_Heart.aip"},
      {"ProductName", "Heart"},
      {"ProductVersion", "1, 4, 0, 0"}};
  // The designed keys in their order, with our company and legal entries.
  std::vector<std::pair<std::string, std::string>> designedFound;
  std::set<std::string> keys;
  for (const auto& entry : version->strings) {
    keys.insert(entry.first);
    if (std::find(designed.begin(), designed.end(), entry) != designed.end())
      designedFound.push_back(entry);
  }
  EXPECT_EQ(designedFound, designed);
  EXPECT_TRUE(keys.count("CompanyName"));
  EXPECT_TRUE(keys.count("LegalCopyright"));
  EXPECT_EQ(keys.size(), version->strings.size()) << "no key twice";
}

TEST(ModuleResources, SectionHoldsExactlyTheCompiledBlock) {
  std::string error;
  auto section = PluginResources::readResourceSection(HEART_MODULE_PATH, &error);
  ASSERT_TRUE(section.has_value()) << error;
  const auto compiled = testing::readFile(HEART_BINARY_DIR "/plugin/heart_resources.bin");
  ASSERT_FALSE(compiled.empty());
  ASSERT_GE(section->size(), compiled.size());
  EXPECT_TRUE(std::equal(compiled.begin(), compiled.end(), section->begin()));
}

}  // namespace
}  // namespace heart
