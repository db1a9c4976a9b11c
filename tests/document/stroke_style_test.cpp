// The stroke a path draws with once its art style is applied: what the SVG
// writes and the renderer strokes.
#include "document/stroke_style.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/art_style_list.h"

namespace heart::testing {
namespace {

ArtContent strokedWidth(float width, int32_t artStyle) {
  ArtContent content;
  content.style.strokePaint = 1;
  content.style.strokeWidth = width;
  content.artStyle = artStyle;
  return content;
}

TEST(StrokeStyleTest, EveryArtStyleScalesWidthAndDashesByTheStrokeWidth) {
  struct Row {
    float width;
    bool round, patterned;
    float dash, gap;
  };
  // A 3-point stroke under each of the document's art styles.
  const Row expected[] = {
      {3, false, false, 0, 0},        // [Default]
      {3, false, true, 12, 6},        // Dashed Stroke: dash 4, gap 2 widths
      {3, true, false, 0, 0},         // Round Joins
      {6, false, false, 0, 0},        // Double Weight Stroke
      {4.5f, true, true, 0.045f, 9},  // Dotted Round: 1.5 times as wide, dash 0.01, gap 2
  };
  std::vector<ArtStyle> styles = defaultArtStyles();
  ASSERT_EQ(styles.size(), std::size(expected));
  for (size_t i = 0; i < styles.size(); ++i) {
    SCOPED_TRACE(styles[i].name);
    StrokeStyle stroke = strokeStyleOf(strokedWidth(3, static_cast<int32_t>(i)), styles);
    EXPECT_FLOAT_EQ(stroke.width, expected[i].width);
    EXPECT_EQ(stroke.round, expected[i].round);
    EXPECT_EQ(stroke.patterned, expected[i].patterned);
    EXPECT_FLOAT_EQ(stroke.dash, expected[i].dash);
    EXPECT_FLOAT_EQ(stroke.gap, expected[i].gap);
  }
}

TEST(StrokeStyleTest, UnknownStylesDrawAsTheDefaultAndWidthsNotAboveZeroAsNone) {
  std::vector<ArtStyle> styles = defaultArtStyles();
  for (int32_t index : {-1, 5, 1000}) {
    StrokeStyle stroke = strokeStyleOf(strokedWidth(2.5f, index), styles);
    EXPECT_EQ(stroke.width, 2.5f) << index;
    EXPECT_FALSE(stroke.round || stroke.patterned) << index;
  }
  for (float width : {0.0f, -2.0f}) {
    StrokeStyle stroke = strokeStyleOf(strokedWidth(width, 3), styles);
    EXPECT_EQ(stroke.width, 0) << width;
    EXPECT_EQ(stroke.dash + stroke.gap, 0) << width;
  }
}

}  // namespace
}  // namespace heart::testing
