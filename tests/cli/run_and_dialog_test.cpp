// `heart run` and `heart dialog`: one use of the filter from the command line,
// with the stored record, its edits, the dialog's actions and the drawing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "command_runner.h"

namespace heart::testing {
namespace {

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class RunCommand : public ::testing::Test {
 protected:
  CommandResult heart(std::vector<std::string> arguments) {
    return runHeart(arguments, scratch.path());
  }
  nlohmann::json storedRecord(const std::string& file = "r.rec") {
    CommandResult shown = heart({"record", "show", file});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    return nlohmann::json::parse(shown.out);
  }
  ScratchFolder scratch;
};

TEST_F(RunCommand, DrawsTheDefaultHeartAndStoresTheRecordForTheNextRun) {
  CommandResult first = heart({"run", "-o", "hearts.svg", "--record", "r.rec", "--seed", "5"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  std::string svg = readFile(scratch / "hearts.svg");
  EXPECT_EQ(countOf(svg, "<path"), 1u) << "the default record draws one heart";
  EXPECT_EQ(std::filesystem::file_size(scratch / "r.rec"), 340u);
  EXPECT_EQ(storedRecord()["heartCount"], 1);

  // An edit reaches the stored record, and the next run starts from it.
  ASSERT_EQ(heart({"run", "-o", "three.svg", "--record", "r.rec", "--set", "heartCount=3", "--set",
                   "dropShadow=1"})
                .exitCode,
            0);
  EXPECT_EQ(storedRecord()["heartCount"], 3);
  EXPECT_EQ(storedRecord()["dropShadow"], true);
  ASSERT_EQ(heart({"run", "-o", "again.svg", "--record", "r.rec"}).exitCode, 0);
  EXPECT_EQ(countOf(readFile(scratch / "again.svg"), "<path"), 6u) << "three hearts, three shadows";
}

TEST_F(RunCommand, FaultyEditsAreRefusedNamingTheFieldAndWriteNothing) {
  ASSERT_EQ(heart({"run", "-o", "first.svg", "--record", "r.rec", "--seed", "1"}).exitCode, 0);
  const std::string before = readFile(scratch / "r.rec");
  const struct {
    const char* edit;
    const char* named;
  } cases[] = {{"heartCount=nan", "heartCount"},
               {"heartCount=401", "heartCount"},
               {"slant=-361", "slant"},
               {"noSuchField=1", "noSuchField"},
               {"shapeTweaks[16]=0", "shapeTweaks[16]"},
               {"dropShadow=2", "dropShadow"}};
  for (const auto& c : cases) {
    CommandResult refused = heart({"run", "-o", "out.svg", "--record", "r.rec", "--set", c.edit});
    EXPECT_NE(refused.exitCode, 0) << c.edit;
    EXPECT_NE(refused.err.find(c.named), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "out.svg")) << c.edit;
    EXPECT_EQ(readFile(scratch / "r.rec"), before) << c.edit;
  }
  // An element of the shape tweaks can be edited on its own.
  ASSERT_EQ(
      heart({"run", "-o", "t.svg", "--record", "r.rec", "--set", "shapeTweaks[3]=12.5"}).exitCode,
      0);
  EXPECT_EQ(storedRecord()["shapeTweaks"][3], 12.5);
}

TEST_F(RunCommand, AStoredRecordOfTheWrongSizeIsRefusedAndKept) {
  writeFile(scratch / "r.rec", std::string(100, '\0'));
  CommandResult refused = heart({"run", "-o", "out.svg", "--record", "r.rec"});
  EXPECT_NE(refused.exitCode, 0);
  EXPECT_NE(refused.err.find("340"), std::string::npos) << refused.err;
  EXPECT_EQ(readFile(scratch / "r.rec"), std::string(100, '\0'));
  EXPECT_FALSE(std::filesystem::exists(scratch / "out.svg"));
}

TEST_F(RunCommand, ADrawingCarriesWhatRedrawsItExactly) {
  ASSERT_EQ(heart({"run", "--no-record", "--preset", "100 random fill line heart mix", "--seed",
                   "42", "-o", "a.svg"})
                .exitCode,
            0);
  CommandResult again = heart({"run", "--no-record", "--from", "a.svg", "-o", "b.svg"});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(readFile(scratch / "a.svg"), readFile(scratch / "b.svg"));
  EXPECT_GT(countOf(readFile(scratch / "a.svg"), "<path"), 100u);
  // A Tumble draws before the preview does: the drawing names where its run began.
  ASSERT_EQ(heart({"run", "--no-record", "--seed", "42", "--tumble", "-o", "t.svg"}).exitCode, 0);
  ASSERT_EQ(heart({"run", "--no-record", "--from", "t.svg", "-o", "t2.svg"}).exitCode, 0);
  EXPECT_EQ(readFile(scratch / "t.svg"), readFile(scratch / "t2.svg"));

  // The page, colour model and paint travel with the drawing too.
  ASSERT_EQ(
      heart({"run", "--no-record", "--set", "dropShadow=true", "--page", "400x500", "--color-model",
             "gray", "--fill", "gray:0.25", "--stroke-width", "3", "-o", "gray.svg"})
          .exitCode,
      0);
  ASSERT_EQ(heart({"run", "--no-record", "--from", "gray.svg", "-o", "gray2.svg"}).exitCode, 0);
  EXPECT_EQ(readFile(scratch / "gray.svg"), readFile(scratch / "gray2.svg"));
  EXPECT_NE(readFile(scratch / "gray2.svg").find("viewBox=\"0 0 400 500\""), std::string::npos);

  writeFile(scratch / "plain.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
  EXPECT_NE(heart({"run", "--no-record", "--from", "plain.svg", "-o", "c.svg"}).exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(scratch / "c.svg"));
}

TEST_F(RunCommand, DialogVerbsActThroughTheDialog) {
  // A settings entry by its text and by its number give the same drawing.
  ASSERT_EQ(heart({"run", "--no-record", "--preset", "Sketchy heart 1", "--seed", "3", "-o",
                   "byText.svg"})
                .exitCode,
            0);
  ASSERT_EQ(
      heart({"run", "--no-record", "--preset", "11", "--seed", "3", "-o", "byNumber.svg"}).exitCode,
      0);
  EXPECT_EQ(readFile(scratch / "byText.svg"), readFile(scratch / "byNumber.svg"));
  EXPECT_EQ(countOf(readFile(scratch / "byText.svg"), "<path"), 8u) << "a heart and 7 sketches";

  CommandResult unknown = heart({"run", "--no-record", "--preset", "Purple heart", "-o", "u.svg"});
  EXPECT_NE(unknown.exitCode, 0);
  EXPECT_NE(unknown.err.find("Purple heart"), std::string::npos) << unknown.err;
  EXPECT_FALSE(std::filesystem::exists(scratch / "u.svg"));

  // Boost twice and the preview turned off, kept in the stored record.
  ASSERT_EQ(heart({"run", "--record", "r.rec", "--boost", "--boost", "--no-preview",
                   "--heart-preset", "9", "-o", "boosted.svg"})
                .exitCode,
            0);
  nlohmann::json record = storedRecord();
  EXPECT_EQ(record["heartHeight"], 110.0);
  EXPECT_EQ(record["curveDistanceRight"], 74.0);
  EXPECT_EQ(record["preview"], false);
  EXPECT_EQ(record["heartPreset"], 8);
  EXPECT_EQ(record["shapeTweaks"][9], -100.0);
  EXPECT_NE(heart({"run", "--no-record", "--heart-preset", "10", "-o", "h.svg"}).exitCode, 0);
}

TEST_F(RunCommand, DocumentOptionsAndPictures) {
  SKIP_WITHOUT_PNG_OUTPUT();
  ASSERT_EQ(heart({"run", "--no-record", "--page", "300x200", "--color-model", "cmyk", "--fill",
                   "cmyk:0,1,1,0", "-o", "small.svg"})
                .exitCode,
            0);
  std::string svg = readFile(scratch / "small.svg");
  EXPECT_NE(svg.find("viewBox=\"0 0 300 200\""), std::string::npos);

  ASSERT_EQ(heart({"run", "--no-record", "-o", "hearts.png"}).exitCode, 0);
  EXPECT_EQ(readFile(scratch / "hearts.png").substr(1, 3), "PNG");

  for (std::vector<std::string> faulty : {std::vector<std::string>{"--page", "0x100"},
                                          {"--page", "wide"},
                                          {"--color-model", "hsv"},
                                          {"--fill", "rgb:1,2,0"},
                                          {"--stroke", "#12345"},
                                          {"--random-values", "missing.txt"}}) {
    std::vector<std::string> arguments{"run", "--no-record", "-o", "bad.svg"};
    arguments.insert(arguments.end(), faulty.begin(), faulty.end());
    CommandResult refused = heart(arguments);
    EXPECT_NE(refused.exitCode, 0) << faulty[0];
    EXPECT_FALSE(refused.err.empty()) << faulty[0];
    EXPECT_FALSE(std::filesystem::exists(scratch / "bad.svg")) << faulty[0];
  }
}

// A PNG's width and height, from its header.
std::pair<uint32_t, uint32_t> pngDimensions(const std::string& png) {
  auto word = [&png](size_t at) {
    uint32_t value = 0;
    for (size_t i = at; i < at + 4 && i < png.size(); ++i)
      value = value << 8 | static_cast<unsigned char>(png[i]);
    return value;
  };
  return {word(16), word(20)};
}

TEST_F(RunCommand, APngIsAsLargeAsAskedAndAPictureTooLargeIsRefusedBeforeDrawing) {
  SKIP_WITHOUT_PNG_OUTPUT();
  ASSERT_EQ(heart({"run", "--no-record", "--dpi", "300", "-o", "fine.png"}).exitCode, 0);
  EXPECT_EQ(pngDimensions(readFile(scratch / "fine.png")), std::make_pair(2550u, 3300u));
  ASSERT_EQ(heart({"run", "--no-record", "--page", "A4", "--height", "500", "--background", "NONE",
                   "-o", "small.png"})
                .exitCode,
            0);
  // A4 is 595.3 x 841.9 points: 353.5 x 500 pixels, to the nearest pixel.
  EXPECT_EQ(pngDimensions(readFile(scratch / "small.png")), std::make_pair(354u, 500u));

  CommandResult huge = heart({"run", "--no-record", "--dpi", "3000", "-o", "huge.png"});
  EXPECT_EQ(huge.exitCode, 2);
  EXPECT_NE(huge.err.find("25500 x 33000 pixels"), std::string::npos) << huge.err;
  EXPECT_FALSE(std::filesystem::exists(scratch / "huge.png"));
  for (std::vector<std::string> faulty : {std::vector<std::string>{"--dpi", "300", "-o", "a.svg"},
                                          {"--background", "pink", "-o", "a.png"},
                                          {"--dpi", "300", "--width", "40", "-o", "a.png"},
                                          {"--width", "0", "-o", "a.png"}}) {
    std::vector<std::string> arguments{"run", "--no-record"};
    arguments.insert(arguments.end(), faulty.begin(), faulty.end());
    EXPECT_EQ(heart(arguments).exitCode, 2) << faulty[0] << " " << faulty[1];
  }
  EXPECT_FALSE(std::filesystem::exists(scratch / "a.png"));
  EXPECT_FALSE(std::filesystem::exists(scratch / "a.svg"));
}

TEST_F(RunCommand, FixedRandomValuesGiveTheSameHeartsEveryTime) {
  writeFile(scratch / "values.txt", "0.25\n0.75\n0.5\n0.125\n");
  for (const char* out : {"one.svg", "two.svg"})
    ASSERT_EQ(heart({"run", "--no-record", "--set", "heartCount=5", "--set", "placementMode=2",
                     "--random-values", "values.txt", "-o", out})
                  .exitCode,
              0);
  EXPECT_EQ(readFile(scratch / "one.svg"), readFile(scratch / "two.svg"));
}

class DialogCommand : public RunCommand {};

TEST_F(DialogCommand, AScriptDrivesTheDialogAndTheDrawing) {
  writeFile(scratch / "hearts.script",
            "# a dozen hearts with shadows\n"
            "page 4\n"
            "set heartCount 12\n"
            "choose placementMode \"Place heart at center of document\"\n"
            "page 5\n"
            "check dropShadow on\n"
            "press Boost\n"
            "print\n"
            "confirm\n");
  CommandResult run =
      heart({"dialog", "--script", "hearts.script", "--record", "r.rec", "-o", "d.svg"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  nlohmann::json state = nlohmann::json::parse(run.out);
  bool sawCount = false;
  for (const auto& item : state["items"])
    if (item["id"] == 7) {
      sawCount = true;
      EXPECT_EQ(item["value"], 12);
    }
  EXPECT_TRUE(sawCount);
  nlohmann::json record = storedRecord();
  EXPECT_EQ(record["heartCount"], 12);
  EXPECT_EQ(record["placementMode"], 1);
  EXPECT_EQ(record["dropShadow"], true);
  EXPECT_EQ(record["currentPage"], 5);
  EXPECT_EQ(record["heartHeight"], 105.0);
  EXPECT_EQ(countOf(readFile(scratch / "d.svg"), "<path"), 24u);
}

TEST_F(DialogCommand, ScriptErrorsNameTheLineAndWriteNothing) {
  ASSERT_EQ(heart({"run", "-o", "first.svg", "--record", "r.rec"}).exitCode, 0);
  const std::string before = readFile(scratch / "r.rec");
  const struct {
    const char* script;
    const char* says;
  } cases[] = {{"page 2\nset 17 abc\n", "line 2"},
               {"page 2\n\nset heartHeight 50\n", "line 3"},  // hidden on page 2
               {"frobnicate 3\n", "line 1"},
               {"set 999 1\n", "line 1"},
               {"page 4\nchoose 10 \"Nowhere\"\n", "line 2"},
               {"page 6\ncheck 135 maybe\n", "line 2"},
               {"page 7\n", "line 1"}};
  for (const auto& c : cases) {
    writeFile(scratch / "bad.script", c.script);
    CommandResult refused =
        heart({"dialog", "--script", "bad.script", "--record", "r.rec", "-o", "out.svg"});
    EXPECT_NE(refused.exitCode, 0) << c.script;
    EXPECT_NE(refused.err.find(c.says), std::string::npos) << c.script << refused.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "out.svg")) << c.script;
    EXPECT_EQ(readFile(scratch / "r.rec"), before) << c.script;
  }
  EXPECT_NE(heart({"dialog", "--script", "missing.script", "-o", "out.svg"}).exitCode, 0);
}

TEST_F(DialogCommand, CancelWritesNothingAndKeepsTheRecord) {
  ASSERT_EQ(heart({"run", "-o", "first.svg", "--record", "r.rec"}).exitCode, 0);
  const std::string before = readFile(scratch / "r.rec");
  writeFile(scratch / "cancel.script", "page 3\nchoose heartPreset 4\npress Tumble\ncancel\n");
  CommandResult cancelled =
      heart({"dialog", "--script", "cancel.script", "--record", "r.rec", "-o", "out.svg"});
  EXPECT_EQ(cancelled.exitCode, 3) << cancelled.err;
  EXPECT_NE(cancelled.err.find("cancelled"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(scratch / "out.svg"));
  EXPECT_EQ(readFile(scratch / "r.rec"), before);
}

}  // namespace
}  // namespace heart::testing
