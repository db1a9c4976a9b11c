// The SVG and PNG pictures of a document and the run record they carry.
#include "export/svg_export.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "support/document_suites_fixture.h"

namespace heart::testing {
namespace {

constexpr const char* kSvgDtd =
    "/usr/share/xml/w3c-sgml-lib/schema/dtd/REC-SVG11-20110816/svg11.dtd";

int countOf(const std::string& text, const std::string& piece) {
  int n = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
  return n;
}

class SvgExportTest : public SuiteTest {
 protected:
  AIArtHandle paintedSquare(float left, float bottom, float side, AIColor fill) {
    AIArtHandle square = newSquare(left, bottom, side);
    AIPathStyle style{};
    EXPECT_EQ(pathStyle->GetPathStyle(square, &style), kNoErr);
    style.fillColor = fill;
    style.strokePaint = 0;
    EXPECT_EQ(pathStyle->SetPathStyle(square, &style), kNoErr);
    return square;
  }

  // The value of attribute `name` of the element holding `marker`.
  static std::string attributeNear(const std::string& svg, const std::string& marker,
                                   const std::string& name) {
    size_t at = svg.find(marker);
    if (at == std::string::npos) return {};
    size_t start = svg.rfind('<', at);
    size_t end = svg.find('>', at);
    std::string element = svg.substr(start, end - start);
    std::smatch match;
    if (!std::regex_search(element, match, std::regex(" " + name + "=\"([^\"]*)\""))) return {};
    return match[1];
  }

  std::string tempPath(const std::string& name) const { return ::testing::TempDir() + name; }
};

TEST_F(SvgExportTest, LayersAreGroupsInPaintOrderAndTheVerticalAxisIsTurned) {
  newSquare(0, 0, 10);
  AILayerHandle second = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &second), kNoErr);
  newSquare(20, 0, 10);
  newSquare(40, 0, 10);
  AILayerHandle bottom = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceBelowAll, &bottom), kNoErr);
  document->setLayerVisible(document->tree().layerOf(bottom), false);

  std::string svg = exportSvg(*document, SvgMetadata{}).value();
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\""), std::string::npos);
  EXPECT_NE(svg.find("viewBox=\"0 0 612 792\""), std::string::npos);
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                     "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\""),
            std::string::npos);
  // Bottom layer first: the hidden new bottom layer, then Layer 1, then the
  // layer added first. Each is an Inkscape layer straight under the root
  // that turns the vertical axis.
  const std::vector<std::string> order = {"Hearts 2", "Layer 1", "Hearts"};
  size_t previous = 0;
  for (const std::string& name : order) {
    SCOPED_TRACE(name);
    const std::string title = "><title>" + name + "</title>";
    size_t at = svg.find(title);
    ASSERT_NE(at, std::string::npos);
    EXPECT_LT(previous, at);
    previous = at;
    EXPECT_EQ(attributeNear(svg, title, "inkscape:groupmode"), "layer");
    EXPECT_EQ(attributeNear(svg, title, "inkscape:label"), name);
    EXPECT_EQ(attributeNear(svg, title, "transform"), "matrix(1 0 0 -1 0 792)");
    EXPECT_EQ(attributeNear(svg, title, "display"), name == "Hearts 2" ? "none" : "");
  }
  EXPECT_EQ(countOf(svg, "<g "), 3) << "no group around the layers";
  EXPECT_EQ(countOf(svg, "<path "), 3);
  // Within a layer, the art drawn first comes first.
  EXPECT_LT(svg.find("M 20 0"), svg.find("M 40 0"));
}

// A large layer is written in two halves at once: the file still holds every
// path once, in paint order, and the layers around it in theirs.
TEST_F(SvgExportTest, ALargeLayerKeepsItsPathsInPaintOrder) {
  constexpr int kSquares = 9000;
  for (int i = 0; i < kSquares; ++i) newSquare(static_cast<float>(i), 0, 1);
  AILayerHandle above = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &above), kNoErr);
  newSquare(-5, -5, 1);
  std::string svg = exportSvg(*document, SvgMetadata{}).value();
  EXPECT_EQ(countOf(svg, "<path "), kSquares + 1);
  size_t previous = 0;
  for (int i = 0; i < kSquares; ++i) {
    std::string start = "<path d=\"M ";
    start += std::to_string(i);
    start += " 0 ";
    size_t at = svg.find(start, previous);
    ASSERT_NE(at, std::string::npos) << "square " << i << " missing or out of order";
    previous = at;
  }
  EXPECT_LT(previous, svg.find("<path d=\"M -5 -5 "));
  EXPECT_LT(svg.find("M -5 -5 "), svg.find("</svg>"));
}

TEST_F(SvgExportTest, LayersByColourGiveEachPenItsPathsInOrderOfFirstUse) {
  // Paint order: red-stroked, blue-stroked, red-stroked, fill only; then a
  // hidden layer with a green-stroked square.
  auto stroked = [&](float left, AIColor stroke) {
    AIArtHandle square = newSquare(left, 0, 10);
    AIPathStyle style{};
    EXPECT_EQ(pathStyle->GetPathStyle(square, &style), kNoErr);
    style.fillPaint = 1;
    style.fillColor = AIColor{kThreeColor, {1, 1, 0, 0}, 0};
    style.strokePaint = 1;
    style.strokeColor = stroke;
    EXPECT_EQ(pathStyle->SetPathStyle(square, &style), kNoErr);
  };
  stroked(0, AIColor{kThreeColor, {1, 0, 0, 0}, 0});
  stroked(20, AIColor{kThreeColor, {0, 0, 1, 0}, 0});
  stroked(40, AIColor{kThreeColor, {1, 0, 0, 0}, 0});
  paintedSquare(60, 0, 10, AIColor{kThreeColor, {0, 1, 1, 0}, 0});
  AILayerHandle hidden = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &hidden), kNoErr);
  stroked(80, AIColor{kThreeColor, {0, 1, 0, 0}, 0});
  document->setLayerVisible(document->tree().layerOf(hidden), false);

  // Each layer's label and the left edges of its squares, in file order.
  auto pens = [](const std::string& svg) {
    std::vector<std::string> found;
    const std::regex layer(
        "inkscape:label=\"([^\"]*)\"[^>]*>|<path d=\"M (\\d+) 0[^>]*fill=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), layer);
         it != std::sregex_iterator(); ++it)
      found.push_back((*it)[1].matched ? std::string("layer ").append((*it)[1].str())
                                       : (*it)[2].str() + " " + (*it)[3].str());
    return found;
  };
  SvgLayout layout;
  layout.layersByColour = true;
  EXPECT_EQ(pens(exportSvg(*document, SvgMetadata{}, layout).value()),
            (std::vector<std::string>{"layer 1 #ff0000", "0 none", "40 none", "layer 2 #0000ff",
                                      "20 none"}));
  layout.keepFills = true;
  EXPECT_EQ(
      pens(exportSvg(*document, SvgMetadata{}, layout).value()),
      (std::vector<std::string>{"layer 1 #ff0000", "0 #ffff00", "40 #ffff00", "layer 2 #0000ff",
                                "20 #ffff00", "layer 3 none", "60 #00ffff"}));
}

TEST_F(SvgExportTest, ColoursOfEveryKindAreShownForTheScreen) {
  struct Case {
    AIColor color;
    const char* fill;
  };
  const Case cases[] = {
      {{kGrayColor, {1, 0, 0, 0}, 0}, "#000000"},          // gray is ink
      {{kGrayColor, {0.25f, 0, 0, 0}, 0}, "#bfbfbf"},      // a light gray
      {{kFourColor, {0, 1, 1, 0}, 0}, "#ff0000"},          // process red
      {{kFourColor, {1, 0, 0, 0.5f}, 0}, "#008080"},       // cyan at half black
      {{kThreeColor, {0, 0.5f, 1, 0}, 0}, "#0080ff"},      // three-colour as it is
      {{kThreeColor, {-0.5f, 1.5f, 0, 0}, 0}, "#00ff00"},  // limited to 0..1
      {{kNoneColor, {0, 0, 0, 0}, 0}, "none"},
      {{kGradient, {0, 0, 0, 0}, 7}, "#808080"},  // no gradients here: mid gray
  };
  int n = 0;
  for (const Case& c : cases) {
    paintedSquare(static_cast<float>(100 + n), 0, 1, c.color);
    ++n;
  }
  std::string svg = exportSvg(*document, SvgMetadata{}).value();
  n = 0;
  for (const Case& c : cases) {
    std::string marker = "M " + std::to_string(100 + n) + " 0";
    EXPECT_EQ(attributeNear(svg, marker, "fill"), c.fill) << n;
    ++n;
  }
}

// A closed path of one anchor whose handles leave it is a visible loop: its
// closing curve runs from the anchor's out handle round to its in handle.
TEST_F(SvgExportTest, AClosedLoneAnchorKeepsItsLoop) {
  AIArtHandle loop = nullptr;
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &loop), kNoErr);
  AIPathSegment s{{10, 20}, {5, 30}, {15, 31}, false};
  ASSERT_EQ(path->SetPathSegments(loop, 0, 1, &s), kNoErr);
  ASSERT_EQ(path->SetPathClosed(loop, 1), kNoErr);
  newPath({{40, 50}});

  std::string svg = exportSvg(*document, SvgMetadata{}).value();
  EXPECT_EQ(attributeNear(svg, "M 10 20", "d"), "M 10 20 C 15 31 5 30 10 20 Z");
  EXPECT_EQ(attributeNear(svg, "M 40 50", "d"), "M 40 50 Z") << "a bare point stays a point";
}

TEST_F(SvgExportTest, NumbersAreFiniteAndReadBackToTheSameFloats) {
  const float awkward[] = {0.1f, 1.0f / 3, 1234.5677f, -0.0001f, 98765.43f, 1e-6f};
  AIArtHandle p = nullptr;
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &p), kNoErr);
  ASInt16 i = 0;
  for (float x : awkward) {
    AIPathSegment s{{x, -x}, {x, -x}, {x, -x}, false};
    ASSERT_EQ(path->SetPathSegments(p, i++, 1, &s), kNoErr);
  }
  AIPathStyle style{};
  ASSERT_EQ(pathStyle->GetPathStyle(p, &style), kNoErr);
  style.strokeWidth = 0.35f;
  ASSERT_EQ(pathStyle->SetPathStyle(p, &style), kNoErr);
  ASSERT_EQ(blend->SetOpacity(p, 0.3f), kNoErr);

  std::string svg = exportSvg(*document, SvgMetadata{}).value();
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
  EXPECT_EQ(svg.find("e+"), std::string::npos);
  std::string d = attributeNear(svg, "<path", "d");
  std::vector<float> numbers;
  std::regex number("-?[0-9]+(\\.[0-9]+)?");
  for (auto it = std::sregex_iterator(d.begin(), d.end(), number); it != std::sregex_iterator();
       ++it) {
    float value = 0;
    std::string text = it->str();
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    ASSERT_EQ(ec, std::errc()) << text;
    ASSERT_TRUE(std::isfinite(value));
    numbers.push_back(value);
  }
  ASSERT_EQ(numbers.size(), 2 * std::size(awkward));
  for (size_t k = 0; k < std::size(awkward); ++k) {
    EXPECT_EQ(numbers[2 * k], awkward[k]);
    EXPECT_EQ(numbers[2 * k + 1], -awkward[k]);
  }
  EXPECT_EQ(std::stof(attributeNear(svg, "<path", "stroke-width")), 0.35f);
  EXPECT_EQ(std::stof(attributeNear(svg, "<path", "opacity")), 0.3f);
}

TEST_F(SvgExportTest, ArtStylesEnvelopesAndSymbolsShowInThePicture) {
  AIArtHandle dashed = newSquare(0, 0, 50);
  AIArtStyleHandle style = nullptr;
  ASSERT_EQ(artStyles->GetNthArtStyle(1, &style), kNoErr);  // dashed stroke
  ASSERT_EQ(artStyles->SetArtStyle(dashed, style), kNoErr);
  std::string svg = exportSvg(*document, SvgMetadata{}).value();
  EXPECT_NE(attributeNear(svg, "M 0 0", "stroke-dasharray"), "");

  AIArtHandle heart = newPath({{200, 200}, {270, 340}, {200, 300}, {130, 340}});
  svg = exportSvg(*document, SvgMetadata{}).value();
  std::string plain = attributeNear(svg, "M 200 200", "d");
  AIArtHandle rect = nullptr, env = nullptr;
  ASSERT_EQ(shape->NewRect(200, 200, 200, 200, 0, &rect), kNoErr);
  ASSERT_EQ(envelope->MakeEnvelope(&heart, 1, rect, nullptr, &env), kNoErr);
  ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpArc, 1, 0, 0, 0), kNoErr);
  AISymbolHandle symbol = nullptr;
  ASSERT_EQ(symbols->NewSymbolFromArt(dashed, 1, &symbol), kNoErr);
  svg = exportSvg(*document, SvgMetadata{}).value();
  // The rectangle shape is not drawn; the heart is drawn warped.
  EXPECT_EQ(countOf(svg, "<path "), 3);  // the dashed square, the warped heart, the symbol's copy
  EXPECT_EQ(svg.find(plain), std::string::npos);
  EXPECT_NE(svg.find("<defs>\n<symbol id=\"symbol-1\""), std::string::npos);
}

TEST_F(SvgExportTest, TheFileIsValidSvgEvenWithAwkwardTexts) {
  if (std::system("command -v xmllint > /dev/null 2>&1") != 0 || !std::filesystem::exists(kSvgDtd))
    GTEST_SKIP() << "xmllint and the SVG 1.1 DTD are needed";
  AIArtHandle heart = newPath({{200, 200}, {270, 340}, {200, 300}, {130, 340}});
  AIArtHandle rect = nullptr, env = nullptr;
  ASSERT_EQ(shape->NewRect(0, 0, 200, 200, 0, &rect), kNoErr);
  ASSERT_EQ(envelope->MakeEnvelope(&heart, 1, rect, nullptr, &env), kNoErr);
  ASSERT_EQ(envelope->SetEnvelopeWarp(env, kWarpTwist, 1, 0.5f, 0.5f, 1), kNoErr);
  AIArtHandle faint = newSquare(0, 0, 10);
  ASSERT_EQ(blend->SetOpacity(faint, 0.5f), kNoErr);
  AIArtStyleHandle style = nullptr;
  ASSERT_EQ(artStyles->GetNthArtStyle(4, &style), kNoErr);
  ASSERT_EQ(artStyles->SetArtStyle(faint, style), kNoErr);
  AISymbolHandle symbol = nullptr;
  ASSERT_EQ(symbols->NewSymbolFromArt(heart, 0, &symbol), kNoErr);
  AILayerHandle hidden = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &hidden), kNoErr);
  document->setLayerVisible(document->tree().layerOf(hidden), false);

  SvgMetadata metadata;
  metadata.title = "Hearts & <kisses> for \"Zoë\" \x01 \xff";
  metadata.description = "line one\nline two ]]> '";
  metadata.recordJson = R"({"heartCount": 3, "note": "a < b && c"})";
  metadata.seed = 7;
  std::string file = tempPath("valid.svg");
  Result<void> written = writeSvgFile(*document, metadata, file);
  ASSERT_TRUE(written) << written.error();
  // Valid against the document type the file declares: SVG 1.1's, read from
  // the local copy, with the file's own declarations of Inkscape's marks.
  const std::string dtdFolder = std::filesystem::path(kSvgDtd).parent_path().string();
  std::string command =
      "xmllint --noout --nonet --valid --path " + dtdFolder + " " + file + " 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST_F(SvgExportTest, TheRunRecordReadsBackFromTheFile) {
  newSquare(0, 0, 10);
  SvgMetadata metadata;
  metadata.title = "Twelve <hearts> & more";
  metadata.description = "drawn by \"heart run\"";
  metadata.recordJson = R"({"heartCount":12,"shapeTweaks":[0,1.5,-2],"symmetric":true})";
  metadata.seed = 4000000000u;
  metadata.randomValues = {0.1f, 0.5f, 0.99f};
  std::string file = tempPath("run.svg");
  Result<void> written = writeSvgFile(*document, metadata, file);
  ASSERT_TRUE(written) << written.error();
  EXPECT_FALSE(std::filesystem::exists(file + ".part"));

  auto read = readSvgMetadata(file);
  ASSERT_TRUE(read) << read.error();
  EXPECT_EQ(read->title, metadata.title);
  EXPECT_EQ(read->description, metadata.description);
  EXPECT_EQ(nlohmann::json::parse(read->recordJson), nlohmann::json::parse(metadata.recordJson));
  EXPECT_EQ(read->seed, metadata.seed);
  EXPECT_EQ(read->randomValues, metadata.randomValues);

  // A drawing without a seed or record reads back without them.
  ASSERT_TRUE(writeSvgFile(*document, SvgMetadata{}, file));
  read = readSvgMetadata(file);
  ASSERT_TRUE(read) << read.error();
  EXPECT_FALSE(read->seed);
  EXPECT_TRUE(read->recordJson.empty());
}

TEST_F(SvgExportTest, BadRecordsAndForeignFilesAreRefusedWithAReason) {
  // Why a result was refused; a text no test looks for when it was not.
  auto refusal = [](const auto& result) {
    return result ? std::string("(not refused)") : result.error();
  };
  SvgMetadata metadata;
  metadata.recordJson = "[1, 2]";
  EXPECT_NE(refusal(exportSvg(*document, metadata)).find("record"), std::string::npos);
  metadata.recordJson.clear();
  metadata.documentJson = "7";
  EXPECT_NE(refusal(exportSvg(*document, metadata)).find("document settings"), std::string::npos);
  metadata.recordJson = "[1, 2]";
  std::string file = tempPath("refused.svg");
  std::filesystem::remove(file);
  EXPECT_NE(refusal(writeSvgFile(*document, metadata, file)).find("record"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(file));

  EXPECT_NE(
      refusal(parseSvgMetadata("<svg xmlns=\"http://www.w3.org/2000/svg\"/>")).find("metadata"),
      std::string::npos);
  EXPECT_FALSE(parseSvgMetadata("<svg><metadata id=\"heart-run\">{oops</metadata></svg>"));
  EXPECT_NE(
      refusal(parseSvgMetadata("<svg><metadata id=\"heart-run\">{\"seed\": -4}</metadata></svg>"))
          .find("seed"),
      std::string::npos);
  EXPECT_FALSE(parseSvgMetadata(
      "<svg><metadata id=\"heart-run\">{\"randomValues\": [0.5, 1.5]}</metadata></svg>"));
  EXPECT_NE(refusal(readSvgMetadata(tempPath("no_such_file.svg"))).find("no_such_file"),
            std::string::npos);
  EXPECT_FALSE(writeSvgFile(*document, SvgMetadata{}, "/no/such/folder/x.svg"));
}

}  // namespace
}  // namespace heart::testing
