// The README's examples of `heart`, taken from the README and run in order
// on a fresh home: each does what its comment says.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "command_runner.h"

namespace heart::testing {
namespace {

std::string readme() {
  std::ifstream in(std::string(HEART_SOURCE_DIR) + "/README.md");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The body of the first fenced block of `language` after `heading`.
std::string blockAfter(const std::string& text, const std::string& heading,
                       const std::string& language) {
  size_t at = text.find(heading);
  if (at == std::string::npos) return "";
  size_t start = text.find("```" + language + "\n", at);
  if (start == std::string::npos) return "";
  start += 4 + language.size();
  return text.substr(start, text.find("```", start) - start);
}

// A command line split into words as the shell does for these examples
// (blanks; double quotes group), its comment left out.
std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> result;
  std::string word;
  bool quoted = false, inWord = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && c == '#') {
      break;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inWord) result.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) result.push_back(word);
  return result;
}

TEST(ReadmeExamples, RunInOrderOnAFreshHomeEachDoesWhatItSays) {
  SKIP_WITHOUT_PNG_OUTPUT();
  const std::string text = readme();
  std::vector<std::vector<std::string>> examples;
  std::istringstream lines(blockAfter(text, "## Using `heart`", "sh"));
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> command = words(line);
    if (command.empty()) continue;
    ASSERT_EQ(command[0], "build/cli/heart") << line;
    command.erase(command.begin());
    examples.push_back(command);
  }
  ASSERT_EQ(examples.size(), 7u) << "the checks below follow the README's seven examples";

  ScratchFolder home;
  writeFile(home / "hearts.script", blockAfter(text, "### Dialog scripts", "text"));
  const std::filesystem::path stored = home / ".config" / "heart" / "Norv_Heart.record";
  std::vector<CommandResult> results;
  for (const auto& example : examples) {
    results.push_back(runHeart(example, home.path()));
    ASSERT_EQ(results.back().exitCode, 0) << example[0] << ": " << results.back().err;
  }

  // 1: one heart from the defaults, saved as the stored record.
  const std::string hearts = readFile(home / "hearts.svg");
  EXPECT_NE(hearts.find("\"heartCount\":1,"), std::string::npos);
  EXPECT_NE(results[0].err.find("saved the stored record"), std::string::npos);
  // 2: a sketched heart; the stored record now holds that entry.
  EXPECT_EQ(readFile(home / "sketchy.png").rfind("\x89PNG", 0), 0u);
  const std::string afterPreset = readFile(stored);
  CommandResult storedJson = runHeart({"record", "show", stored.string()}, home.path());
  EXPECT_NE(storedJson.out.find("\"settingsPreset\": 11"), std::string::npos) << storedJson.out;
  // 3: forty shadowed hearts, without sketches; the stored record untouched.
  const std::string many = readFile(home / "many.svg");
  EXPECT_NE(many.find("\"heartCount\":40,"), std::string::npos);
  EXPECT_NE(many.find("\"dropShadow\":true"), std::string::npos);
  EXPECT_NE(many.find("\"sketchRepeats\":0,"), std::string::npos) << "nothing inherited";
  EXPECT_EQ(results[2].err.find("stored record"), std::string::npos) << results[2].err;
  // 4: the same hearts again; the stored record untouched.
  EXPECT_EQ(readFile(home / "same.svg"), many);
  // 5: the README's script: the pattern of forty hearts.
  const std::string pattern = readFile(home / "pattern.svg");
  EXPECT_NE(pattern.find("\"basicPattern\":true"), std::string::npos);
  EXPECT_NE(pattern.find("\"heartCount\":40,"), std::string::npos);
  EXPECT_EQ(readFile(stored), afterPreset);
  // 6 and 7: the presets and the fields.
  EXPECT_NE(results[5].out.find("\"Sketchy heart 1\"  sketchShift=10 sketchWeight=10 "
                                "sketchRepeats=7"),
            std::string::npos)
      << results[5].out;
  EXPECT_NE(results[6].out.find("sketchWeight"), std::string::npos);
  EXPECT_NE(results[6].out.find("tenths of a point"), std::string::npos);
}

}  // namespace
}  // namespace heart::testing
