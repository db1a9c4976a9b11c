// `--open` and `--edit`: the hearts drawn into a designer's drawing, where
// the designer last looked, and redrawn in place.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>

#include "command_runner.h"
#include "drawing/drawing.h"

namespace heart::testing {
namespace {

#define SKIP_WITHOUT_DRAWINGS() \
  if (!::heart::canOpenDrawings()) GTEST_SKIP() << "this build opens no drawings"

// 400 x 300 pixels (300 x 225 points); the designer last looked at the
// pixel (300, 100), the vertical axis down, with the layer "top" current.
constexpr const char* kDrawing =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
    "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" width=\"400\" "
    "height=\"300\" inkscape:version=\"1.2.2\">\n"
    "  <sodipodi:namedview id=\"base\" inkscape:cx=\"300\" inkscape:cy=\"100\" "
    "inkscape:zoom=\"1\" inkscape:current-layer=\"top\"/>\n"
    "  <g inkscape:groupmode=\"layer\" id=\"bottom\"><rect width=\"10\" height=\"10\"/></g>\n"
    "  <g inkscape:groupmode=\"layer\" id=\"top\" inkscape:label=\"Top\">\n"
    "    <circle cx=\"50\" cy=\"50\" r=\"20\"/>\n"
    "  </g>\n"
    "</svg>\n";

class OpenDrawing : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(scratch / "card.svg", kDrawing); }
  CommandResult heart(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin() + 1, {"--no-record", "--quiet"});
    return runHeart(arguments, scratch.path());
  }
  ScratchFolder scratch;
};

// The first point of the first heart, mapped by its group's transform into
// the drawing's units.
PointD firstHeartPoint(const std::string& svg) {
  std::smatch group, path;
  EXPECT_TRUE(
      std::regex_search(svg, group, std::regex("<g id=\"hearts[^\"]*\" transform=\"([^\"]*)\"")));
  EXPECT_TRUE(std::regex_search(svg, path, std::regex("<path d=\"M ([-0-9.e]+) ([-0-9.e]+)")));
  if (group.empty() || path.empty()) return {};
  return apply(*parseTransform(group[1].str()), {std::stod(path[1]), std::stod(path[2])});
}

TEST_F(OpenDrawing, HeartsGoIntoTheCurrentLayerWhereTheDesignerLooked) {
  SKIP_WITHOUT_DRAWINGS();
  CommandResult run = heart({"run", "--seed", "4", "--open", "card.svg", "-o", "out.svg"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::string out = readFile(scratch / "out.svg");
  // One group, at the end of the layer "top"; the rest byte for byte.
  size_t start = out.find("<g id=\"hearts\"");
  size_t layerEnd = std::string(kDrawing).find("</g>\n</svg>");
  ASSERT_EQ(start, layerEnd) << out;
  size_t end = out.find("</g>\n", start) + 5;
  EXPECT_EQ(out.substr(0, start) + out.substr(end), kDrawing);
  // The heart's base point is the front view's centre 200 points to the left:
  // (225, 150) points, less 200 across, is the pixel (25 / 0.75, 100).
  PointD point = firstHeartPoint(out);
  EXPECT_NEAR(point.x, 25 / 0.75, 1e-3);
  EXPECT_NEAR(point.y, 100, 1e-3);
}

TEST_F(OpenDrawing, EditRedrawsTheLastGroupInPlace) {
  SKIP_WITHOUT_DRAWINGS();
  ASSERT_EQ(heart({"run", "--seed", "4", "--set", "newLayer=true", "--set", "heartCount=2", "--set",
                   "placementMode=2", "--open", "card.svg", "-o", "one.svg"})
                .exitCode,
            0);
  std::string one = readFile(scratch / "one.svg");
  EXPECT_NE(one.find("inkscape:label=\"Top\">\n    <circle cx=\"50\" cy=\"50\" r=\"20\"/>\n  "
                     "</g>\n<g id=\"layer-hearts\" inkscape:groupmode=\"layer\" "
                     "inkscape:label=\"Hearts\">\n<g id=\"hearts\""),
            std::string::npos)
      << one;
  // The same record and seed draw the same hearts in the same place.
  CommandResult same = heart({"run", "--edit", "one.svg", "-o", "same.svg"});
  ASSERT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(readFile(scratch / "same.svg"), one);
  // An edit of the record: five hearts replace the two, the group keeps its id.
  CommandResult more =
      heart({"run", "--edit", "one.svg", "--set", "heartCount=5", "-o", "five.svg"});
  ASSERT_EQ(more.exitCode, 0) << more.err;
  std::string five = readFile(scratch / "five.svg");
  size_t start = one.find("<g id=\"hearts\"");
  EXPECT_EQ(five.substr(0, start), one.substr(0, start));
  EXPECT_EQ(five.substr(five.size() - 12), one.substr(one.size() - 12));
  size_t paths = 0;
  for (size_t at = five.find("<path"); at != std::string::npos; at = five.find("<path", at + 1))
    ++paths;
  EXPECT_EQ(paths, 5u);
  Result<Drawing> reread = readDrawing(five, "five.svg");
  ASSERT_TRUE(reread.ok()) << reread.error();
  ASSERT_EQ(reread->heartGroups.size(), 1u);
  EXPECT_EQ(reread->heartGroups[0].element.id, "hearts");
  // The result edited again: its record is the five hearts' (the count the
  // first edit set), with another value changed.
  CommandResult again =
      heart({"run", "--edit", "five.svg", "--set", "heartHeight=60", "-o", "taller.svg"});
  ASSERT_EQ(again.exitCode, 0) << again.err;
  std::string taller = readFile(scratch / "taller.svg");
  EXPECT_EQ(taller.substr(0, start), one.substr(0, start));
  size_t tallerPaths = 0;
  for (size_t at = taller.find("<path"); at != std::string::npos; at = taller.find("<path", at + 1))
    ++tallerPaths;
  EXPECT_EQ(tallerPaths, 5u);
  EXPECT_NE(taller.find("\"heartHeight\":60"), std::string::npos);
}

TEST_F(OpenDrawing, UnusableDrawingsAndOptionsAreRefusedWritingNothing) {
  SKIP_WITHOUT_DRAWINGS();
  writeFile(scratch / "s.script", "confirm\n");
  writeFile(scratch / "entities.svg",
            "<!DOCTYPE svg [<!ENTITY e SYSTEM \"/etc/passwd\">]><svg "
            "xmlns=\"http://www.w3.org/2000/svg\" width=\"9\" height=\"9\">&e;</svg>");
  const struct {
    std::vector<std::string> arguments;
    int exitCode;
    const char* says;
  } cases[] = {
      {{"run", "--edit", "card.svg", "-o", "out.svg"}, 1, "card.svg holds no hearts"},
      {{"run", "--open", "entities.svg", "-o", "out.svg"},
       1,
       "entities.svg: its document type declares entities"},
      {{"run", "--open", "missing.svg", "-o", "out.svg"}, 1, "missing.svg"},
      {{"run", "--open", "card.svg", "--page", "100x100", "-o", "out.svg"}, 2, "--page cannot"},
      {{"dialog", "--script", "s.script", "--open", "card.svg", "-o", "card.svg"}, 2, "same file"},
  };
  for (const auto& c : cases) {
    CommandResult refused = heart(c.arguments);
    EXPECT_EQ(refused.exitCode, c.exitCode) << c.says << ": " << refused.err;
    EXPECT_NE(refused.err.find(c.says), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(scratch / "out.svg")) << c.says;
  }
  EXPECT_EQ(readFile(scratch / "card.svg"), kDrawing);
}

TEST_F(OpenDrawing, ABuildWithoutLibxml2RefusesToOpenAndWritesNothing) {
  if (::heart::canOpenDrawings()) GTEST_SKIP() << "this build opens drawings";
  CommandResult refused = heart({"run", "--open", "card.svg", "-o", "out.svg"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find(kNoDrawingsInThisBuild), std::string::npos) << refused.err;
  EXPECT_FALSE(std::filesystem::exists(scratch / "out.svg"));
}

}  // namespace
}  // namespace heart::testing
