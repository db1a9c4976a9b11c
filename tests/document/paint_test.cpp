// The paint of new art, swatches, art styles, opacity and tags.
#include <set>

#include "export/svg_text.h"
#include "support/document_suites_fixture.h"

namespace heart::testing {
namespace {

using PaintTest = SuiteTest;

TEST_F(PaintTest, NewPathsTakeAWhiteFillAndABlackOnePointStrokeInTheDocumentsModel) {
  struct Case {
    int16_t model;
    int16_t kind;
  };
  for (Case c : {Case{kDocGrayColor, kGrayColor}, Case{kDocRGBColor, kThreeColor},
                 Case{kDocCMYKColor, kFourColor}}) {
    openDocument(DocumentSettings{612, 792, c.model, {}});
    ASInt16 model = -1;
    ASSERT_EQ(doc->GetDocumentColorModel(&model), kNoErr);
    EXPECT_EQ(model, c.model);
    AIArtHandle p = newSquare(0, 0, 1);
    AIPathStyle style{};
    ASSERT_EQ(pathStyle->GetPathStyle(p, &style), kNoErr);
    EXPECT_TRUE(style.fillPaint && style.strokePaint);
    EXPECT_EQ(style.strokeWidth, 1);
    EXPECT_EQ(style.fillColor.kind, c.kind);
    EXPECT_EQ(style.strokeColor.kind, c.kind);
    // White fill and black stroke, as each model writes them.
    char fill[8] = {}, stroke[8] = {};
    ASSERT_TRUE(screenColor(style.fillColor, fill));
    ASSERT_TRUE(screenColor(style.strokeColor, stroke));
    EXPECT_STREQ(fill, "#ffffff") << c.model;
    EXPECT_STREQ(stroke, "#000000") << c.model;
  }
  // The command line can set another paint.
  AIPathStyle red = Document::defaultPaint(kDocRGBColor);
  red.fillColor = AIColor{kThreeColor, {1, 0, 0, 0}, 0};
  red.strokePaint = 0;
  document->setCurrentPaint(red);
  AIPathStyle style{};
  ASSERT_EQ(pathStyle->GetPathStyle(newSquare(0, 0, 1), &style), kNoErr);
  EXPECT_EQ(style.fillColor.c[0], 1);
  EXPECT_EQ(style.fillColor.c[1], 0);
  EXPECT_FALSE(style.strokePaint);
}

TEST_F(PaintTest, SwatchIndicesCountFromZeroAndPastTheEndGiveNoColour) {
  ASInt32 count = swatches->CountSwatches(nullptr);
  ASSERT_GE(count, 14);
  char name[64];
  ASSERT_EQ(swatches->GetSwatchName(swatches->GetNthSwatch(nullptr, 0), name, sizeof name), kNoErr);
  EXPECT_STREQ(name, "[None]");
  ASSERT_EQ(swatches->GetSwatchName(swatches->GetNthSwatch(nullptr, 1), name, sizeof name), kNoErr);
  EXPECT_STREQ(name, "[Registration]");
  AIColor color{};
  ASSERT_EQ(swatches->GetAIColor(swatches->GetNthSwatch(nullptr, 0), &color), kNoErr);
  EXPECT_EQ(color.kind, kNoneColor);

  // The palette mixes process, three-colour and gray swatches, all different.
  std::set<int16_t> kinds;
  std::set<std::string> names;
  for (ASInt32 i = 2; i < count; ++i) {
    AISwatchRef swatch = swatches->GetNthSwatch(nullptr, i);
    ASSERT_NE(swatch, nullptr) << i;
    ASSERT_EQ(swatches->GetAIColor(swatch, &color), kNoErr);
    kinds.insert(color.kind);
    ASSERT_EQ(swatches->GetSwatchName(swatch, name, sizeof name), kNoErr);
    names.insert(name);
  }
  EXPECT_EQ(kinds, (std::set<int16_t>{kGrayColor, kFourColor, kThreeColor}));
  EXPECT_EQ(names.size(), static_cast<size_t>(count - 2));

  // Index count (one past the end) names no swatch; its colour cannot be read
  // and the caller's colour stays as it was.
  EXPECT_EQ(swatches->GetNthSwatch(nullptr, count), nullptr);
  EXPECT_EQ(swatches->GetNthSwatch(nullptr, -1), nullptr);
  AIColor kept{kThreeColor, {0.25f, 0.5f, 0.75f, 0}, 0};
  EXPECT_EQ(swatches->GetAIColor(swatches->GetNthSwatch(nullptr, count), &kept), kBadParameterErr);
  EXPECT_EQ(kept.kind, kThreeColor);
  EXPECT_EQ(kept.c[1], 0.5f);

  // A name that does not fit is cut, terminated, and reported.
  char small[4];
  EXPECT_EQ(swatches->GetSwatchName(swatches->GetNthSwatch(nullptr, 1), small, sizeof small),
            kBadParameterErr);
  EXPECT_STREQ(small, "[Re");
}

TEST_F(PaintTest, ArtStylesStartWithTheDefaultAndStayWithTheArt) {
  ASInt32 count = 0;
  ASSERT_EQ(artStyles->CountArtStyles(&count), kNoErr);
  ASSERT_GE(count, 4);
  AIArtStyleHandle style = nullptr;
  char name[64];
  ASSERT_EQ(artStyles->GetNthArtStyle(0, &style), kNoErr);
  ASSERT_EQ(artStyles->GetArtStyleName(style, name, sizeof name), kNoErr);
  EXPECT_STREQ(name, "[Default]");
  EXPECT_EQ(artStyles->GetNthArtStyle(count, &style), kBadParameterErr);
  EXPECT_EQ(artStyles->GetNthArtStyle(-1, &style), kBadParameterErr);

  AIArtHandle p = newSquare(0, 0, 1);
  ASSERT_EQ(artStyles->GetNthArtStyle(count - 1, &style), kNoErr);
  ASSERT_EQ(artStyles->SetArtStyle(p, style), kNoErr);
  AIArtHandle copy = nullptr;
  ASSERT_EQ(art->DuplicateArt(p, kPlaceAboveAll, p, &copy), kNoErr);
  EXPECT_EQ(document->tree().node(id(copy)).content.artStyle, count - 1);
  EXPECT_EQ(artStyles->SetArtStyle(p, nullptr), kBadParameterErr);
}

TEST_F(PaintTest, OpacityStrokeWidthAndTagsAreChecked) {
  AIArtHandle p = newSquare(0, 0, 1);
  EXPECT_EQ(blend->GetOpacity(p), 1);
  ASSERT_EQ(blend->SetOpacity(p, 1.7f), kNoErr);
  EXPECT_EQ(blend->GetOpacity(p), 1);
  ASSERT_EQ(blend->SetOpacity(p, -2), kNoErr);
  EXPECT_EQ(blend->GetOpacity(p), 0);
  EXPECT_EQ(blend->SetOpacity(p, std::nanf("")), kBadParameterErr);

  // Colours are kept as given, even outside 0..1; widths must be finite.
  AIPathStyle style{};
  ASSERT_EQ(pathStyle->GetPathStyle(p, &style), kNoErr);
  style.strokeColor = AIColor{kThreeColor, {-0.5f, 1.5f, 0.5f, 0}, 0};
  ASSERT_EQ(pathStyle->SetPathStyle(p, &style), kNoErr);
  AIPathStyle read{};
  ASSERT_EQ(pathStyle->GetPathStyle(p, &read), kNoErr);
  EXPECT_EQ(read.strokeColor.c[0], -0.5f);
  style.strokeWidth = std::numeric_limits<float>::infinity();
  EXPECT_EQ(pathStyle->SetPathStyle(p, &style), kBadParameterErr);

  // Tags: named texts that copies keep.
  char buffer[32];
  EXPECT_EQ(tags->GetTag(p, "kind", buffer, sizeof buffer), HEART_FOUR_CC('N', 'o', 'T', 'g'));
  ASSERT_EQ(tags->SetTag(p, "kind", "heart"), kNoErr);
  ASSERT_EQ(tags->SetTag(p, "kind", "shadow"), kNoErr);
  AIArtHandle copy = nullptr;
  ASSERT_EQ(art->DuplicateArt(p, kPlaceAboveAll, p, &copy), kNoErr);
  ASSERT_EQ(tags->GetTag(copy, "kind", buffer, sizeof buffer), kNoErr);
  EXPECT_STREQ(buffer, "shadow");
}

TEST_F(PaintTest, RedrawIsCountedAndHeard) {
  int heard = 0;
  document->setRedrawListener([&] { ++heard; });
  ASSERT_EQ(doc->RedrawDocument(), kNoErr);
  ASSERT_EQ(doc->RedrawDocument(), kNoErr);
  EXPECT_EQ(document->redrawCount(), 2u);
  EXPECT_EQ(heard, 2);
}

}  // namespace
}  // namespace heart::testing
