// The designer's colours: a palette as the document's swatches, `heart
// swatches`, and colours written the way CSS writes them.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>

#include "command_runner.h"
#include "drawing/drawing.h"

namespace heart::testing {
namespace {

const std::string kTango = std::string(HEART_SOURCE_DIR) + "/tests/data/palettes/Tango.gpl";

// The palette's colours as #rrggbb, read straight from GIMP's lines.
std::set<std::string> tangoColours() {
  std::set<std::string> colours;
  std::istringstream lines(readFile(kTango));
  for (std::string line; std::getline(lines, line);) {
    int r, g, b;
    char hex[8];
    if (std::sscanf(line.c_str(), "%d %d %d", &r, &g, &b) == 3) {
      std::snprintf(hex, sizeof hex, "#%02x%02x%02x", r, g, b);
      colours.insert(hex);
    }
  }
  return colours;
}

std::vector<std::string> fillsOf(const std::string& svg) {
  std::vector<std::string> fills;
  const std::regex fill("<path d=\"[^\"]*\" fill=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), fill); it != std::sregex_iterator();
       ++it) {
    std::string value = (*it)[1];
    for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    fills.push_back(value);
  }
  return fills;
}

TEST(SwatchesCommand, RandomSwatchFillsTakeThePalettesColours) {
  ScratchFolder scratch;
  CommandResult run = runHeart({"run", "--no-record", "--swatches", kTango, "--seed", "7", "--set",
                                "heartCount=80", "--set", "randomFillSwatches=1", "-o", "h.svg"},
                               scratch.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::set<std::string> palette = tangoColours();
  ASSERT_EQ(palette.size(), 27u);
  std::vector<std::string> fills = fillsOf(readFile(scratch / "h.svg"));
  ASSERT_EQ(fills.size(), 80u);
  std::set<std::string> seen;
  for (const std::string& fill : fills) {
    // Past the end of the list a heart keeps the default white fill.
    EXPECT_TRUE(palette.count(fill) || fill == "#ffffff") << fill;
    if (palette.count(fill)) seen.insert(fill);
  }
  EXPECT_GT(seen.size(), 10u) << "eighty draws from 27 colours";
}

TEST(SwatchesCommand, ListsTheSwatchesThePlugInSees) {
  ScratchFolder scratch;
  writeFile(scratch / "brand.css", ":root { --rose: #e8a0b4; --ink: device-cmyk(0 0 0 1); }");
  CommandResult listed = runHeart({"swatches", "--swatches", "brand.css"}, scratch.path());
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  std::istringstream lines(listed.out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_GE(rows.size(), 6u);
  EXPECT_EQ(rows[1].substr(0, 13), "0      none  ");
  EXPECT_NE(rows[1].find("[None]"), std::string::npos);
  EXPECT_NE(rows[2].find("[Registration]"), std::string::npos);
  EXPECT_EQ(std::regex_replace(rows[3], std::regex(" +"), " "),
            "2 rgb 0.909804 0.627451 0.705882 rose");
  EXPECT_EQ(std::regex_replace(rows[4], std::regex(" +"), " "), "3 cmyk 0 0 0 1 ink");
  EXPECT_NE(listed.out.find("indices 2 to 4; index 4 is past the end"), std::string::npos)
      << listed.out;

  // Without a palette, the list every new document has.
  CommandResult standard = runHeart({"swatches"}, scratch.path());
  ASSERT_EQ(standard.exitCode, 0);
  EXPECT_NE(standard.out.find("15     gray  0.5"), std::string::npos) << standard.out;

  CommandResult bad = runHeart({"swatches", "--swatches", "missing.gpl"}, scratch.path());
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("cannot read the palette missing.gpl: no such file"), std::string::npos)
      << bad.err;
}

TEST(SwatchesCommand, AnOpenedDrawingsOwnSwatchesAreItsList) {
  if (!canOpenDrawings()) GTEST_SKIP() << "this build opens no drawings";
  ScratchFolder scratch;
  writeFile(scratch / "card.svg",
            R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="600" height="600"
 xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"><defs>
 <linearGradient id="a" inkscape:swatch="solid"><stop style="stop-color:#e8a0b4"/></linearGradient>
 <linearGradient id="b" inkscape:swatch="solid"><stop style="stop-color:#3050c0"/></linearGradient>
</defs></svg>)svg");
  CommandResult listed = runHeart({"swatches", "--open", "card.svg"}, scratch.path());
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_NE(listed.out.find("indices 2 to 4;"), std::string::npos) << listed.out;
  CommandResult run = runHeart({"run", "--no-record", "--open", "card.svg", "--seed", "7", "--set",
                                "heartCount=40", "--set", "randomFillSwatches=1", "-o", "h.svg"},
                               scratch.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::set<std::string> seen;
  for (const std::string& fill : fillsOf(readFile(scratch / "h.svg"))) seen.insert(fill);
  EXPECT_EQ(seen, (std::set<std::string>{"#e8a0b4", "#3050c0", "#ffffff"}));
  // A palette given beside the drawing wins over the drawing's swatches.
  CommandResult tango =
      runHeart({"swatches", "--open", "card.svg", "--swatches", kTango}, scratch.path());
  EXPECT_NE(tango.out.find("indices 2 to 29;"), std::string::npos) << tango.out;
}

TEST(SwatchesCommand, AFaultyPaletteStopsTheRunAndWritesNothing) {
  ScratchFolder scratch;
  writeFile(scratch / "p.gpl", "GIMP Palette\n255 0\n");
  CommandResult run =
      runHeart({"run", "--no-record", "--swatches", "p.gpl", "-o", "h.svg"}, scratch.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("--swatches: p.gpl line 2:"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(scratch / "h.svg"));
}

TEST(SwatchesCommand, FillAndStrokeTakeColoursAsCssWritesThem) {
  ScratchFolder scratch;
  CommandResult run = runHeart({"run", "--no-record", "--fill", "rgb(255 192 203)", "--stroke",
                                "RebeccaPurple", "-o", "h.svg"},
                               scratch.path());
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string svg = readFile(scratch / "h.svg");
  EXPECT_EQ(fillsOf(svg), std::vector<std::string>{"#ffc0cb"});
  EXPECT_NE(svg.find("stroke=\"#663399\""), std::string::npos);

  CommandResult refused =
      runHeart({"run", "--no-record", "--fill", "rgb:255,192,203", "-o", "x.svg"}, scratch.path());
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("(for 0 to 255, write rgb(255,192,203))"), std::string::npos)
      << refused.err;
}

}  // namespace
}  // namespace heart::testing
