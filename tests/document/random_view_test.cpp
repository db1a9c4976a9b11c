// The random source and the document view.
#include <cstdio>
#include <fstream>

#include "support/document_suites_fixture.h"

namespace heart::testing {
namespace {

std::string writeTemporary(const std::string& name, const std::string& text) {
  std::string path = ::testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

TEST(RandomSourceTest, SeededSourcesRepeatAndStayInUnitRange) {
  RandomSource first(42), second(42), other(43);
  bool differs = false;
  double sum = 0;
  for (int i = 0; i < 10000; ++i) {
    float a = first.next();
    ASSERT_EQ(a, second.next());
    ASSERT_GE(a, 0.0f);
    ASSERT_LT(a, 1.0f);
    differs |= a != other.next();
    sum += a;
  }
  EXPECT_TRUE(differs);
  EXPECT_NEAR(sum / 10000, 0.5, 0.02);
  EXPECT_EQ(first.seedValue(), 42u);
  EXPECT_EQ(first.drawCount(), 10000u);
  // Seeding again starts the same draws again.
  first.seed(42);
  RandomSource fresh(42);
  EXPECT_EQ(first.next(), fresh.next());
}

TEST(RandomSourceTest, AFixedSequenceIsUsedInOrderAndStartedOver) {
  RandomSource source(1);
  source.useSequence({0.1f, 0.5f, 0.9f});
  EXPECT_TRUE(source.usingSequence());
  float expected[] = {0.1f, 0.5f, 0.9f, 0.1f, 0.5f, 0.9f, 0.1f};
  for (float value : expected) EXPECT_EQ(source.next(), value);
  // Values outside [0, 1) are limited to it.
  source.useSequence({1.0f, -3.0f, std::nanf("")});
  EXPECT_LT(source.next(), 1.0f);
  EXPECT_GT(source.next() + 1.0f, 0.999f);
  EXPECT_EQ(source.next(), 0.0f);
  // An empty sequence returns to the seeded draws.
  source.useSequence({});
  EXPECT_FALSE(source.usingSequence());
}

TEST(RandomSourceTest, MovedToADrawCountItDrawsOnFromThere) {
  RandomSource source(7);
  std::vector<float> drawn;
  for (int i = 0; i < 6; ++i) drawn.push_back(source.next());
  EXPECT_EQ(source.drawnSinceStart(), 6u);
  source.moveTo(2);
  for (int i = 2; i < 6; ++i) EXPECT_EQ(source.next(), drawn[i]) << i;
  source.moveTo(0);
  EXPECT_EQ(source.next(), drawn[0]);
  // In a sequence the place goes round: the fifth of three values is the second.
  source.useSequence({0.1f, 0.5f, 0.9f});
  source.next();
  source.noteRunStart();
  EXPECT_EQ(source.runStart(), 1u);
  source.moveTo(4);
  EXPECT_EQ(source.next(), 0.5f);
  source.seed(7);  // a new seed starts the count again
  EXPECT_EQ(source.drawnSinceStart(), 0u);
  EXPECT_EQ(source.runStart(), 0u);
}

TEST(RandomSourceTest, SequenceFilesHoldOneRealALineAndBadLinesAreNamed) {
  RandomSource source(1);
  std::string good = writeTemporary("good_values.txt", "# draws\n0.25\n\n  0.75  \n0\n");
  Result<void> loaded = source.loadSequenceFile(good);
  ASSERT_TRUE(loaded) << loaded.error();
  EXPECT_EQ(source.sequence(), (std::vector<float>{0.25f, 0.75f, 0.0f}));

  std::string word = writeTemporary("word_values.txt", "0.5\nhalf\n");
  loaded = source.loadSequenceFile(word);
  ASSERT_FALSE(loaded);
  EXPECT_NE(loaded.error().find(":2:"), std::string::npos) << loaded.error();
  EXPECT_NE(loaded.error().find("half"), std::string::npos) << loaded.error();
  std::string one = writeTemporary("one_values.txt", "0.5\n0.2\n1\n");
  loaded = source.loadSequenceFile(one);
  ASSERT_FALSE(loaded);
  EXPECT_NE(loaded.error().find(":3:"), std::string::npos) << loaded.error();
  std::string negative = writeTemporary("negative_values.txt", "-0.1\n");
  EXPECT_FALSE(source.loadSequenceFile(negative));
  std::string trailing = writeTemporary("trailing_values.txt", "0.5x\n");
  EXPECT_FALSE(source.loadSequenceFile(trailing));
  std::string empty = writeTemporary("empty_values.txt", "\n# nothing\n");
  EXPECT_FALSE(source.loadSequenceFile(empty));
  EXPECT_FALSE(source.loadSequenceFile(::testing::TempDir() + "missing_values.txt"));
  // A failed load leaves the source as it was.
  EXPECT_EQ(source.sequence(), (std::vector<float>{0.25f, 0.75f, 0.0f}));
}

using ViewTest = SuiteTest;

TEST_F(ViewTest, RandomSuiteDrawsFromTheHostsSource) {
  random.useSequence({0.125f, 0.875f});
  EXPECT_EQ(rnd->FloatRnd(), 0.125f);
  EXPECT_EQ(rnd->FloatRnd(), 0.875f);
  EXPECT_EQ(rnd->FloatRnd(), 0.125f);
}

TEST_F(ViewTest, FrontViewIsCentredOnThePageAndConvertsWindowPointsThroughZoom) {
  openDocument(DocumentSettings{400, 300, kDocRGBColor, {}});
  AIDocumentViewHandle front = nullptr;
  ASSERT_EQ(view->GetNthDocumentView(0, &front), kNoErr);
  EXPECT_EQ(view->GetNthDocumentView(1, &front), kBadParameterErr);
  AIRealPoint centre{};
  ASSERT_EQ(view->GetDocumentViewCenter(front, &centre), kNoErr);
  EXPECT_EQ(centre.h, 200);
  EXPECT_EQ(centre.v, 150);

  // The window's middle shows the centre; down the window is down the page.
  ASPoint middle{DocumentView::kDefaultWindowWidth / 2, DocumentView::kDefaultWindowHeight / 2};
  AIRealPoint artwork{};
  ASSERT_EQ(view->ViewPointToArtworkPoint(front, &middle, &artwork), kNoErr);
  EXPECT_EQ(artwork.h, 200);
  EXPECT_EQ(artwork.v, 150);
  ASSERT_EQ(view->SetDocumentViewZoom(front, 2), kNoErr);
  ASPoint lower{middle.h + 100, middle.v + 40};
  ASSERT_EQ(view->ViewPointToArtworkPoint(front, &lower, &artwork), kNoErr);
  EXPECT_EQ(artwork.h, 250);
  EXPECT_EQ(artwork.v, 130);
  ASPoint back{};
  ASSERT_EQ(view->ArtworkPointToViewPoint(front, &artwork, &back), kNoErr);
  EXPECT_EQ(back.h, lower.h);
  EXPECT_EQ(back.v, lower.v);

  // Moving the centre moves the conversion with it.
  AIRealPoint moved{0, 0};
  ASSERT_EQ(view->SetDocumentViewCenter(front, &moved), kNoErr);
  ASSERT_EQ(view->ViewPointToArtworkPoint(front, &middle, &artwork), kNoErr);
  EXPECT_EQ(artwork.h, 0);
  EXPECT_EQ(artwork.v, 0);

  // Zooms that make no sense are refused; far points that do not fit are too.
  EXPECT_EQ(view->SetDocumentViewZoom(front, 0), kBadParameterErr);
  EXPECT_EQ(view->SetDocumentViewZoom(front, std::nanf("")), kBadParameterErr);
  AIReal zoom = 0;
  ASSERT_EQ(view->GetDocumentViewZoom(front, &zoom), kNoErr);
  EXPECT_EQ(zoom, 2);
  AIRealPoint far{3e9f, 0};
  EXPECT_EQ(view->ArtworkPointToViewPoint(front, &far, &back), kBadParameterErr);
}

TEST(DocumentSettingsTest, PageSizesAndColourModelsAreChecked) {
  EXPECT_THROW(Document(DocumentSettings{0, 792, kDocRGBColor, {}}), std::invalid_argument);
  EXPECT_THROW(Document(DocumentSettings{612, std::nanf(""), kDocRGBColor, {}}),
               std::invalid_argument);
  EXPECT_THROW(Document(DocumentSettings{612, 792, 3, {}}), std::invalid_argument);
  // The check that refuses them without constructing anything.
  EXPECT_FALSE(Document::check(DocumentSettings{0, 792, kDocRGBColor, {}}));
  EXPECT_FALSE(Document::check(DocumentSettings{612, 1000001, kDocRGBColor, {}}));
  EXPECT_FALSE(Document::check(DocumentSettings{612, 792, 3, {}}));
  EXPECT_TRUE(Document::check(DocumentSettings{1000000, 1000000, kDocGrayColor, {}}));
  Document custom(DocumentSettings{1000, 500, kDocCMYKColor, {}});
  EXPECT_EQ(custom.pageSize().h, 1000);
  EXPECT_EQ(custom.pageSize().v, 500);
  EXPECT_EQ(custom.colorModel(), kDocCMYKColor);
}

}  // namespace
}  // namespace heart::testing
