// Opening a designer's drawing and writing hearts into it: real drawings
// made elsewhere keep every byte outside the inserted group, a page point
// lands on the matching point of the drawing's own units, and hostile files
// are refused.
#include "drawing/drawing.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/test_data.h"

namespace heart::testing {
namespace {

std::string dataFile(const std::string& name) { return testData("drawings/" + name); }

Drawing mustRead(const std::string& text, const std::string& name = "card.svg") {
  Result<Drawing> drawing = readDrawing(text, name);
  EXPECT_TRUE(drawing.ok()) << (drawing.ok() ? "" : drawing.error());
  return drawing.ok() ? std::move(*drawing) : Drawing{};
}

constexpr std::string_view kContent =
    "<metadata id=\"heart-run\">{\"program\":\"heart\"}</metadata>\n<path d=\"M 1 2 L 3 4 Z\"/>\n";

// The output with the one inserted piece taken out: where the output first
// and last differs from the input.
std::string withoutInsertion(const std::string& input, const std::string& output) {
  size_t front = 0;
  while (front < input.size() && input[front] == output[front]) ++front;
  size_t back = 0;
  while (back < input.size() - front &&
         input[input.size() - 1 - back] == output[output.size() - 1 - back])
    ++back;
  return output.substr(0, front) + output.substr(output.size() - back);
}

// The transform the output's hearts group carries, read back from its text.
Affine groupTransform(const std::string& output, const std::string& groupId) {
  std::smatch match;
  std::regex pattern("<g[^>]* id=\"" + groupId + "\" transform=\"([^\"]*)\"");
  EXPECT_TRUE(std::regex_search(output, match, pattern)) << output;
  Result<Affine> m = parseTransform(match[1].str());
  EXPECT_TRUE(m.ok());
  return m.ok() ? *m : Affine{};
}

void expectPoint(PointD got, double x, double y) {
  EXPECT_NEAR(got.x, x, 1e-6);
  EXPECT_NEAR(got.y, y, 1e-6);
}

// Reading drawings needs libxml2, which the 32-bit and Windows builds lack.
class OpenedDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!canOpenDrawings()) GTEST_SKIP() << "this build opens no drawings";
  }
};

TEST(DrawingsUnavailable, ABuildWithoutLibxml2RefusesEveryDrawing) {
  if (canOpenDrawings()) GTEST_SKIP() << "this build opens drawings";
  Result<Drawing> drawing = readDrawing(dataFile("inkscape_default.svg"), "card.svg");
  ASSERT_FALSE(drawing.ok());
  EXPECT_EQ(drawing.error(), std::string("card.svg: ") + kNoDrawingsInThisBuild);
}

TEST(SvgGeometry, LengthsReadEveryCssUnitAsPixels) {
  struct Row {
    const char* text;
    double pixels;
  } rows[] = {{"12", 12},       {"12px", 12},   {"12pt", 16}, {"1pc", 16},
              {" 25.4mm ", 96}, {"2.54cm", 96}, {"1in", 96},  {"+1.5e1", 15}};
  for (const Row& row : rows) {
    Result<Length> length = parseLength(row.text);
    ASSERT_TRUE(length.ok()) << row.text;
    EXPECT_NEAR(length->value, row.pixels, 1e-9) << row.text;
    EXPECT_FALSE(length->percent);
  }
  EXPECT_TRUE(parseLength("50%")->percent);
  for (const char* bad : {"12em", "", "px", "1 2", "nan"})
    EXPECT_FALSE(parseLength(bad).ok()) << bad;
}

TEST(SvgGeometry, ViewBoxIsFittedAsPreserveAspectRatioSays) {
  // A 100 x 50 box with its corner at (10, 20) in a 400 x 400 viewport.
  ViewBox box = *parseViewBox("10,20 100 50");
  auto map = [&](const char* ratio, PointD p) {
    return apply(viewBoxToViewport(box, *parseAspectRatio(ratio), 400, 400), p);
  };
  // meet: scale 4, the 200-pixel-high picture centred: 100 pixels above.
  expectPoint(map("", {10, 20}), 0, 100);
  expectPoint(map("xMinYMax meet", {110, 70}), 400, 400);
  // slice: scale 8, 800 pixels wide, centred: 200 pixels cut off the left.
  expectPoint(map("xMidYMid slice", {10, 20}), -200, 0);
  expectPoint(map("none", {110, 70}), 400, 400);
  EXPECT_FALSE(parseViewBox("0 0 0 10").ok());
  EXPECT_FALSE(parseAspectRatio("xMidYMad").ok());
}

TEST(SvgGeometry, TransformListsApplyRightToLeft) {
  // translate(10,0) after rotate(90 about (1,1)): (2,1) turns to (1,2), then moves.
  expectPoint(apply(*parseTransform("translate(10) rotate(90 1 1)"), {2, 1}), 11, 2);
  expectPoint(apply(*parseTransform("scale(2,3),matrix(1 0 0 1 1 1)"), {1, 1}), 4, 6);
  expectPoint(apply(*parseTransform("skewX(45)"), {0, 2}), 2, 2);
  expectPoint(apply(*parseTransform("skewY(45)"), {2, 0}), 2, 2);
  expectPoint(apply(*inverse(*parseTransform("translate(3 4) scale(2)")), {5, 8}), 1, 2);
  EXPECT_FALSE(parseTransform("rotate(1 2)").ok());
  EXPECT_FALSE(parseTransform("scale(").ok());
  EXPECT_FALSE(inverse(*parseTransform("scale(0 1)")).has_value());
}

// Every drawing made elsewhere: the hearts go in (on a new layer, and into
// the current layer), everything else stays byte for byte, and the result
// reads back with its hearts group found.
TEST_F(OpenedDrawing, RealDrawingsKeepEveryByteOutsideTheHearts) {
  for (const char* name : {"arrow1_sergio_luiz_arauj_01.svg", "discordian_sacred_chao_01r.svg",
                           "arki_arrow_down_jean_vic_.svg", "media_as_wmd_saint_.svg",
                           "inkscape_CD_label_120x120.svg", "inkscape_default.svg"}) {
    SCOPED_TRACE(name);
    const std::string input = dataFile(name);
    ASSERT_FALSE(input.empty());
    Drawing drawing = mustRead(input, name);
    for (bool newLayer : {true, false}) {
      SCOPED_TRACE(newLayer ? "new layer" : "current layer");
      Result<HeartsPlan> plan = planNewHearts(drawing, newLayer);
      ASSERT_TRUE(plan.ok()) << plan.error();
      const std::string output = drawingWithHearts(drawing, *plan, kContent);
      std::string expected = input;
      if (!newLayer && plan->parent.empty) {
        // The empty layer <g .../> is opened to hold the hearts.
        expected.replace(plan->parent.startTagEnd, 2, "></" + plan->parent.qualifiedName + ">");
      }
      EXPECT_EQ(withoutInsertion(expected, output), expected);
      Drawing again = mustRead(output, name);
      ASSERT_EQ(again.heartGroups.size(), 1u);
      EXPECT_EQ(again.heartGroups[0].element.id, "hearts");
      EXPECT_EQ(again.heartGroups[0].runText, "{\"program\":\"heart\"}");
      EXPECT_EQ(again.topLayers.size(), drawing.topLayers.size() + (newLayer ? 1 : 0));
    }
  }
}

// A drawing of megabytes, which the parser reads through a buffer it
// shrinks as it goes: the offsets still name the original bytes.
TEST_F(OpenedDrawing, OffsetsHoldThroughALargeDrawing) {
  std::string input =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" "
      "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" width=\"10\" "
      "height=\"10\">\n<g inkscape:groupmode=\"layer\" id=\"a\">\n";
  for (int i = 0; i < 60000; ++i)
    input += "  <path id=\"p" + std::to_string(i) + "\" d=\"M 0 0 L 10 10 L 20 0 Z\"/>\n";
  input += "</g>\n<g inkscape:groupmode=\"layer\" id=\"b\"/>\n</svg>\n";
  Drawing drawing = mustRead(input);
  ASSERT_EQ(drawing.topLayers.size(), 2u);
  EXPECT_EQ(drawing.topLayers[0].contentEnd, input.find("</g>\n<g inkscape"));
  EXPECT_EQ(drawing.topLayers[1].start, input.rfind("<g "));
  EXPECT_EQ(drawing.ids.size(), 60002u);
}

TEST_F(OpenedDrawing, GzippedDrawingIsReadAsItsText) {
  Result<Drawing> packed = openDrawing(std::string(HEART_SOURCE_DIR) +
                                       "/tests/data/drawings/arki_arrow_down_jean_vic_.svgz");
  ASSERT_TRUE(packed.ok()) << packed.error();
  EXPECT_EQ(packed->text, dataFile("arki_arrow_down_jean_vic_.svg"));
  // 90pt a side.
  expectPoint(packed->pageSize, 90, 90);
  // 34 MB of zeros packed into 33 kB: refused once more than 32 MiB is unpacked.
  Result<Drawing> bomb =
      openDrawing(std::string(HEART_SOURCE_DIR) + "/fuzz/regressions/drawing/huge-unpacked.svgz");
  ASSERT_FALSE(bomb.ok());
  EXPECT_NE(bomb.error().find("unpacks to more than 32 MiB"), std::string::npos) << bomb.error();
}

TEST_F(OpenedDrawing, PagePointsLandOnTheDrawingsOwnUnits) {
  // 200mm x 100mm (566.93 x 283.46 points), a view box from (10, 20), 400 x 200 units: 2 units a
  // millimetre. The current layer sits inside a moved and scaled group.
  const std::string input =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" "
      "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
      "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" width=\"200mm\" "
      "height=\"100mm\" viewBox=\"10 20 400 200\">\n"
      "<sodipodi:namedview inkscape:current-layer=\"inner\"/>\n"
      "<g inkscape:groupmode=\"layer\" id=\"outer\" transform=\"translate(5,7)\">\n"
      "<g inkscape:groupmode=\"layer\" id=\"inner\" transform=\"scale(2)\"><path d=\"M0 0\"/></g>\n"
      "</g>\n</svg>\n";
  Drawing drawing = mustRead(input);
  const double mm = 72 / 25.4;
  expectPoint(drawing.pageSize, 200 * mm, 100 * mm);
  // The page's lower left corner is the view box's (10, 220); 10mm right and 30mm up of it
  // is (30, 160) in the root's units.
  expectPoint(apply(drawing.pageToRoot, {10 * mm, 30 * mm}), 30, 160);

  Result<HeartsPlan> intoLayer = planNewHearts(drawing, false);
  ASSERT_TRUE(intoLayer.ok()) << intoLayer.error();
  EXPECT_EQ(intoLayer->parent.id, "inner");
  std::string output = drawingWithHearts(drawing, *intoLayer, kContent);
  // In the inner layer: ((30 - 5) / 2, (160 - 7) / 2).
  expectPoint(apply(groupTransform(output, "hearts"), {10 * mm, 30 * mm}), 12.5, 76.5);

  Result<HeartsPlan> onNewLayer = planNewHearts(drawing, true);
  ASSERT_TRUE(onNewLayer.ok());
  output = drawingWithHearts(drawing, *onNewLayer, kContent);
  expectPoint(apply(groupTransform(output, "hearts"), {10 * mm, 30 * mm}), 30, 160);
  // The new layer comes after the last top-level layer, closed before </svg>.
  EXPECT_NE(output.find("</g>\n<g id=\"layer-hearts\" inkscape:groupmode=\"layer\" "
                        "inkscape:label=\"Hearts\">\n<g id=\"hearts\""),
            std::string::npos)
      << output;
}

TEST_F(OpenedDrawing, SizeComesFromTheViewBoxWhenMissingOrAPercentage) {
  expectPoint(mustRead("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100%\" viewBox=\"0 0 80 "
                       "40\"/>")
                  .pageSize,
              60, 30);
  expectPoint(mustRead("<svg xmlns=\"http://www.w3.org/2000/svg\" height=\"2in\" viewBox=\"0 0 80 "
                       "40\"/>")
                  .pageSize,
              60, 144);
}

TEST_F(OpenedDrawing, FrontViewIsWhereTheNamedViewSays) {
  auto drawing = [](const char* version) {
    return mustRead(
        std::string("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" "
                    "xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\" "
                    "width=\"400\" height=\"300\" ") +
        version +
        "><sodipodi:namedview inkscape:cx=\"100\" inkscape:cy=\"50\" "
        "inkscape:zoom=\"2.5\"/></svg>");
  };
  // 400 x 300 pixels are 300 x 225 points; the centre in pixels, the vertical axis down.
  Drawing modern = drawing("inkscape:version=\"1.2.2\"");
  expectPoint(modern.viewCentre, 75, 225 - 37.5);
  EXPECT_EQ(modern.viewZoom, 2.5);
  // Before version 1 the vertical axis pointed up.
  expectPoint(drawing("inkscape:version=\"0.92.4\"").viewCentre, 75, 37.5);
  // Without a named view: the page's centre.
  expectPoint(mustRead("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\"/>")
                  .viewCentre,
              150, 112.5);
}

TEST_F(OpenedDrawing, CurrentLayerFallsBackToTheTopmostLayerThenTheRoot) {
  // The CD label's named view names a layer that is not there.
  Drawing label = mustRead(dataFile("inkscape_CD_label_120x120.svg"));
  ASSERT_TRUE(planNewHearts(label, false).ok());
  EXPECT_EQ(planNewHearts(label, false)->parent.id, "Template");
  Drawing bare = mustRead(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\" "
      "id=\"r\"><g id=\"g1\"/></svg>");
  EXPECT_EQ(planNewHearts(bare, false)->parent.id, "r");
  EXPECT_EQ(planNewHearts(bare, false)->offset, bare.root.contentEnd);
}

TEST_F(OpenedDrawing, InsertedIdsAndNamespacesFitTheDrawing) {
  // The ids are taken; the default namespace inside is not SVG's, and "inkscape" means
  // something else.
  const std::string input =
      "<s:svg xmlns:s=\"http://www.w3.org/2000/svg\" xmlns=\"urn:other\" "
      "xmlns:inkscape=\"urn:not-inkscape\" width=\"10\" height=\"10\">"
      "<s:g id=\"hearts\"/><s:g id=\"layer-hearts\"/><s:g id=\"hearts-1\"/></s:svg>";
  Drawing drawing = mustRead(input);
  Result<HeartsPlan> plan = planNewHearts(drawing, true);
  ASSERT_TRUE(plan.ok());
  std::string output = drawingWithHearts(drawing, *plan, kContent);
  EXPECT_NE(output.find("<g xmlns=\"http://www.w3.org/2000/svg\" xmlns:inkscape=\"http://"
                        "www.inkscape.org/namespaces/inkscape\" id=\"layer-hearts-1\" "
                        "inkscape:groupmode=\"layer\""),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("<g id=\"hearts-2\""), std::string::npos) << output;
  Drawing again = mustRead(output);
  ASSERT_EQ(again.topLayers.size(), 1u);
  EXPECT_EQ(again.heartGroups.size(), 1u);
}

TEST_F(OpenedDrawing, Latin1DrawingKeepsItsBytesAndGetsOnlyAscii) {
  const std::string input =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
      "width=\"10\" height=\"10\"><title>Caf\xE9 \xE0 la cr\xE8me</title>\n<g id=\"a\"/></svg>\n";
  Drawing drawing = mustRead(input);
  Result<HeartsPlan> plan = planNewHearts(drawing, false);
  ASSERT_TRUE(plan.ok());
  std::string output = drawingWithHearts(drawing, *plan, "<title>\xC3\xA9</title>\n");
  EXPECT_EQ(output.substr(0, plan->offset), input.substr(0, plan->offset));
  EXPECT_EQ(output.substr(output.size() - 7), "</svg>\n");
  EXPECT_NE(output.find("<title>&#233;</title>"), std::string::npos) << output;
}

TEST_F(OpenedDrawing, EditReplacesTheLastHeartsGroupInPlace) {
  const std::string input = dataFile("arrow1_sergio_luiz_arauj_01.svg");
  Drawing drawing = mustRead(input);
  std::string once = drawingWithHearts(drawing, *planNewHearts(drawing, false), kContent);
  Drawing first = mustRead(once);
  std::string twice =
      drawingWithHearts(first, *planNewHearts(first, true),
                        "<metadata id=\"heart-run-1\">{}</metadata>\n<g id=\"x\"/>");
  Drawing second = mustRead(twice);
  ASSERT_EQ(second.heartGroups.size(), 2u);
  EXPECT_EQ(second.heartGroups[1].element.id, "hearts-1");
  Result<HeartsPlan> plan = planReplacedHearts(second, 1);
  ASSERT_TRUE(plan.ok());
  // The ids inside the old group are free again.
  std::string replaced =
      drawingWithHearts(second, *plan,
                        "<metadata id=\"" + plan->ids.take("heart-run", true) +
                            "\">[]</metadata>\n<g id=\"" + plan->ids.take("x", true) + "\"/>");
  const HeartGroup& old = second.heartGroups[1];
  EXPECT_EQ(replaced.substr(0, old.element.start), twice.substr(0, old.element.start));
  EXPECT_EQ(replaced.substr(replaced.size() - (twice.size() - old.element.end)),
            twice.substr(old.element.end));
  Drawing third = mustRead(replaced);
  ASSERT_EQ(third.heartGroups.size(), 2u);
  EXPECT_EQ(third.heartGroups[1].element.id, "hearts-1");
  EXPECT_EQ(third.heartGroups[1].element.start, old.element.start);
  EXPECT_NE(replaced.find("<metadata id=\"heart-run-1\">[]</metadata>\n<g id=\"x\"/>"),
            std::string::npos);
}

TEST_F(OpenedDrawing, HostileOrUnusableFilesAreRefusedNamingTheFile) {
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">";
  std::string deep = svg;
  for (int i = 0; i < 300; ++i) deep += "<g>";
  for (int i = 0; i < 300; ++i) deep += "</g>";
  deep += "</svg>";
  std::string huge = svg + "<desc>" + std::string(kMaxDrawingBytes, 'x') + "</desc></svg>";
  struct Row {
    std::string text;
    const char* says;
  } rows[] = {
      {"<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
       "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>" +
           svg + "<desc>&b;</desc></svg>",
       "declares entities"},
      {"<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY host SYSTEM \"file:///etc/hostname\">]>" +
           svg + "<desc>&host;</desc></svg>",
       "declares entities"},
      {deep, "nest deeper than 200"},
      {huge, "larger than 32 MiB"},
      {"<html><body/></html>", "root element is <html>"},
      {"<svg width=\"10\" height=\"10\"><g></svg>", "not well-formed XML"},
      {"not xml at all", "not well-formed XML"},
      {"<svg xmlns=\"http://www.w3.org/2000/svg\"/>", "page's size is unknown"},
      {"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"3em\" height=\"1\"/>", "em"},
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><svg/>", "shift_jis"},
      {std::string("\x1f\x8b\x08\x00rest", 8), "gzip"},
  };
  for (const Row& row : rows) {
    Result<Drawing> drawing = readDrawing(row.text, "card.svg");
    ASSERT_FALSE(drawing.ok()) << row.says;
    EXPECT_EQ(drawing.error().rfind("card.svg: ", 0), 0u) << drawing.error();
    EXPECT_NE(drawing.error().find(row.says), std::string::npos) << drawing.error();
  }
}

}  // namespace
}  // namespace heart::testing
