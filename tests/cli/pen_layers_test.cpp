// SVG for a pen plotter: one layer per stroke colour, from a real run.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

#include "command_runner.h"

namespace heart::testing {
namespace {

struct PathMark {
  std::string d, stroke;
};

std::vector<PathMark> pathsOf(const std::string& svg) {
  std::vector<PathMark> paths;
  const std::regex path("<path d=\"([^\"]*)\"[^>]* stroke=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), path); it != std::sregex_iterator();
       ++it)
    paths.push_back({(*it)[1], (*it)[2]});
  return paths;
}

TEST(PenLayers, EachStrokeColourIsOneLayerHoldingAllItsPaths) {
  ScratchFolder scratch;
  const std::vector<std::string> run = {"run",   "--no-record",       "--seed", "5",
                                        "--set", "heartCount=40",     "--set",  "placementMode=2",
                                        "--set", "randomStroke=true", "--set",  "randomFill=true",
                                        "--set", "sketchRepeats=2"};
  auto with = [&run](std::vector<std::string> more) {
    std::vector<std::string> arguments = run;
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
  };
  ASSERT_EQ(runHeart(with({"-o", "plain.svg"}), scratch.path()).exitCode, 0);
  CommandResult pens = runHeart(with({"--layers-by-colour", "-o", "pens.svg"}), scratch.path());
  ASSERT_EQ(pens.exitCode, 0) << pens.err;
  const std::string plain = readFile(scratch / "plain.svg");
  const std::string plotted = readFile(scratch / "pens.svg");

  // The drawing's stroke colours in the order of first use.
  std::vector<std::string> colours;
  std::multiset<std::string> drawn;
  for (const PathMark& path : pathsOf(plain)) {
    if (std::find(colours.begin(), colours.end(), path.stroke) == colours.end())
      colours.push_back(path.stroke);
    drawn.insert(path.d);
  }
  ASSERT_GT(colours.size(), 10u) << "random strokes";

  // Each pen layer's start tag read with a pattern; its body, up to its end
  // tag, by search (a pattern over a long body runs the matcher's stack out).
  const std::regex layer(
      "<g id=\"pen-(\\d+)\" inkscape:groupmode=\"layer\" "
      "inkscape:label=\"(\\d+) (#[0-9a-f]{6})\"[^>]*>");
  std::multiset<std::string> plottedPaths;
  size_t layers = 0;
  for (auto it = std::sregex_iterator(plotted.begin(), plotted.end(), layer);
       it != std::sregex_iterator(); ++it, ++layers) {
    SCOPED_TRACE((*it)[2].str());
    EXPECT_EQ((*it)[1].str(), std::to_string(layers + 1));
    EXPECT_EQ((*it)[2].str(), std::to_string(layers + 1));
    ASSERT_LT(layers, colours.size());
    EXPECT_EQ((*it)[3].str(), colours[layers]);
    const size_t start = static_cast<size_t>(it->position(0) + it->length(0));
    const std::string body = plotted.substr(start, plotted.find("</g>", start) - start);
    for (const PathMark& path : pathsOf(body)) {
      EXPECT_EQ(path.stroke, colours[layers]);
      plottedPaths.insert(path.d);
    }
    EXPECT_EQ(body.find("fill=\"#"), std::string::npos) << "fills are dropped";
  }
  EXPECT_EQ(layers, colours.size());
  EXPECT_EQ(plottedPaths, drawn);
  // Outside the layers, the file is the drawing's: its record, page, title.
  EXPECT_EQ(plotted.substr(0, plotted.find("<g id=\"pen-1\"")),
            plain.substr(0, plain.find("<g id=\"layer-1\"")));

  CommandResult png = runHeart(with({"--layers-by-colour", "-o", "pens.png"}), scratch.path());
  EXPECT_EQ(png.exitCode, 2);
  // (A build without PNG output refuses the PNG itself first.)
  if (canWritePng()) {
    EXPECT_NE(png.err.find("--layers-by-colour lays out an SVG"), std::string::npos) << png.err;
  }
  EXPECT_EQ(runHeart(with({"--keep-fills", "-o", "k.svg"}), scratch.path()).exitCode, 2);
}

}  // namespace
}  // namespace heart::testing
