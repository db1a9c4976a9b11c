// The resource-script generator refuses, naming the place, what a Windows
// module cannot hold, and then writes nothing.
// The build-time tools run on the build machine: a Windows test program
// cannot start them.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace heart::testing {
namespace {

namespace fs = std::filesystem;

struct ScriptRun {
  int exitCode;
  std::string said;
};

ScriptRun rcscript(const fs::path& folder, const std::string& description) {
  std::ofstream(folder / "in.json") << description;
  const std::string command = std::string("'") + HEART_RCSCRIPT_PATH + "' '" +
                              (folder / "in.json").string() + "' '" + (folder / "out.rc").string() +
                              "' 2>'" + (folder / "said.txt").string() + "'";
  const int status = std::system(command.c_str());
  std::stringstream said;
  said << std::ifstream(folder / "said.txt").rdbuf();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, said.str()};
}

const char* kDialog = R"("dialogs": [{"id": 7, "name": "D", "title": "T", "font": "F",
  "pointSize": 8, "width": 10, "height": 10, "frame": "modal frame, caption, system menu",
  "items": [{"kind": "static text", "rect": [1, 2, 3, 4], "text": "x"}]}])";

std::string withDialog(const std::string& kind, const std::string& frame) {
  std::string text = kDialog;
  text.replace(text.find("static text"), 11, kind);
  text.replace(text.find("modal frame, caption, system menu"), 33, frame);
  return "{" + text + "}";
}

TEST(ResourceScript, RefusesWhatAWindowsModuleCannotHoldAndWritesNothing) {
  const fs::path folder =
      fs::temp_directory_path() / ("heart_rcscript_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  struct Case {
    std::string description;
    const char* said;
  };
  const Case cases[] = {
      {R"({"stringLists": [{"id": 10, "strings": ["a", "b"]}, {"id": 12, "strings": ["c"]}]})",
       "stringLists[1]: its ids run into the list before it"},
      {R"({"stringLists": [{"id": 10, "strings": ["a", ""]}]})", "stringLists[0].strings[1]"},
      {R"({"stringLists": [{"id": 0, "strings": ["a"]}]})",
       "stringLists[0].id: 0 is not a Windows resource id"},
      {R"({"stringLists": [{"id": 70000, "strings": ["a"]}]})", "stringLists[0].id: 70000"},
      {R"({"propertyLists": [{"id": 1, "properties": [{"vendor": "HOST", "key": "ivrs", "id": 0,
          "text": "2"}]}]})",
       "propertyLists[0].properties[0]: \"ivrs\" holds a number"},
      {R"({"propertyLists": [{"id": 1, "properties": [{"vendor": "HOST", "key": "kind", "id": 0,
          "number": 2}]}]})",
       "propertyLists[0].properties[0]: \"kind\" holds a four-character code"},
      {withDialog("slider", "modal frame, caption, system menu"), "dialogs[0].items[0].kind"},
      {withDialog("static text", "thick frame"), "dialogs[0].frame"},
      {R"({"version": {"id": 1, "fileVersion": [1, 4, 0, 0], "productVersion": [1, 4, 0, 0],
          "fileType": "dynamic library", "language": "Klingon", "codePage": 1200,
          "strings": []}})",
       "version.language"},
      {R"({"stringLists": [{"id": 1, "strings": [7]}]})", "stringLists[0].strings[0]"},
  };
  for (const Case& c : cases) {
    fs::remove(folder / "out.rc");
    const ScriptRun run = rcscript(folder, c.description);
    EXPECT_EQ(run.exitCode, 1) << c.said;
    EXPECT_NE(run.said.find(c.said), std::string::npos) << "said: " << run.said;
    EXPECT_FALSE(fs::exists(folder / "out.rc")) << c.said;
  }
  // The same checks let a sound description through.
  fs::remove(folder / "out.rc");
  const ScriptRun sound = rcscript(folder, withDialog("black frame", "modal frame, caption"));
  EXPECT_EQ(sound.exitCode, 0) << sound.said;
  EXPECT_TRUE(fs::exists(folder / "out.rc"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace heart::testing
#endif  // _WIN32
