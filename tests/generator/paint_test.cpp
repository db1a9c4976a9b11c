// The heart's paint: random and jittered colours per colour kind, stroke
// width, opacity, swatches and art styles.
#include <cmath>

#include "generator_fixture.h"

namespace heart::testing {
namespace {

class PaintTest : public GeneratorTest {
 protected:
  // Runs one heart whose new-path paint has the given fill and stroke.
  AIPathStyle paintedWith(AIColor fill, AIColor stroke, float width = 1) {
    AIPathStyle paint = newPathPaint();
    paint.fillColor = fill;
    paint.strokeColor = stroke;
    paint.strokeWidth = width;
    setNewPathPaint(paint);
    EXPECT_EQ(go(), kNoErr);
    return style(onlyPath());
  }
};

TEST_F(PaintTest, RandomFillSetsGrayOrTheFirstThreeInksAndKeepsProcessBlack) {
  record.randomFill = 1;
  draws({0.2f, 0.4f, 0.6f});
  AIPathStyle s = paintedWith(rgb(1, 1, 1), rgb(0, 0, 0));
  EXPECT_TRUE(sameColour(s.fillColor, rgb(0.2f, 0.4f, 0.6f)));
  EXPECT_TRUE(sameColour(s.strokeColor, rgb(0, 0, 0)));

  openHost(kDocCMYKColor);
  record.randomFill = 1;
  draws({0.2f, 0.4f, 0.6f});
  s = paintedWith(cmyk(0, 0, 0, 0.7f), cmyk(0, 0, 0, 1));
  EXPECT_TRUE(sameColour(s.fillColor, cmyk(0.2f, 0.4f, 0.6f, 0.7f)));

  openHost(kDocGrayColor);
  record.randomFill = 1;
  draws({0.3f});
  s = paintedWith(gray(0), gray(1));
  EXPECT_TRUE(sameColour(s.fillColor, gray(0.3f)));
  EXPECT_EQ(drawCount(), 1u) << "gray takes one draw";
}

TEST_F(PaintTest, RandomStrokeSetsProcessBlackToZero) {
  openHost(kDocCMYKColor);
  record.randomStroke = 1;
  draws({0.2f, 0.4f, 0.6f});
  AIPathStyle s = paintedWith(cmyk(0, 0, 0, 0), cmyk(0, 0, 0, 1));
  EXPECT_TRUE(sameColour(s.strokeColor, cmyk(0.2f, 0.4f, 0.6f, 0)));
  EXPECT_TRUE(sameColour(s.fillColor, cmyk(0, 0, 0, 0)));

  openHost(kDocRGBColor);
  record.randomStroke = 1;
  draws({0.2f, 0.4f, 0.6f});
  s = paintedWith(rgb(1, 1, 1), rgb(0, 0, 0));
  EXPECT_TRUE(sameColour(s.strokeColor, rgb(0.2f, 0.4f, 0.6f)));
}

TEST_F(PaintTest, OtherColourKindsPassUnchangedAndDrawNothing) {
  AIColor gradient{kGradient, {0.1f, 0.2f, 0.3f, 0.4f}, 17};
  AIColor pattern{kPattern, {0.5f, 0.5f, 0.5f, 0.5f}, 3};
  record.randomFill = 1;
  record.jitterFill = 1;
  record.randomStroke = 1;
  record.jitterStroke = 1;
  AIPathStyle s = paintedWith(gradient, pattern);
  EXPECT_EQ(s.fillColor.kind, kGradient);
  EXPECT_EQ(s.fillColor.object, 17);
  EXPECT_FLOAT_EQ(s.fillColor.c[0], 0.1f);
  EXPECT_FLOAT_EQ(s.fillColor.c[3], 0.4f);
  EXPECT_EQ(s.strokeColor.kind, kPattern);
  EXPECT_EQ(s.strokeColor.object, 3);
  EXPECT_EQ(drawCount(), 0u);
}

TEST_F(PaintTest, JitterMovesEachInkByUpToATenthAndClampsToTheUnitRange) {
  record.jitterFill = 1;
  // Per ink: size draw, then the sign draw (negative when above one half).
  draws({0.5f, 0.1f, 0.5f, 0.9f, 0.3f, 0.6f});
  AIPathStyle s = paintedWith(rgb(1, 1, 1), rgb(0, 0, 0));
  EXPECT_TRUE(sameColour(s.fillColor, rgb(1.0f, 0.95f, 0.97f)));

  openHost(kDocRGBColor);
  record.jitterStroke = 1;
  draws({0.5f, 0.1f, 0.5f, 0.9f, 0.3f, 0.6f});
  s = paintedWith(rgb(1, 1, 1), rgb(0, 0, 0.5f));
  EXPECT_TRUE(sameColour(s.strokeColor, rgb(0.05f, 0, 0.47f)));

  openHost(kDocCMYKColor);
  record.jitterFill = 1;
  draws({0.5f, 0.1f});
  s = paintedWith(cmyk(0.5f, 0.5f, 0.5f, 0.5f), cmyk(0, 0, 0, 1));
  EXPECT_TRUE(sameColour(s.fillColor, cmyk(0.55f, 0.55f, 0.55f, 0.5f)));

  openHost(kDocGrayColor);
  record.jitterFill = 1;
  draws({0.5f, 0.9f});
  s = paintedWith(gray(0.02f), gray(1));
  EXPECT_TRUE(sameColour(s.fillColor, gray(0)));
}

TEST_F(PaintTest, StrokeWidthIsScaledOrJitteredAndNeverNegative) {
  record.randomWidth = 1;
  draws({0.25f});
  EXPECT_FLOAT_EQ(paintedWith(rgb(1, 1, 1), rgb(0, 0, 0), 2).strokeWidth, 0.5f);

  struct Case {
    float size, sign, width;
  };
  for (Case c : {Case{0.5f, 0.1f, 2.5f}, Case{0.5f, 0.9f, 0.0f}, Case{0.1f, 0.9f, 0.7f}}) {
    openHost(kDocRGBColor);
    record.jitterWidth = 1;
    draws({c.size, c.sign});
    EXPECT_NEAR(paintedWith(rgb(1, 1, 1), rgb(0, 0, 0), 1).strokeWidth, c.width, 1e-5f);
  }
}

TEST_F(PaintTest, RandomOpacityUsesOneDraw) {
  record.randomOpacity = 1;
  draws({0.3f});
  ASSERT_EQ(go(), kNoErr);
  EXPECT_FLOAT_EQ(opacity(onlyPath()), 0.3f);
}

TEST_F(PaintTest, SwatchFillChoosesFromTheThirdSwatchOn) {
  const std::vector<heart::Swatch> swatches = document().swatches();
  const int n = static_cast<int>(swatches.size());
  ASSERT_GE(n, 4);
  for (int index = 2; index < n; ++index) {
    openHost(kDocRGBColor);
    record.randomFillSwatches = 1;
    // floor(r * n) + 1 == index
    draws({(static_cast<float>(index) - 0.5f) / static_cast<float>(n)});
    AIPathStyle paint = newPathPaint();
    paint.fillPaint = false;
    setNewPathPaint(paint);
    ASSERT_EQ(go(), kNoErr);
    AIPathStyle s = style(onlyPath());
    EXPECT_TRUE(s.fillPaint);
    EXPECT_TRUE(sameColour(s.fillColor, swatches[index].color)) << "swatch " << index;
  }
  // The lowest draws would name the first two swatches; they give the third.
  openHost(kDocRGBColor);
  record.randomFillSwatches = 1;
  draws({0.0f});
  ASSERT_EQ(go(), kNoErr);
  EXPECT_TRUE(sameColour(style(onlyPath()).fillColor, document().swatches()[2].color));
}

TEST_F(PaintTest, SwatchIndexPastTheListKeepsTheFill) {
  record.randomFillSwatches = 1;
  draws({0.999f});  // index n: past the end of a list counted from 0
  AIPathStyle s = paintedWith(rgb(0.1f, 0.2f, 0.3f), rgb(0, 0, 0));
  EXPECT_TRUE(s.fillPaint);
  EXPECT_TRUE(sameColour(s.fillColor, rgb(0.1f, 0.2f, 0.3f)));
}

TEST_F(PaintTest, RandomStyleNeverChoosesTheDefaultStyle) {
  const int m = static_cast<int>(document().artStyles().size());
  ASSERT_GE(m, 3);
  struct Case {
    float draw;
    int index;
  };
  for (Case c : {Case{0.0f, 1}, Case{0.5f / m, 1}, Case{1.5f / m, 1}, Case{2.5f / m, 2},
                 Case{0.999f, m - 1}}) {
    openHost(kDocRGBColor);
    record.randomStyle = 1;
    draws({c.draw});
    ASSERT_EQ(go(), kNoErr);
    EXPECT_EQ(document().tree().node(onlyPath()).content.artStyle, c.index) << c.draw;
  }
}

}  // namespace
}  // namespace heart::testing
