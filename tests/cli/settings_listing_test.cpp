// Finding the settings: `heart fields`, `heart presets`, `heart dialog
// --help`, and the warning for a drawing with nothing on its page.
#include <gtest/gtest.h>

#include <sstream>

#include "command_runner.h"
#include "support/expected_heart_presets.h"

namespace heart::testing {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string squeezed(const std::string& line) {
  std::string out;
  for (char c : line)
    if (!(c == ' ' && !out.empty() && out.back() == ' ')) out += c;
  return out;
}

class Listing : public ::testing::Test {
 protected:
  CommandResult heart(const std::vector<std::string>& arguments) {
    return runHeart(arguments, scratch.path());
  }
  ScratchFolder scratch;
};

TEST_F(Listing, FieldsGivesEveryFieldWithUnitRangeDefaultItemAndPage) {
  CommandResult fields = heart({"fields"});
  ASSERT_EQ(fields.exitCode, 0) << fields.err;
  std::vector<std::string> lines = linesOf(fields.out);
  ASSERT_GE(lines.size(), 87u);
  EXPECT_EQ(squeezed(lines[0]), "FIELD UNIT RANGE DEFAULT ITEM PAGE");
  // Every one of the 85 words, in record order, then a blank line.
  EXPECT_EQ(lines[86], "");
  EXPECT_EQ(lines[1].substr(0, 13), "basicPattern ");
  EXPECT_EQ(lines[85].substr(0, 16), "hasDialogBounds ");
  const char* rows[] = {
      "sketchWeight tenths of a point 0 to 400 0 24 page 4 \"Create\"",
      "heartCount count 1 to 400 1 7 page 4 \"Create\"",
      "centerX points -5000 to 5000 view centre x - 200 4 page 4 \"Create\"",
      "centerY points -5000 to 5000 view centre y 5 page 4 \"Create\"",
      "preview switch true/false true 3 every page",
      "viewZoom percent 1 to 500 100 27 every page",
      "shapeTweaks[15] points -1500 to 1500 0 55 page 3 \"Tweak\"",
      "heartHeight points -1500 to 2500 100 11 page 1 \"Heart\"",
      "randomSketchShift switch true/false true 141 page 6 \"Settings1\"",
      "finalRun - 0 to 1 - - -",
      "hasDialogBounds - - 0 - -",
  };
  for (const char* row : rows) {
    bool found = false;
    for (const std::string& line : lines) found = found || squeezed(line) == row;
    EXPECT_TRUE(found) << row;
  }
  EXPECT_NE(fields.out.find("Tumble (61)"), std::string::npos);
}

TEST_F(Listing, PresetsGivesEveryEntryAndWhatItSets) {
  CommandResult presets = heart({"presets"});
  ASSERT_EQ(presets.exitCode, 0) << presets.err;
  std::vector<std::string> lines = linesOf(presets.out);
  ASSERT_EQ(lines.size(), 1u + 27u + 1u + 1u + 9u);
  EXPECT_EQ(lines[1], "  0  \"Reset\"  (the defaults)");
  EXPECT_EQ(lines[4], "  3  \"Taller heart\"  heartHeight=200");
  EXPECT_EQ(lines[12], "  11 \"Sketchy heart 1\"  sketchShift=10 sketchWeight=10 sketchRepeats=7");
  // The heart presets, the whole table of shape tweaks.
  const auto& tweaks = kExpectedHeartPresets;
  for (int n = 0; n < 9; ++n) {
    std::string expected =
        "  " + std::to_string(n + 1) + "  \"Heart " + std::to_string(n + 1) + "\"  ";
    std::string sets;
    for (int k = 0; k < 16; ++k) {
      if (tweaks[n][k] == 0) continue;
      if (!sets.empty()) sets += ' ';
      sets.append("shapeTweaks[").append(std::to_string(k)).append("]=");
      sets.append(std::to_string(tweaks[n][k]));
    }
    EXPECT_EQ(lines[30 + n], expected + (sets.empty() ? "(the defaults)" : sets));
  }
}

TEST_F(Listing, DialogHelpGivesEveryActionWithItsSyntax) {
  CommandResult help = heart({"dialog", "--help"});
  ASSERT_EQ(help.exitCode, 0);
  for (const char* syntax :
       {"set ITEM VALUE", "check ITEM on|off", "choose ITEM N", "choose ITEM \"TEXT\"",
        "press ITEM", "page N", "pick ITEM X Y [FLAGS]", "print", "confirm | ok", "cancel",
        "set heartCount 40", "check dropShadow on", "press Tumble"})
    EXPECT_NE(help.out.find(syntax), std::string::npos) << syntax;
}

TEST_F(Listing, ADrawingWithNothingOnItsPageIsWarnedAbout) {
  CommandResult empty = heart({"run", "--no-record", "--page", "10x10", "-o", "e.svg"});
  EXPECT_EQ(empty.exitCode, 0);
  EXPECT_NE(empty.err.find("warning: no part of the hearts lies on the 10x10 page"),
            std::string::npos)
      << empty.err;
  CommandResult drawn = heart({"run", "--no-record", "-o", "d.svg"});
  EXPECT_EQ(drawn.err.find("warning"), std::string::npos) << drawn.err;
  CommandResult aside = heart({"run", "--no-record", "--set", "centerX=5000", "-o", "x.svg"});
  EXPECT_NE(aside.err.find("warning: no part of the hearts lies on the 612x792 page"),
            std::string::npos)
      << aside.err;
}

}  // namespace
}  // namespace heart::testing
