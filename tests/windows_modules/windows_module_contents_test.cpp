// The real Windows modules: a DLL for the right machine whose one export is
// PluginMain, importing only system DLLs, whose resources the host reads as
// the design lays them out and exactly as it reads them from the ELF module
// built from the same description.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "module/plugin_module.h"
#include "resources/pe_image.h"
#include "resources/pe_resources.h"
#include "resources/plugin_resources.h"
#include "windows_module_support.h"

namespace heart::testing {
namespace {

using testing::fileBytes;
using testing::windowsModuleFiles;

class WindowsModule : public ::testing::TestWithParam<testing::WindowsModuleFile> {
 protected:
  PeImage image() {
    auto parsed = PeImage::parse(fileBytes(GetParam().path));
    EXPECT_TRUE(parsed.ok()) << parsed.error();
    return parsed ? *parsed : PeImage{};
  }
  PluginResources resources() {
    auto read = PluginResources::readFromModule(GetParam().path);
    EXPECT_TRUE(read.ok()) << read.error();
    return read ? *read : PluginResources{};
  }
};

TEST_P(WindowsModule, IsADllForItsMachineExportingOnlyPluginMainAndImportingOnlySystemDlls) {
  HEART_NEED_MODULE(GetParam());
  const PeImage pe = image();
  const bool wide = std::string(GetParam().arch) == "x86_64";
  EXPECT_EQ(pe.wide, wide);
  EXPECT_EQ(pe.machine, wide ? 0x8664 : 0x14C);
  EXPECT_TRUE(pe.dll);
  EXPECT_EQ(pe.exports, std::vector<std::string>{"PluginMain"});
  const std::set<std::string> system = {"kernel32.dll", "msvcrt.dll"};
  ASSERT_FALSE(pe.imports.empty());
  for (std::string name : pe.imports) {
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    EXPECT_TRUE(system.count(name)) << name << " is not part of every Windows installation";
  }
}

TEST_P(WindowsModule, PropertyListNamesTheEntryPoint) {
  HEART_NEED_MODULE(GetParam());
  const PluginResources read = resources();
  const PropertyList* list = read.propertyList(16000);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->properties.size(), 3u);
  const PluginProperty& kind = list->properties[0];
  const PluginProperty& version = list->properties[1];
  const PluginProperty& entry = list->properties[2];
  EXPECT_EQ(std::tie(kind.vendor, kind.key, kind.propertyId, kind.isNumber, kind.text),
            std::make_tuple("HOST", "kind", 0, false, "SPEA"));
  EXPECT_EQ(std::tie(version.vendor, version.key, version.isNumber, version.number),
            std::make_tuple("HOST", "ivrs", true, 2));
  EXPECT_EQ(std::tie(entry.vendor, entry.key, entry.text),
            std::make_tuple("HOST", "wx86", "PluginMain"));
  Result<std::string> named = PluginModule::entryPointName(read);
  ASSERT_TRUE(named.ok()) << named.error();
  EXPECT_EQ(*named, "PluginMain");
}

TEST_P(WindowsModule, StringListsDialogsImagesAndVersionAreTheDesignedOnes) {
  HEART_NEED_MODULE(GetParam());
  const PluginResources read = resources();
  ASSERT_EQ(read.stringLists.size(), 2u);
  EXPECT_EQ(read.stringList(16000)->strings,
            (std::vector<std::string>{"<First Mac index is 1>", "Zelt <Create>", "Heart..."}));
  ASSERT_NE(read.stringList(16050), nullptr);
  EXPECT_EQ(read.stringList(16050)->strings.size(), 13u);
  EXPECT_EQ(read.indexString(16050, 1), "-108");
  EXPECT_EQ(read.indexString(16050, 11), "<Others>");

  struct Frame {
    int id, width, height;
  };
  for (const Frame& frame :
       {Frame{16050, 299, 167}, Frame{16051, 185, 92}, Frame{16100, 228, 166}}) {
    const DialogTemplate* dialog = read.dialog(frame.id);
    ASSERT_NE(dialog, nullptr) << frame.id;
    EXPECT_EQ(
        std::tie(dialog->width, dialog->height, dialog->font, dialog->pointSize, dialog->frame),
        std::make_tuple(frame.width, frame.height, "MS Sans Serif", 8,
                        "modal frame, caption, system menu"));
  }
  EXPECT_EQ(read.dialog(16050)->title, "Heart Plug-in About");
  EXPECT_TRUE(read.dialog(16100)->items.empty());
  // The about box: a default OK button, then eight static texts without ids.
  const auto& about = read.dialog(16050)->items;
  ASSERT_EQ(about.size(), 9u);
  EXPECT_EQ(std::tie(about[0].id, about[0].kind, about[0].x, about[0].y, about[0].width,
                     about[0].height, about[0].text),
            std::make_tuple(1, "default push button", 125, 148, 40, 14, "&OK"));
  const int rows[][4] = {{9, 7, 254, 28}, {9, 39, 279, 8}, {9, 54, 271, 8},  {9, 68, 271, 8},
                         {9, 81, 271, 8}, {9, 95, 271, 8}, {9, 110, 271, 8}, {9, 124, 271, 8}};
  for (size_t i = 1; i < about.size(); ++i) {
    EXPECT_EQ(std::tie(about[i].id, about[i].kind), std::make_tuple(-1, "static text")) << i;
    EXPECT_EQ((std::vector<int>{about[i].x, about[i].y, about[i].width, about[i].height}),
              (std::vector<int>(rows[i - 1], rows[i - 1] + 4)))
        << i;
  }
  EXPECT_EQ(about[3].text, "Plugin Name: Heart");
  EXPECT_EQ(about[5].text, "Release Date: September 2006");
  EXPECT_NE(about[1].text.find('\n'), std::string::npos) << "the first text has two lines";
  EXPECT_EQ(read.dialog(16051)->items.at(3).kind, "black frame");

  ASSERT_EQ(read.icons.size(), 1u);
  const ResourceImage& icon = *read.icon(16051);
  EXPECT_EQ(std::tie(icon.width, icon.height, icon.colours), std::make_tuple(32, 32, 16));
  ASSERT_EQ(read.cursors.size(), 1u);
  const ResourceImage& cursor = *read.cursor(16000);
  EXPECT_EQ(std::tie(cursor.width, cursor.height, cursor.colours), std::make_tuple(32, 32, 2));

  const VersionRecord* version = read.version();
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->id, 1);
  EXPECT_EQ((std::vector<int>(version->fileVersion, version->fileVersion + 4)),
            (std::vector<int>{1, 4, 0, 0}));
  EXPECT_EQ((std::vector<int>(version->productVersion, version->productVersion + 4)),
            (std::vector<int>{1, 4, 0, 0}));
  EXPECT_EQ(std::tie(version->fileType, version->language, version->codePage),
            std::make_tuple("dynamic library", "English (United Kingdom)", 1200));
  const std::vector<std::pair<std::string, std::string>> designed = {
      {"Comments", "Plugin to create heart shapes"},
      {"FileDescription", "Heart shape creator"},
      {"FileVersion", "1, 4, 0, 0"},
      {"InternalName", "Heart"},
      {"OriginalFilename", "Norv_Heart.aip"},
      {"ProductName", "Heart"},
      {"ProductVersion", "1, 4, 0, 0"}};
  ASSERT_GE(version->strings.size(), designed.size());
  EXPECT_EQ(std::vector(version->strings.begin(), version->strings.begin() + designed.size()),
            designed);
}

TEST_P(WindowsModule, ResourcesLanguagesAreTheDesignedOnes) {
  HEART_NEED_MODULE(GetParam());
  for (const PeResource& resource : image().resources) {
    const bool isVersion = resource.typeName.empty() && resource.typeId == 16;
    EXPECT_EQ(resource.language, isVersion ? 0x0809 : 0x0409)
        << resource.typeName << resource.typeId << " " << resource.id;
  }
}

// Colours per pixel, so that palettes of different lengths compare.
std::vector<uint32_t> pixelColours(const ResourceImage& image) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < image.pixels.size(); ++i)
    out.push_back(image.mask[i] ? 0xFF000000u : image.palette.at(image.pixels[i]));
  return out;
}

TEST_P(WindowsModule, ReadsTheSameResourcesAsTheElfModule) {
  HEART_NEED_MODULE(GetParam());
  const PluginResources pe = resources();
  const auto elf = PluginResources::readFromModule(HEART_MODULE_PATH);
  ASSERT_TRUE(elf.ok()) << elf.error();

  ASSERT_EQ(pe.propertyLists.size(), elf->propertyLists.size());
  for (const PropertyList& list : elf->propertyLists) {
    ASSERT_NE(pe.propertyList(list.id), nullptr);
    const auto& theirs = pe.propertyList(list.id)->properties;
    ASSERT_EQ(theirs.size(), list.properties.size());
    for (size_t i = 0; i < theirs.size(); ++i) {
      const PluginProperty &a = list.properties[i], &b = theirs[i];
      EXPECT_EQ(std::tie(a.vendor, a.key, a.propertyId, a.isNumber, a.number, a.text),
                std::tie(b.vendor, b.key, b.propertyId, b.isNumber, b.number, b.text));
    }
  }
  ASSERT_EQ(pe.stringLists.size(), elf->stringLists.size());
  for (const StringList& list : elf->stringLists) {
    ASSERT_NE(pe.stringList(list.id), nullptr) << list.id;
    EXPECT_EQ(pe.stringList(list.id)->strings, list.strings);
  }
  ASSERT_EQ(pe.dialogs.size(), elf->dialogs.size());
  for (const DialogTemplate& dialog : elf->dialogs) {
    const DialogTemplate* theirs = pe.dialog(dialog.id);
    ASSERT_NE(theirs, nullptr) << dialog.id;
    EXPECT_EQ(std::tie(dialog.title, dialog.font, dialog.pointSize, dialog.width, dialog.height,
                       dialog.frame),
              std::tie(theirs->title, theirs->font, theirs->pointSize, theirs->width,
                       theirs->height, theirs->frame));
    ASSERT_EQ(theirs->items.size(), dialog.items.size());
    for (size_t i = 0; i < dialog.items.size(); ++i) {
      const DialogTemplateItem &a = dialog.items[i], &b = theirs->items[i];
      EXPECT_EQ(std::tie(a.id, a.kind, a.x, a.y, a.width, a.height, a.text),
                std::tie(b.id, b.kind, b.x, b.y, b.width, b.height, b.text))
          << dialog.id << " item " << i;
    }
  }
  for (bool cursors : {false, true}) {
    const auto& mine = cursors ? elf->cursors : elf->icons;
    ASSERT_EQ((cursors ? pe.cursors : pe.icons).size(), mine.size());
    for (const ResourceImage& image : mine) {
      const ResourceImage* theirs = cursors ? pe.cursor(image.id) : pe.icon(image.id);
      ASSERT_NE(theirs, nullptr) << image.id;
      EXPECT_EQ(std::tie(image.width, image.height, image.hotspotX, image.hotspotY),
                std::tie(theirs->width, theirs->height, theirs->hotspotX, theirs->hotspotY));
      EXPECT_EQ(pixelColours(*theirs), pixelColours(image));
      EXPECT_EQ(theirs->mask, image.mask);
    }
  }
  ASSERT_TRUE(pe.version() && elf->version());
  EXPECT_EQ(pe.version()->strings, elf->version()->strings);
  EXPECT_EQ(std::tie(pe.version()->fileType, pe.version()->language, pe.version()->codePage),
            std::tie(elf->version()->fileType, elf->version()->language, elf->version()->codePage));
}

INSTANTIATE_TEST_SUITE_P(BothWidths, WindowsModule, ::testing::ValuesIn(windowsModuleFiles()),
                         [](const auto& info) { return std::string(info.param.arch); });

}  // namespace
}  // namespace heart::testing
