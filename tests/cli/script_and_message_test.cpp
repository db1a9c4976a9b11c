// Dialog scripts and the messages of `heart`: comments, the end of the
// dialog, values the fields limit, names instead of item numbers, escaped
// junk and the documented exit codes.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "command_runner.h"
#include "dialog_actions.h"
#include "plugin/params/dialog_pages.h"

namespace heart::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kFailure = 1, kUsage = 2, kCancelled = 3;

class ScriptCommand : public ::testing::Test {
 protected:
  CommandResult heart(const std::vector<std::string>& arguments) {
    return runHeart(arguments, scratch.path());
  }
  CommandResult script(const std::string& text, std::vector<std::string> more = {}) {
    writeFile(scratch / "s.script", text);
    std::vector<std::string> arguments{"dialog", "--script", "s.script", "--record",
                                       "r.rec",  "-o",       "out.svg"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return heart(arguments);
  }
  nlohmann::json record() {
    CommandResult shown = heart({"record", "show", "r.rec"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    return nlohmann::json::parse(shown.out, nullptr, false);
  }
  ScratchFolder scratch;
};

// The README's dialog script, taken from the README as it stands.
std::string readmeScript() {
  std::ifstream in(std::string(HEART_SOURCE_DIR) + "/README.md");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t start = text.find("```text\n");
  if (start == std::string::npos) return "";
  start += 8;
  return text.substr(start, text.find("```", start) - start);
}

TEST_F(ScriptCommand, TheReadmeScriptRunsVerbatim) {
  std::string text = readmeScript();
  ASSERT_NE(text.find("confirm"), std::string::npos) << "the README holds no dialog script";
  CommandResult run = script(text, {"--seed", "21"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(nlohmann::json::accept(run.out)) << "print shows the dialog's state as JSON";
  nlohmann::json stored = record();
  EXPECT_EQ(stored["heartCount"], 40);
  EXPECT_EQ(stored["basicPattern"], true);
  EXPECT_EQ(stored["dropShadow"], true);
}

TEST(ScriptParsing, CommentsStartAnywhereOutsideQuotedText) {
  auto actions = cli::parseDialogScript(
      "page 4   # the Create page\n"
      "set heartCount 12#twelve\n"
      "choose placementMode \"Odd # name\" # a comment\n"
      "   # only a comment\n"
      "confirm # done\n");
  ASSERT_TRUE(actions) << actions.error();
  ASSERT_EQ(actions->size(), 4u);
  EXPECT_EQ((*actions)[0].number, 4);
  EXPECT_EQ((*actions)[1].number, 12);
  EXPECT_EQ((*actions)[1].line, 2);
  EXPECT_EQ((*actions)[2].text, "Odd # name");
  EXPECT_EQ((*actions)[3].kind, cli::DialogAction::Kind::Confirm);
  EXPECT_EQ((*actions)[3].line, 5);
}

// The help's list of pages is written out for its layout: it must name each
// page by the number and name the dialog's captions show.
TEST(ScriptParsing, TheHelpNamesThePagesAsTheDialogDoes) {
  const std::string help = cli::kDialogScriptHelp;
  const size_t start = help.find("show page N (");
  ASSERT_NE(start, std::string::npos);
  std::string listed = help.substr(start, help.find(')', start) - start);
  listed.erase(0, listed.find('(') + 1);
  std::string expected;
  for (int page = 1; page <= kDialogPageCount; ++page)
    expected += (page > 1 ? ", " : "") + std::to_string(page) + " " + kDialogPages[page - 1].name;
  std::string squeezed;
  for (char c : listed)
    if (c != '\n' && !(c == ' ' && !squeezed.empty() && squeezed.back() == ' ')) squeezed += c;
  EXPECT_EQ(squeezed, expected);
}

TEST(ScriptParsing, AQuoteLeftOpenIsRefusedOnItsLine) {
  auto actions = cli::parseDialogScript("page 4\n\nchoose placementMode \"Odd # name\n");
  ASSERT_FALSE(actions);
  EXPECT_EQ(actions.error(), "line 3: a quoted text is not closed");
}

TEST(ScriptParsing, NothingMayFollowConfirmOrCancel) {
  for (const char* end : {"confirm", "ok", "cancel"}) {
    std::string text = std::string("page 4\n") + end + "\n\n# fine\nset heartCount 3\n";
    auto actions = cli::parseDialogScript(text);
    ASSERT_FALSE(actions) << end;
    const std::string& error = actions.error();
    EXPECT_NE(error.find("line 5"), std::string::npos) << error;
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  }
}

TEST_F(ScriptCommand, AValueTheFieldLimitsIsReported) {
  CommandResult run = script("page 4\nset heartCount 100000\nset 4 -9000.5\nconfirm\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find("line 2: heartCount (on page 4 \"Create\"): typed 100000, the field "
                         "keeps 400 (its range is 1 to 400)"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 3: centerX (on page 4 \"Create\"): typed -9000.5, the field keeps "
                         "-5000"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(record()["heartCount"], 400);
  EXPECT_EQ(record()["centerX"], -5000.0);

  CommandResult inRange = script("page 4\nset heartCount 400\nconfirm\n");
  EXPECT_EQ(inRange.err.find("keeps"), std::string::npos) << inRange.err;
}

TEST_F(ScriptCommand, MessagesNameFieldsPagesAndLists) {
  const struct {
    const char* script;
    const char* says;
  } cases[] = {
      {"set heartCount 5\n",
       "line 1: heartCount (on page 4 \"Create\") is not shown: its page is "
       "not open (add \"page 4\" before this line)"},
      {"page 4\nset sketchWeight 5\n", "line 2: sketchWeight (on page 4 \"Create\") is disabled"},
      {"page 4\nset heartCount 2.5\n", "heartCount (on page 4 \"Create\") takes a whole number"},
      {"page 4\nchoose placementMode 12\n", "the placement list has no entry at position 12"},
      {"choose settingsPreset \"No such preset\"\n", "the settings list has no entry \"No such"},
      {"set 999 1\n", "the options dialog has no dialog item 999"},
  };
  for (const auto& c : cases) {
    CommandResult refused = script(c.script);
    EXPECT_EQ(refused.exitCode, kFailure) << c.script;
    EXPECT_NE(refused.err.find(c.says), std::string::npos) << c.script << refused.err;
    EXPECT_FALSE(std::regex_search(refused.err, std::regex("(item|list) (10|11|7|24|65)\\b")))
        << refused.err;
    EXPECT_FALSE(fs::exists(scratch / "out.svg"));
  }

  CommandResult preset = heart({"run", "--no-record", "--preset", "No such preset", "-o", "a.svg"});
  // A faulty --preset is a faulty command line.
  EXPECT_EQ(preset.exitCode, kUsage);
  EXPECT_EQ(preset.err.find("65"), std::string::npos) << preset.err;
  EXPECT_NE(preset.err.find("the settings list has no entry \"No such preset\""), std::string::npos)
      << preset.err;
  CommandResult nearMiss =
      heart({"run", "--no-record", "--preset", "Skechy heart 2", "-o", "a.svg"});
  EXPECT_EQ(nearMiss.exitCode, kUsage);
  EXPECT_NE(nearMiss.err.find("has no entry \"Skechy heart 2\"; did you mean \"Sketchy heart 2\"?"),
            std::string::npos)
      << nearMiss.err;

  // Preset names in any case.
  ASSERT_EQ(
      heart({"run", "--record", "r.rec", "--preset", "sKETCHY HEART 1", "-o", "a.svg"}).exitCode,
      0);
  EXPECT_EQ(record()["settingsPreset"], 11);
}

// An item the user cannot reach is named by its field and page, in that
// order of questions: is it shown, is it enabled; an item in reach that
// cannot take the action is refused in the dialog manager's words. Item 95
// is both the page-6 button and the page-1 caption: the button takes the
// press, and what neither can take is refused for the button, the first.
TEST_F(ScriptCommand, EachRefusalSaysWhyAndWritesNothing) {
  const struct {
    const char* script;
    const char* says;
  } cases[] = {
      {"set heartCount 5\n",
       "line 1: heartCount (on page 4 \"Create\") is not shown: its page is not open (add \"page "
       "4\" before this line)"},
      {"set dropShadow 1\n",
       "line 1: dropShadow (on page 5 \"Settings\") is not shown: its page is not open (add \"page "
       "5\" before this line)"},
      {"page 5\nset dropShadow 1\n",
       "line 2: set item 126 to 1: item 126 is ADM Text Check Box Type, not a spin edit"},
      {"page 5\ncheck randomShadowDirection on\n",
       "line 2: randomShadowDirection (on page 5 \"Settings\") is disabled at this point"},
      {"page 5\nset randomShadowDirection 1\n",
       "line 2: randomShadowDirection (on page 5 \"Settings\") is disabled at this point"},
      {"set Shuffle 1\n",
       "line 1: set item 60 to 1: item 60 is ADM Text Push Button Type, not a spin edit"},
      {"press 70\n", "line 1: press item 70: item 70 is ADM Text Static Type, not a push button"},
      {"page 2\npress 70\n", "line 2: dialog item 70 is not shown on the open page"},
      {"pick 167 300 400\n", "line 1: dialog item 167 is not shown on the open page"},
      {"check 95 on\n",
       "line 1: check item 95: item 95 is ADM Picture Push Button Type, not a check box"},
      {"page 6\nchoose 95 0\n",
       "line 2: choose entry 0 of item 95: item 95 is ADM Picture Push Button Type, not a popup "
       "list"},
      {"press 100\n",
       "line 1: press item 100: item 100 is ADM Text Static Type, not a push button"},
      {"page 3\nset 999 1\n", "line 2: the options dialog has no dialog item 999"},
      // No field is named for item 0, though the words without an item hold 0.
      {"press 0\n", "line 1: the options dialog has no dialog item 0"},
  };
  for (const auto& c : cases) {
    writeFile(scratch / "s.script", c.script);
    CommandResult refused =
        heart({"dialog", "--script", "s.script", "--no-record", "-o", "out.svg"});
    EXPECT_EQ(refused.exitCode, kFailure) << c.script;
    EXPECT_EQ(refused.err, std::string("heart dialog: ") + c.says + "; nothing was written\n")
        << c.script;
    EXPECT_EQ(refused.out, "") << c.script;
    EXPECT_FALSE(fs::exists(scratch / "out.svg")) << c.script;
  }
  // The page-6 button takes a press on 95 on any page, the caption's too.
  for (const char* text : {"press 95\nprint\nconfirm\n", "page 1\npress 95\nprint\nconfirm\n"}) {
    CommandResult pressed = script(text);
    ASSERT_EQ(pressed.exitCode, 0) << pressed.err;
    EXPECT_EQ(record()["currentPage"], 6) << text;
  }
}

TEST_F(ScriptCommand, RangeNotNotationDecidesAWholeNumber) {
  CommandResult big = heart({"run", "--no-record", "--set", "heartCount=1e9", "-o", "a.svg"});
  EXPECT_EQ(big.exitCode, kUsage);
  EXPECT_NE(big.err.find("outside its range 1 to 400"), std::string::npos) << big.err;
  CommandResult half = heart({"run", "--no-record", "--set", "heartCount=2.5", "-o", "a.svg"});
  EXPECT_NE(half.err.find("must be a whole number"), std::string::npos) << half.err;
  ASSERT_EQ(heart({"run", "--record", "r.rec", "--set", "heartCount=2e1", "-o", "a.svg"}).exitCode,
            0);
  EXPECT_EQ(record()["heartCount"], 20);
}

TEST_F(ScriptCommand, JunkIsShownEscapedAndExitCodesAreDocumented) {
  CommandResult junk = script("\x1b[31mred\x07 thing\n");
  EXPECT_EQ(junk.exitCode, kFailure);
  EXPECT_EQ(junk.err.find('\x1b'), std::string::npos) << "no raw escape reaches the terminal";
  EXPECT_NE(junk.err.find("\\x1b[31mred\\x07"), std::string::npos) << junk.err;

  EXPECT_EQ(heart({"run", "--no-such-option"}).exitCode, kUsage);
  EXPECT_EQ(heart({"run", "--seed", "many"}).exitCode, kUsage);
  EXPECT_EQ(heart({"frobnicate"}).exitCode, kUsage);
  EXPECT_EQ(heart({"dialog"}).exitCode, kUsage) << "--script is required";
  EXPECT_EQ(heart({"run", "--page", "0x10", "-o", "a.svg"}).exitCode, kUsage);
  EXPECT_EQ(heart({"--help"}).exitCode, 0);
  CommandResult cancelled = script("cancel\n");
  EXPECT_EQ(cancelled.exitCode, kCancelled);
  EXPECT_NE(cancelled.err.find("cancelled; nothing was written"), std::string::npos);
  EXPECT_FALSE(fs::exists(scratch / "out.svg"));
  EXPECT_EQ(heart({"record", "show", "missing.rec"}).exitCode, kFailure);
}

}  // namespace
}  // namespace heart::testing
