// A drawing's own solid swatches as its palette, in Inkscape's forms.
#include "swatches/drawing_swatches.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace heart::testing {
namespace {

// Inkscape 1.x marks a swatch inkscape:swatch="solid"; before 1.0 it wrote
// osb:paint="solid". A gradient that only refers to another's stops names no
// colour of its own; an ordinary gradient is no swatch.
constexpr const char* kSwatchDrawing = R"svg(<svg xmlns="http://www.w3.org/2000/svg"
  xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"
  xmlns:osb="http://www.openswatchbook.org/uri/2009/osb"
  xmlns:xlink="http://www.w3.org/1999/xlink" width="100" height="50">
 <defs>
  <linearGradient id="swatch1" inkscape:swatch="solid" inkscape:label="Rose">
   <stop style="stop-opacity:1 ; stop-color: #e8a0b4" offset="0"/></linearGradient>
  <linearGradient id="ink" osb:paint="solid"><stop stop-color="rgb(0 0 255)" offset="0"/></linearGradient>
  <linearGradient id="user" xlink:href="#ink" inkscape:swatch="solid"/>
  <linearGradient id="fade"><stop stop-color="red" offset="0"/><stop offset="1"/></linearGradient>
  <linearGradient id="odd" inkscape:swatch="solid"><stop style="stop-color:currentColor"/></linearGradient>
  <linearGradient id="plain" inkscape:swatch="solid"><stop offset="0"/></linearGradient>
 </defs>
</svg>)svg";

TEST(DrawingSwatches, SolidSwatchesAreThePaletteInTheDrawingsOrder) {
  if (!canOpenDrawings()) GTEST_SKIP() << "this build opens no drawings";
  Result<Drawing> drawing = readDrawing(kSwatchDrawing, "card.svg");
  ASSERT_TRUE(drawing) << drawing.error();
  DrawingPalette palette = paletteOfDrawing(*drawing);
  ASSERT_EQ(palette.colours.size(), 3u);
  EXPECT_EQ(palette.colours[0].name, "Rose");
  EXPECT_EQ(palette.colours[0].color.kind, kThreeColor);
  EXPECT_FLOAT_EQ(palette.colours[0].color.c[0], 0xe8 / 255.0f);
  EXPECT_FLOAT_EQ(palette.colours[0].color.c[1], 0xa0 / 255.0f);
  EXPECT_FLOAT_EQ(palette.colours[0].color.c[2], 0xb4 / 255.0f);
  EXPECT_EQ(palette.colours[1].name, "ink");
  EXPECT_FLOAT_EQ(palette.colours[1].color.c[0], 0.0f);
  EXPECT_FLOAT_EQ(palette.colours[1].color.c[2], 1.0f);
  // A stop without a colour is black, as SVG paints it.
  EXPECT_EQ(palette.colours[2].name, "plain");
  EXPECT_FLOAT_EQ(
      palette.colours[2].color.c[0] + palette.colours[2].color.c[1] + palette.colours[2].color.c[2],
      0.0f);
  EXPECT_EQ(palette.skipped, std::vector<std::string>{"odd (currentColor)"});
}

TEST(DrawingSwatches, ADrawingServesAsAPaletteFileOnlyWithSwatches) {
  if (!canOpenDrawings()) GTEST_SKIP() << "this build opens no drawings";
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "heart_drawing_swatches";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "card.SVG") << kSwatchDrawing;
  std::ofstream(folder / "blank.svg")
      << R"(<svg xmlns="http://www.w3.org/2000/svg" width="9" height="9"/>)";
  Result<std::vector<Swatch>> read = readSwatchesFile((folder / "card.SVG").string());
  ASSERT_TRUE(read) << read.error();
  EXPECT_EQ(read->size(), 3u);
  Result<std::vector<Swatch>> none = readSwatchesFile((folder / "blank.svg").string());
  ASSERT_FALSE(none);
  EXPECT_EQ(none.error(), (folder / "blank.svg").string() +
                              ": the drawing holds no solid swatches heart can read");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace heart::testing
