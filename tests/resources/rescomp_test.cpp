// The resource compiler, run as the build runs it: a valid description
// comes back unchanged through the host's reader; a faulty one is refused
// with the place of the fault, and nothing is written.
#include <gtest/gtest.h>

#include <cstdlib>

#include "resource_test_support.h"

namespace heart {
namespace {

using testing::readFile;
using testing::ScratchFolder;
using testing::writeFile;

struct CompilerRun {
  int exitCode = -1;
  std::string messages;
};

CompilerRun rescomp(const ScratchFolder& folder, const std::string& description) {
  writeFile(folder / "in.json", description);
  const std::string command =
      std::string("'") + HEART_BINARY_DIR + "/tools/rescomp' '" + (folder / "in.json").string() +
      "' '" + (folder / "out.cpp").string() + "' --blob '" + (folder / "out.bin").string() +
      "' 2>'" + (folder / "messages.txt").string() + "'";
  CompilerRun run;
  const int status = std::system(command.c_str());
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  const auto messages = readFile(folder / "messages.txt");
  run.messages.assign(messages.begin(), messages.end());
  return run;
}

const char* const kSmallDescription = R"({
  "propertyLists": [{"id": 5, "properties": [
      {"vendor": "HOST", "key": "ivrs", "id": 0, "number": -7},
      {"vendor": "HOST", "key": "wx86", "id": 3, "text": "Entry"}]}],
  "stringLists": [{"id": 9, "strings": ["", "line\nbreak", "caf\u00e9"]}],
  "dialogs": [{"id": 20, "name": "Tiny", "title": "T", "font": "F", "pointSize": 9,
               "width": 10, "height": 20, "frame": "plain",
               "items": [{"kind": "static text", "rect": [-1, 2, 3, 4]}]}],
  "cursors": [{"id": 1, "width": 3, "height": 2, "hotspot": [2, 1],
               "palette": ["#000000", "#ffFFff"], "pixels": ["01.", ".10"]}],
  "version": {"id": 1, "fileVersion": [9, 8, 7, 65535], "productVersion": [0, 0, 0, 1],
              "fileType": "dynamic library", "language": "L", "codePage": 1200,
              "strings": [["B", "2"], ["A", "1"]]}
})";

TEST(ResourceCompiler, DescriptionSurvivesTheRoundTrip) {
  ScratchFolder folder;
  CompilerRun run = rescomp(folder, kSmallDescription);
  ASSERT_EQ(run.exitCode, 0) << run.messages;

  std::string error;
  auto resources = PluginResources::readFromBytes(readFile(folder / "out.bin"), &error);
  ASSERT_TRUE(resources.has_value()) << error;

  const PropertyList* pipl = resources->propertyList(5);
  ASSERT_NE(pipl, nullptr);
  ASSERT_NE(pipl->find("ivrs"), nullptr);
  EXPECT_EQ(pipl->find("ivrs")->number, -7);
  EXPECT_EQ(pipl->find("wx86")->text, "Entry");
  EXPECT_EQ(pipl->find("wx86")->propertyId, 3);

  EXPECT_EQ(resources->indexString(9, 0), "");
  EXPECT_EQ(resources->indexString(9, 1), "line\nbreak");
  EXPECT_EQ(resources->indexString(9, 2), "caf\xC3\xA9");

  const DialogTemplate* dialog = resources->dialog(20);
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(dialog->items.size(), 1u);
  EXPECT_EQ(dialog->items[0].id, -1);
  EXPECT_EQ(dialog->items[0].x, -1);
  EXPECT_EQ(dialog->items[0].height, 4);
  EXPECT_EQ(dialog->pointSize, 9);

  const ResourceImage* cursor = resources->cursor(1);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->palette, (std::vector<uint32_t>{0x000000, 0xFFFFFF}));
  EXPECT_EQ(cursor->pixels, (std::vector<uint8_t>{0, 1, 0, 0, 1, 0}));
  EXPECT_EQ(cursor->mask, (std::vector<uint8_t>{0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(cursor->hotspotX, 2);
  EXPECT_EQ(cursor->hotspotY, 1);

  const VersionRecord* version = resources->version();
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->fileVersion[3], 65535);
  EXPECT_EQ(version->strings,
            (std::vector<std::pair<std::string, std::string>>{{"B", "2"}, {"A", "1"}}));

  // The generated source carries the same bytes in the resource section.
  const auto source = readFile(folder / "out.cpp");
  const std::string text(source.begin(), source.end());
  EXPECT_NE(text.find("section(\".heart_resources\")"), std::string::npos);
  EXPECT_NE(
      text.find("kModuleResources[" + std::to_string(readFile(folder / "out.bin").size()) + "]"),
      std::string::npos);
}

TEST(ResourceCompiler, FaultsNameTheirPlaceAndWriteNothing) {
  struct Case {
    const char* description;
    const char* place;
  } cases[] = {
      {R"({"dialogs": [{"id": 1, "name": "a", "title": "b", "font": "c", "pointSize": 8,
           "width": 1, "height": 1, "frame": "f", "items": [{"kind": "k", "rect": [1, 2, 3]}]}]})",
       "dialogs[0].items[0].rect"},
      {R"({"stringLists": [{"id": 1, "strings": ["a", 2]}]})", "stringLists[0].strings[1]"},
      {R"({"propertyLists": [{"id": 1, "properties": [{"vendor": "HOS", "key": "kind", "id": 0,
           "code": "SPEA"}]}]})",
       "properties[0].vendor"},
      {R"({"propertyLists": [{"id": 1, "properties": [{"vendor": "HOST", "key": "kind", "id": 0,
           "code": "SPEA", "number": 1}]}]})",
       "exactly one of"},
      {R"({"icons": [{"id": 1, "width": 2, "height": 1, "palette": ["#000000"],
           "pixels": ["01"]}]})",
       "icons[0].pixels[0]"},
      {R"({"cursors": [{"id": 1, "width": 2, "height": 1, "hotspot": [2, 0],
           "palette": ["#000000"], "pixels": ["00"]}]})",
       "cursors[0].hotspot[0]"},
      {R"({"stringLists": [{"id": 1, "strings": []}, {"id": 1, "strings": []}]})",
       "already described"},
      {R"({"menus": []})", "unknown resource kind"},
      {R"({"stringLists": [)", "parse error"},
  };
  for (const Case& c : cases) {
    ScratchFolder folder;
    CompilerRun run = rescomp(folder, c.description);
    EXPECT_EQ(run.exitCode, 1) << c.place;
    EXPECT_NE(run.messages.find(c.place), std::string::npos) << run.messages;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.cpp")) << c.place;
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bin")) << c.place;
  }
}

}  // namespace
}  // namespace heart
