// The settings a run reads: colour models as the command line spells them, and what `--from` reads
// out of a drawing (the run's seed and random values, the document settings and paint), each range
// checked at its edges.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "document_options.h"
#include "export/svg_export.h"

namespace heart::testing {
namespace {

Result<SvgMetadata> runRecord(const std::string& json) {
  return parseSvgMetadata("<svg><metadata id=\"heart-run\">" + json + "</metadata></svg>");
}

TEST(CommandLineSettings, EachColourModelByNameOrNumber) {
  const struct {
    const char* text;
    int16_t model;
  } models[] = {{"gray", kDocGrayColor}, {"grey", kDocGrayColor}, {"0", kDocGrayColor},
                {"rgb", kDocRGBColor},   {"1", kDocRGBColor},     {"cmyk", kDocCMYKColor},
                {"2", kDocCMYKColor}};
  for (const auto& m : models) {
    Result<int16_t> model = cli::parseColorModel(m.text);
    ASSERT_TRUE(model) << m.text;
    EXPECT_EQ(*model, m.model) << m.text;
  }
  EXPECT_FALSE(cli::parseColorModel("3"));
}

TEST(FromMetadata, TheSeedHoldsThirtyTwoBitsAndRandomValuesLieBelowOne) {
  auto lowest = runRecord(R"({"seed": 0})");
  ASSERT_TRUE(lowest);
  EXPECT_EQ(lowest->seed, 0u);
  auto highest = runRecord(R"({"seed": 4294967295})");
  ASSERT_TRUE(highest);
  EXPECT_EQ(highest->seed, 4294967295u);
  for (const char* refused : {"4294967296", "-1", "1.5", "\"7\""})
    EXPECT_FALSE(runRecord(std::string(R"({"seed": )") + refused + "}")) << refused;

  auto values = runRecord(R"({"randomValues": [0, 0.99999994, 0.25]})");
  ASSERT_TRUE(values);
  EXPECT_EQ(values->randomValues, (std::vector<float>{0, 0.99999994f, 0.25f}));
  for (const char* refused : {"1", "-1e-9", "\"0.5\"", "null"})
    EXPECT_FALSE(runRecord(std::string(R"({"randomValues": [0.5, )") + refused + "]}")) << refused;
}

TEST(FromMetadata, DocumentSettingsAreRefusedJustPastEachLimit) {
  AIPathStyle paint{};
  paint.fillPaint = paint.strokePaint = 1;
  paint.fillColor = AIColor{kThreeColor, {0.5f, 0.5f, 0.5f, 0}, 0};
  paint.strokeColor = AIColor{kGrayColor, {0.5f, 0, 0, 0}, 0};
  paint.strokeWidth = 2;
  const nlohmann::json base =
      nlohmann::json::parse(cli::documentSettingsJson(DocumentSettings{612, 792, 1}, paint));
  auto reads = [&](const nlohmann::json::json_pointer& at, const nlohmann::json& value) {
    nlohmann::json edited = base;
    edited[at] = value;
    return cli::parseDocumentSettingsJson(edited.dump());
  };
  using Pointer = nlohmann::json::json_pointer;
  const struct {
    const char* at;
    nlohmann::json inside, outside;
  } edges[] = {
      {"/pageWidth", 0.001, 0},
      {"/pageHeight", 0.001, -0.001},
      {"/colorModel", 0, -1},
      {"/colorModel", 2, 3},
      {"/colorModel", 1, 4294967297LL},  // 1 in its low 32 bits
      {"/strokeWidth", 0, -0.001},
      {"/fill/c/0", 0, -0.001},
      {"/fill/c/2", 1, 1.001},
      {"/stroke/c/0", 1, 1.001},
      {"/fill/kind", kFourColor, 65541},  // rgb (5) in its low 16
                                          // bits
      {"/stroke/kind", kNoneColor, 7},
  };
  for (const auto& edge : edges) {
    EXPECT_TRUE(reads(Pointer(edge.at), edge.inside)) << edge.at << " " << edge.inside;
    EXPECT_FALSE(reads(Pointer(edge.at), edge.outside)) << edge.at << " " << edge.outside;
  }
  // What is read is what the drawing holds.
  Result<cli::DrawingSettings> read = reads(Pointer("/colorModel"), 2);
  ASSERT_TRUE(read) << read.error();
  const cli::DrawingSettings& settings = *read;
  EXPECT_EQ(settings.document.colorModel, kDocCMYKColor);
  EXPECT_EQ(settings.document.pageWidth, 612);
  EXPECT_EQ(settings.document.pageHeight, 792);
  EXPECT_EQ(settings.strokeWidth, 2);
  EXPECT_EQ(settings.fill.kind, kThreeColor);
  EXPECT_EQ(settings.stroke.kind, kGrayColor);
  EXPECT_EQ(settings.stroke.c[0], 0.5f);
}

}  // namespace
}  // namespace heart::testing
