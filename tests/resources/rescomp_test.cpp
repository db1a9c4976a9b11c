// The resource compiler, run as the build runs it: a description comes back
// unchanged through the host's reader; a faulty one is refused with the
// place of the fault, and nothing is written.
// The build-time tools run on the build machine: a Windows test program
// cannot start them.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>

#include "resource_test_support.h"

namespace heart::testing {
namespace {

using testing::readFile;
using testing::ScratchFolder;

// Runs rescomp on `description`; answers its exit code and what it said.
std::pair<int, std::string> rescomp(const ScratchFolder& folder, const std::string& description) {
  testing::writeFile(folder / "in.json", description);
  const std::string command =
      std::string("'") + HEART_RESCOMP_PATH + "' '" + (folder / "in.json").string() + "' '" +
      (folder / "out.cpp").string() + "' --blob '" + (folder / "out.bin").string() + "' --ids '" +
      (folder / "out.h").string() + "' 2>'" + (folder / "said.txt").string() + "'";
  const int status = std::system(command.c_str());
  const auto said = readFile(folder / "said.txt");
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(said.begin(), said.end())};
}

TEST(ResourceCompiler, DescriptionSurvivesTheRoundTrip) {
  ScratchFolder folder;
  const auto [exitCode, said] = rescomp(folder, R"({
    "propertyLists": [{"id": 5, "properties": [{"vendor": "HOST", "key": "ivrs", "id": 3,
                                                 "number": -7}]}],
    "stringLists": [{"id": 9, "strings": ["", "line\nbreak", "caf\u00e9"]}],
    "dialogs": [{"id": 20, "name": "Tiny", "title": "T", "font": "F", "pointSize": 9,
                 "width": 10, "height": 20, "frame": "plain",
                 "items": [{"kind": "static text", "rect": [-1, 2, 3, 4]}]}],
    "cursors": [{"id": 1, "width": 3, "height": 2, "hotspot": [2, 1],
                 "palette": ["#000000", "#ffFFff"], "pixels": ["01.", ".10"]}],
    "version": {"id": 1, "fileVersion": [9, 8, 7, 65535], "productVersion": [0, 0, 0, 1],
                "fileType": "x", "language": "L", "codePage": 1200,
                "strings": [["B", "2"], ["A", "1"]]}})");
  ASSERT_EQ(exitCode, 0) << said;

  const auto block = readFile(folder / "out.bin");
  auto resources = PluginResources::readFromBytes(block);
  ASSERT_TRUE(resources.ok()) << resources.error();
  ASSERT_NE(resources->propertyList(5), nullptr);
  const PluginProperty& property = resources->propertyList(5)->properties.at(0);
  EXPECT_EQ(std::tie(property.number, property.propertyId), std::make_tuple(-7, 3));
  EXPECT_EQ(resources->stringList(9)->strings,
            (std::vector<std::string>{"", "line\nbreak", "caf\xC3\xA9"}));
  const DialogTemplateItem& item = resources->dialog(20)->items.at(0);
  EXPECT_EQ(std::tie(item.id, item.x, item.height), std::make_tuple(-1, -1, 4));
  const ResourceImage& cursor = *resources->cursor(1);
  EXPECT_EQ(cursor.palette, (std::vector<uint32_t>{0x000000, 0xFFFFFF}));
  EXPECT_EQ(cursor.pixels, (std::vector<uint8_t>{0, 1, 0, 0, 1, 0}));
  EXPECT_EQ(cursor.mask, (std::vector<uint8_t>{0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(std::tie(cursor.hotspotX, cursor.hotspotY), std::make_tuple(2, 1));
  EXPECT_EQ(resources->version()->fileVersion[3], 65535);
  EXPECT_EQ(resources->version()->strings.at(0).first, "B") << "order kept";

  // The generated source places the same bytes in the resource section.
  const auto source = readFile(folder / "out.cpp");
  const std::string text(source.begin(), source.end());
  EXPECT_NE(text.find("section(\".heart_resources\")"), std::string::npos);
  EXPECT_NE(text.find("[" + std::to_string(block.size()) + "]"), std::string::npos);
}

TEST(ResourceCompiler, FaultsNameTheirPlaceAndWriteNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {R"({"dialogs": [{"id": 1, "name": "a", "title": "b", "font": "c", "pointSize": 8,
           "width": 1, "height": 1, "frame": "f", "items": [{"kind": "k", "rect": [1, 2, 3]}]}]})",
       "dialogs[0].items[0].rect"},
      {R"({"stringLists": [{"id": 1, "strings": ["a", 2]}]})", "stringLists[0].strings[1]"},
      {R"({"propertyLists": [{"id": 1, "properties": [{"vendor": "HOS", "key": "kind",
           "id": 0, "code": "SPEA"}]}]})",
       "properties[0].vendor"},
      {R"({"icons": [{"id": 1, "width": 2, "height": 1, "palette": ["#000000"],
           "pixels": ["01"]}]})",
       "icons[0].pixels[0]"},
      {R"({"stringLists": [{"id": 1, "strings": []}, {"id": 1, "strings": []}]})",
       "already described"},
      {R"({"menus": []})", "unknown resource kind"},
      {R"({"stringLists": [{"id": 1, "constant": "2nd", "strings": []}]})",
       "stringLists[0].constant: \"2nd\" is not a C++ name"},
      {R"({"stringLists": [{"id": 1, "constant": "kA", "strings": []}],
           "cursors": [{"id": 2, "constant": "kA", "width": 1, "height": 1, "hotspot": [0, 0],
                        "palette": ["#000000"], "pixels": ["0"]}]})",
       "cursors[0].constant: \"kA\" is already the constant"},
      {R"({"stringLists": [)", "parse error"},
  };
  for (const auto& [description, place] : cases) {
    ScratchFolder folder;
    const auto [exitCode, said] = rescomp(folder, description);
    EXPECT_EQ(exitCode, 1) << place;
    EXPECT_NE(said.find(place), std::string::npos) << said;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.cpp")) << place;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bin")) << place;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.h")) << place;
  }
}

TEST(ResourceCompiler, TheIdsHeaderNamesEachResourceThatNamesAConstant) {
  ScratchFolder folder;
  const auto [exitCode, said] = rescomp(folder, R"({
    "propertyLists": [{"id": 5, "constant": "kList", "properties": []}],
    "stringLists": [{"id": -9, "constant": "kStrings", "strings": []},
                    {"id": 11, "strings": []}],
    "dialogs": [{"id": 20, "constant": "kTiny", "name": "Say \"hi\" \\ caf\u00e9",
                 "title": "T", "font": "F", "pointSize": 9, "width": 10, "height": 20,
                 "frame": "plain", "items": []}],
    "cursors": [{"id": 1, "constant": "kArrow", "width": 1, "height": 1, "hotspot": [0, 0],
                 "palette": ["#000000"], "pixels": ["0"]}]})");
  ASSERT_EQ(exitCode, 0) << said;
  const auto bytes = readFile(folder / "out.h");
  const std::string header(bytes.begin(), bytes.end());
  EXPECT_EQ(header.find("// Generated by rescomp from in.json."), 0u) << header;
  for (const char* line :
       {"#pragma once\n", "#include <cstdint>\n", "inline constexpr int32_t kListId = 5;\n",
        "inline constexpr int32_t kStringsId = -9;\n", "inline constexpr int32_t kTinyId = 20;\n",
        "inline constexpr const char* kTinyName = "
        "\"Say \\\"hi\\\" \\\\ caf\\303\\251\";\n",
        "inline constexpr int32_t kArrowId = 1;\n"})
    EXPECT_NE(header.find(line), std::string::npos) << line << " in\n" << header;
  EXPECT_EQ(header.find("11"), std::string::npos) << "a list without a constant has no line";
  EXPECT_EQ(header.find("kArrowName"), std::string::npos) << "only dialogs have names";
}

}  // namespace
}  // namespace heart::testing
#endif  // _WIN32
