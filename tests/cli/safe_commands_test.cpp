// The `heart` command as a designer meets it: every verb keeps its inputs,
// outputs keep what their names stand for, formats follow the name, and the
// stored record is told about and kept.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <thread>

#include "command_runner.h"

namespace heart::testing {
namespace {

namespace fs = std::filesystem;

constexpr int kUsage = 2;

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

bool isPng(const std::string& bytes) { return bytes.rfind("\x89PNG\r\n\x1a\n", 0) == 0; }
bool isSvg(const std::string& bytes) { return bytes.find("<svg") != std::string::npos; }

class SafeCommand : public ::testing::Test {
 protected:
  CommandResult heart(const std::vector<std::string>& arguments) {
    return runHeart(arguments, scratch.path());
  }
  nlohmann::json recordOf(const std::string& file) {
    CommandResult shown = heart({"record", "show", file});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    return nlohmann::json::parse(shown.out, nullptr, false);
  }
  ScratchFolder scratch;
};

TEST_F(SafeCommand, NoVerbWritesOverItsOwnInput) {
  ASSERT_EQ(heart({"record", "defaults", "-o", "r.rec"}).exitCode, 0);
  ASSERT_EQ(heart({"record", "show", "r.rec", "-o", "r.json"}).exitCode, 0);
  fs::create_hard_link(scratch / "r.rec", scratch / "same.rec");
  writeFile(scratch / "s.svg", "confirm\n");
  writeFile(scratch / "v.svg", "0.5\n");
  ASSERT_EQ(heart({"run", "--no-record", "--seed", "4", "-o", "d.svg"}).exitCode, 0);
  const std::string rec = readFile(scratch / "r.rec"), json = readFile(scratch / "r.json"),
                    drawing = readFile(scratch / "d.svg");
  const std::vector<std::vector<std::string>> refused{
      {"record", "show", "r.rec", "-o", "r.rec"},
      {"record", "show", "r.rec", "-o", "same.rec"},
      {"record", "pack", "r.json", "-o", "r.json"},
      {"run", "--record", "r.rec", "-o", "same.rec", "--format", "svg"},
      {"run", "--record", "new.svg", "-o", "new.svg"},
      {"run", "--no-record", "--from", "d.svg", "-o", "d.svg"},
      {"run", "--no-record", "--random-values", "v.svg", "-o", "v.svg"},
      {"dialog", "--script", "s.svg", "--no-record", "-o", "s.svg"},
      {"dialog", "--script", "s.svg", "--record", "s.svg", "-o", "x.svg"},
      {"studio", "--no-record", "--from", "d.svg", "-o", "d.svg", "--no-browser"},
      {"studio", "--record", "r.rec", "-o", "same.rec", "--format", "svg", "--no-browser"},
  };
  for (const auto& arguments : refused) {
    if (arguments[0] == "studio" && !hasStudio()) continue;
    CommandResult result = heart(arguments);
    std::string shown;
    for (const std::string& a : arguments) shown += a + " ";
    EXPECT_EQ(result.exitCode, kUsage) << shown << result.err;
    EXPECT_NE(result.err.find("same file"), std::string::npos) << shown << result.err;
  }
  EXPECT_EQ(readFile(scratch / "r.rec"), rec);
  EXPECT_EQ(readFile(scratch / "r.json"), json);
  EXPECT_EQ(readFile(scratch / "d.svg"), drawing);
  EXPECT_EQ(readFile(scratch / "s.svg"), "confirm\n");
  EXPECT_EQ(readFile(scratch / "v.svg"), "0.5\n");
  EXPECT_FALSE(fs::exists(scratch / "new.svg"));
  EXPECT_FALSE(fs::exists(scratch / "x.svg"));
}

TEST_F(SafeCommand, AStudioNoBrowserOpensEndsCancelledAndWritesNothing) {
  SKIP_WITHOUT_STUDIO();
  ASSERT_EQ(heart({"record", "defaults", "-o", "r.rec"}).exitCode, 0);
  const std::string rec = readFile(scratch / "r.rec");
  CommandResult result = heart({"studio", "--record", "r.rec", "-o", "d.svg", "--no-browser",
                                "--first-contact-timeout", "0.5"});
  EXPECT_EQ(result.exitCode, 3) << result.err;
  EXPECT_NE(result.out.find("http://127.0.0.1:"), std::string::npos) << result.out;
  EXPECT_NE(result.err.find("no browser opened the page"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(scratch / "d.svg"));
  EXPECT_EQ(readFile(scratch / "r.rec"), rec);
}

// Links, fifos and devices as POSIX systems have them.
#ifndef _WIN32
TEST_F(SafeCommand, OutputsKeepLinksFifosAndDevices) {
  SKIP_WITHOUT_PNG_OUTPUT();
  fs::create_directory(scratch / "dotfiles");
  ASSERT_EQ(heart({"record", "defaults", "-o", "dotfiles/heart.rec"}).exitCode, 0);
  fs::create_symlink("dotfiles/heart.rec", scratch / "stored.rec");
  fs::create_symlink("dotfiles/drawing.svg", scratch / "link.svg");
  CommandResult run = heart(
      {"run", "--record", "stored.rec", "--set", "heartCount=3", "--seed", "2", "-o", "link.svg"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(fs::is_symlink(scratch / "stored.rec"));
  EXPECT_TRUE(fs::is_symlink(scratch / "link.svg"));
  EXPECT_EQ(recordOf("dotfiles/heart.rec")["heartCount"], 3);
  EXPECT_EQ(countOf(readFile(scratch / "dotfiles" / "drawing.svg"), "<path"), 3u);

  ASSERT_EQ(heart({"run", "--no-record", "-o", "/dev/null"}).exitCode, kUsage)
      << "a name without .svg or .png needs --format";
  CommandResult intoNull = heart({"run", "--no-record", "--format", "svg", "-o", "/dev/null"});
  EXPECT_EQ(intoNull.exitCode, 0) << intoNull.err;
  struct stat status {};
  ASSERT_EQ(::stat("/dev/null", &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));

  fs::path fifo = scratch / "pipe.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = readFile(fifo); });
  CommandResult intoFifo = heart({"run", "--no-record", "-o", "pipe.png"});
  reader.join();
  EXPECT_EQ(intoFifo.exitCode, 0) << intoFifo.err;
  EXPECT_TRUE(isPng(received));
  EXPECT_TRUE(fs::is_fifo(fifo));

  CommandResult toStdout = heart({"run", "--no-record", "-o", "-"});
  EXPECT_EQ(toStdout.exitCode, 0) << toStdout.err;
  EXPECT_TRUE(isSvg(toStdout.out));
  EXPECT_TRUE(isPng(heart({"run", "--no-record", "--format", "PNG", "-o", "-"}).out));

  // Refused before the hearts are drawn: the stored record is not saved.
  CommandResult noFolder =
      heart({"run", "--record", "kept.rec", "--set", "heartCount=400", "-o", "missing/h.svg"});
  EXPECT_EQ(noFolder.exitCode, 1);
  EXPECT_FALSE(fs::exists(scratch / "kept.rec"));
  EXPECT_NE(noFolder.err.find("cannot write missing/h.svg: its folder missing does not exist"),
            std::string::npos)
      << noFolder.err;
}
#endif

TEST_F(SafeCommand, TheFormatFollowsTheExtensionInAnyCase) {
  SKIP_WITHOUT_PNG_OUTPUT();
  for (const char* name : {"a.PNG", "b.Png", "c.png"}) {
    ASSERT_EQ(heart({"run", "--no-record", "-o", name}).exitCode, 0) << name;
    EXPECT_TRUE(isPng(readFile(scratch / name))) << name;
  }
  for (const char* name : {"d.SVG", "e.svg"}) {
    ASSERT_EQ(heart({"run", "--no-record", "-o", name}).exitCode, 0) << name;
    EXPECT_TRUE(isSvg(readFile(scratch / name))) << name;
  }
  ASSERT_EQ(heart({"run", "--no-record", "--format", "png", "-o", "forced.svg"}).exitCode, 0);
  EXPECT_TRUE(isPng(readFile(scratch / "forced.svg")));

  // Refused before anything runs: nothing written, the stored record untouched.
  for (std::vector<std::string> arguments : {std::vector<std::string>{"-o", "out.jpg"},
                                             {"-o", "out.svgz"},
                                             {"-o", "noextension"},
                                             {"-o", ""},
                                             {"--format", "gif", "-o", "out.svg"}}) {
    arguments.insert(arguments.begin(), "run");
    CommandResult refused = heart(arguments);
    EXPECT_EQ(refused.exitCode, kUsage) << arguments[2] << refused.err;
    EXPECT_FALSE(refused.err.empty());
  }
  for (const char* name : {"out.jpg", "out.svgz", "noextension", "out.svg"})
    EXPECT_FALSE(fs::exists(scratch / name)) << name;
  EXPECT_FALSE(fs::exists(scratch / ".config")) << "no record was saved";
}

// A build without PNG output (no cairo for its platform) refuses a PNG by
// name or by --format before anything runs, says why, and still writes SVG.
TEST_F(SafeCommand, ABuildWithoutPngOutputRefusesPngAndWritesSvg) {
  if (canWritePng()) GTEST_SKIP() << "this build draws PNG pictures";
  for (std::vector<std::string> arguments :
       {std::vector<std::string>{"-o", "a.png"}, {"--format", "png", "-o", "b.svg"}}) {
    arguments.insert(arguments.begin(), {"run", "--no-record"});
    CommandResult refused = heart(arguments);
    EXPECT_EQ(refused.exitCode, kUsage) << refused.err;
    EXPECT_NE(refused.err.find("draws no PNG pictures"), std::string::npos) << refused.err;
  }
  EXPECT_FALSE(fs::exists(scratch / "a.png"));
  EXPECT_FALSE(fs::exists(scratch / "b.svg"));
  ASSERT_EQ(heart({"run", "--no-record", "-o", "c.svg"}).exitCode, 0);
  EXPECT_TRUE(isSvg(readFile(scratch / "c.svg")));
}

TEST_F(SafeCommand, TheStoredRecordIsToldAndFromDoesNotReplaceIt) {
#ifdef _WIN32
  const std::string stored = (scratch / "heart" / "Norv_Heart.record").string();
#else
  const std::string stored = (scratch / ".config" / "heart" / "Norv_Heart.record").string();
#endif
  CommandResult first = heart({"run", "-o", "one.svg"});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_NE(first.err.find("no stored record at " + stored), std::string::npos) << first.err;
  EXPECT_NE(first.err.find("saved the stored record " + stored), std::string::npos) << first.err;

  CommandResult second = heart({"run", "--set", "heartCount=2", "-o", "two.svg"});
  EXPECT_NE(second.err.find("read the stored record " + stored), std::string::npos) << second.err;
  const std::string bytes = readFile(stored);

  CommandResult quiet = heart({"run", "--quiet", "-o", "q.svg"});
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "");

  // --from draws the drawing's record without reading or saving the stored one.
  ASSERT_EQ(heart({"run", "--no-record", "--set", "heartCount=5", "-o", "five.svg"}).exitCode, 0);
  CommandResult redraw = heart({"run", "--from", "five.svg", "-o", "again.svg"});
  ASSERT_EQ(redraw.exitCode, 0) << redraw.err;
  EXPECT_EQ(redraw.err.find("stored record"), std::string::npos) << redraw.err;
  EXPECT_EQ(readFile(stored), bytes);
  EXPECT_EQ(countOf(readFile(scratch / "again.svg"), "<path"), 5u);

  CommandResult saved = heart({"run", "--from", "five.svg", "--save-record", "-o", "b.svg"});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_NE(saved.err.find("saved the stored record"), std::string::npos);
  EXPECT_EQ(recordOf(stored)["heartCount"], 5);
}

TEST_F(SafeCommand, SetIsAppliedOnTopOfPresetsAndButtons) {
  // The preset's and Tumble's own values first, then the --set edits, drawn
  // and stored.
  for (std::vector<std::string> action : {std::vector<std::string>{"--preset", "Sketchy heart 1"},
                                          {"--tumble"},
                                          {"--tumble", "--no-preview"},
                                          {"--heart-preset", "4"}}) {
    std::vector<std::string> arguments{"run",   "--record",      "r.rec", "--seed", "9",
                                       "--set", "heartCount=20", "-o",    "set.svg"};
    arguments.insert(arguments.end(), action.begin(), action.end());
    CommandResult run = heart(arguments);
    ASSERT_EQ(run.exitCode, 0) << action[0] << run.err;
    nlohmann::json record = recordOf("r.rec");
    EXPECT_EQ(record["heartCount"], 20) << action[0];
    // The drawing holds 20 hearts (and their sketch copies for the preset).
    size_t paths = countOf(readFile(scratch / "set.svg"), "<path");
    int sketches = record["sketchRepeats"].get<int>();
    EXPECT_EQ(paths, 20u * (1 + static_cast<size_t>(sketches))) << action[0];
    std::filesystem::remove(scratch / "r.rec");
  }
  // Without the edit, the preset's own count stands.
  ASSERT_EQ(
      heart({"run", "--record", "r.rec", "--preset", "Sketchy heart 1", "-o", "p.svg"}).exitCode,
      0);
  EXPECT_EQ(recordOf("r.rec")["heartCount"], 1);
}

TEST_F(SafeCommand, FromMetadataIsCheckedLikeTheCommandLine) {
  ASSERT_EQ(heart({"run", "--no-record", "--seed", "1", "-o", "good.svg"}).exitCode, 0);
  const std::string good = readFile(scratch / "good.svg");
  auto edited = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    writeFile(scratch / "bad.svg", text);
    return heart({"run", "--no-record", "-o", "out.svg", "--from", "bad.svg"});
  };
  const struct {
    const char* from;
    const char* to;
    const char* says;
  } cases[] = {
      {"\"strokeWidth\":1.0", "\"strokeWidth\":-7", "the stroke width is -7, not a finite width"},
      {"\"fill\":{\"c\":[1.0,1.0,1.0,0.0]", "\"fill\":{\"c\":[7.0,1.0,1.0,0.0]",
       "the fill: component 1 is 7, not a number from 0 to 1"},
      {"\"stroke\":{\"c\":[0.0,0.0,0.0,0.0]", "\"stroke\":{\"c\":[0.0,-3.0,0.0,0.0]",
       "the stroke: component 2 is -3, not a number from 0 to 1"},
      {"\"kind\":5", "\"kind\":42",
       "the fill: colour kind 42 is not none (6), gray (0), rgb (5) or cmyk (1)"},
      {"\"colorModel\":1", "\"colorModel\":9",
       "colour model 9 is not gray (0), rgb (1) or cmyk (2)"},
      {"\"pageWidth\":612.0", "\"pageWidth\":-612", "the page size -612x792"},
  };
  for (const auto& c : cases) {
    CommandResult refused = edited(c.from, c.to);
    EXPECT_EQ(refused.exitCode, 1) << c.to;
    EXPECT_NE(refused.err.find("bad.svg: "), std::string::npos) << c.to << refused.err;
    EXPECT_NE(refused.err.find(c.says), std::string::npos) << c.to << refused.err;
    EXPECT_FALSE(fs::exists(scratch / "out.svg")) << c.to;
  }
  // The same values on the command line meet the same rules and words.
  CommandResult fill = heart({"run", "--no-record", "--fill", "rgb:7,0,0", "-o", "out.svg"});
  EXPECT_EQ(fill.exitCode, kUsage);
  EXPECT_NE(fill.err.find("component 1 is 7, not a number from 0 to 1"), std::string::npos)
      << fill.err;
  CommandResult width = heart({"run", "--no-record", "--stroke-width", "-7", "-o", "out.svg"});
  EXPECT_NE(width.err.find("--stroke-width is -7, not a finite width"), std::string::npos)
      << width.err;

  // Metadata nested 100,000 deep is refused before anything recurses into it.
  std::string deep(100000, '[');
  deep += std::string(100000, ']');
  CommandResult nested = edited("\"record\":", "\"deep\":" + deep + ",\"record\":");
  EXPECT_EQ(nested.exitCode, 1);
  EXPECT_NE(nested.err.find("nests deeper than 64"), std::string::npos) << nested.err;
}

}  // namespace
}  // namespace heart::testing
