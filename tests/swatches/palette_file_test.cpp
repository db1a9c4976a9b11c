// Palettes read into swatches: GIMP palettes written by GIMP, colour lists
// and style sheets as palette sites export them.
#include "swatches/palette_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace heart::testing {
namespace {

const std::string kPalettes = std::string(HEART_SOURCE_DIR) + "/tests/data/palettes/";

void expectRgb(const Swatch& swatch, const char* name, int r, int g, int b) {
  SCOPED_TRACE(swatch.name);
  EXPECT_EQ(swatch.name, name);
  EXPECT_EQ(swatch.color.kind, kThreeColor);
  EXPECT_FLOAT_EQ(swatch.color.c[0], r / 255.0f);
  EXPECT_FLOAT_EQ(swatch.color.c[1], g / 255.0f);
  EXPECT_FLOAT_EQ(swatch.color.c[2], b / 255.0f);
}

TEST(Palettes, GimpsOwnPalettesAreReadInTheirOrderWithTheirNames) {
  Result<std::vector<Swatch>> tango = readPaletteFile(kPalettes + "Tango.gpl");
  ASSERT_TRUE(tango) << tango.error();
  ASSERT_EQ(tango->size(), 27u);
  expectRgb(tango->front(), "Butter 1", 252, 233, 79);
  expectRgb((*tango)[5], "Chameleon 3", 78, 154, 6);
  expectRgb(tango->back(), "Aluminium 6", 46, 52, 54);

  // A colour without a name is named by its value.
  Result<std::vector<Swatch>> ega = readPaletteFile(kPalettes + "Ega.gpl");
  ASSERT_TRUE(ega) << ega.error();
  ASSERT_EQ(ega->size(), 240u);
  expectRgb((*ega)[0], "grey0", 0, 0, 0);
  expectRgb((*ega)[1], "#a800a8", 168, 0, 168);
  expectRgb(ega->back(), "grey33", 84, 84, 84);
}

TEST(Palettes, ListsAndStyleSheetsTakeEveryFormOfColour) {
  Result<std::vector<Swatch>> list = parsePalette(
      "\xEF\xBB\xBF// brand colours\r\n#e8a0b4\r\n\r\n; lospec writes bare hex\nff8000\n"
      "rgb(255 192 203)\ncmyk:0,0.5,1,0.25\ngray:0.5\n",
      PaletteFormat::kColourList, "brand.txt");
  ASSERT_TRUE(list) << list.error();
  ASSERT_EQ(list->size(), 5u);
  expectRgb((*list)[0], "#e8a0b4", 0xe8, 0xa0, 0xb4);
  expectRgb((*list)[1], "ff8000", 255, 128, 0);
  expectRgb((*list)[2], "rgb(255 192 203)", 255, 192, 203);
  EXPECT_EQ((*list)[3].color.kind, kFourColor);
  EXPECT_FLOAT_EQ((*list)[3].color.c[3], 0.25f);
  EXPECT_EQ((*list)[4].color.kind, kGrayColor);

  Result<std::vector<Swatch>> sheet = parsePalette(
      ":root {\n  --rose: #e8a0b4; /* --not-this: #000000; */\n  --gap: 4px;\n"
      "  --leaf:rgb(0, 128, 0)}\n.x { color: red; --sky : skyblue }",
      PaletteFormat::kCss, "brand.css");
  ASSERT_TRUE(sheet) << sheet.error();
  ASSERT_EQ(sheet->size(), 3u);
  expectRgb((*sheet)[0], "rose", 0xe8, 0xa0, 0xb4);
  expectRgb((*sheet)[1], "leaf", 0, 128, 0);
  expectRgb((*sheet)[2], "sky", 135, 206, 235);
}

TEST(Palettes, AFaultyPaletteIsRefusedNamingTheFileAndLine) {
  const struct {
    const char* text;
    PaletteFormat format;
    const char* message;
  } cases[] = {
      {"Name: x\n1 2 3 a\n", PaletteFormat::kGimp,
       "p: a GIMP palette starts with the line \"GIMP Palette\""},
      {"GIMP Palette\n# c\n1 2 3 ok\n1 2 256 high\n", PaletteFormat::kGimp,
       "p line 4: \"1 2 256 high\" is not red, green and blue from 0 to 255 and a name"},
      {"GIMP Palette\n1 2\n", PaletteFormat::kGimp,
       "p line 2: \"1 2\" is not red, green and blue from 0 to 255 and a name"},
      {"GIMP Palette\nName: empty\n", PaletteFormat::kGimp, "p: the palette holds no colours"},
      {"#fff\nbanana\n", PaletteFormat::kColourList,
       "p line 2: colour \"banana\" is not none, gray:G, rgb:R,G,B, cmyk:C,M,Y,K (0 to 1), "
       "#rrggbb, #rgb, rgb(R G B) (0 to 255 or percentages), device-cmyk(C M Y K) or a CSS "
       "colour name"},
      {"#fff\nnone\n", PaletteFormat::kColourList, "p line 2: \"none\" is no colour to paint with"},
      {"--a: 4px;", PaletteFormat::kCss, "p: the palette holds no colours"},
      {"--a: red; /* open", PaletteFormat::kCss, "p: a comment opened with /* is never closed"},
  };
  for (const auto& c : cases) {
    Result<std::vector<Swatch>> read = parsePalette(c.text, c.format, "p");
    ASSERT_FALSE(read) << c.text;
    EXPECT_EQ(read.error(), c.message);
  }
}

TEST(Palettes, TheFormatComesFromTheNameElseFromTheText) {
  EXPECT_EQ(paletteFormatOf("a.GPL", ""), PaletteFormat::kGimp);
  EXPECT_EQ(paletteFormatOf("a.css", ""), PaletteFormat::kCss);
  EXPECT_EQ(paletteFormatOf("a.hex", "GIMP Palette"), PaletteFormat::kColourList);
  EXPECT_EQ(paletteFormatOf("palette", "GIMP Palette\n"), PaletteFormat::kGimp);
  EXPECT_EQ(paletteFormatOf("palette", ":root{--a:red}"), PaletteFormat::kCss);
  EXPECT_EQ(paletteFormatOf("palette", "#ff0000\n"), PaletteFormat::kColourList);
}

TEST(Palettes, AFileThatIsNoPaletteIsRefusedUnread) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "heart_palettes";
  std::filesystem::create_directories(folder);
  Result<std::vector<Swatch>> missing = readPaletteFile((folder / "none.gpl").string());
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error(),
            "cannot read the palette " + (folder / "none.gpl").string() + ": no such file");
  EXPECT_FALSE(readPaletteFile(folder.string()));
  const std::filesystem::path huge = folder / "huge.txt";
  {
    std::ofstream out(huge, std::ios::binary);
    std::string line(1023, 'f');
    line += '\n';
    for (size_t written = 0; written <= kMaxPaletteBytes; written += line.size()) out << line;
  }
  Result<std::vector<Swatch>> tooBig = readPaletteFile(huge.string());
  ASSERT_FALSE(tooBig);
  EXPECT_EQ(tooBig.error(), "the palette " + huge.string() + " is over 4 MiB: not a palette");
  std::filesystem::remove_all(folder);
}

TEST(Palettes, ADocumentsListStartsWithNoneAndRegistrationThenThePalette) {
  std::vector<Swatch> list =
      swatchListWithPalette({Swatch{"rose", AIColor{kThreeColor, {0.9f, 0.6f, 0.7f, 0}, 0}}});
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].name, "[None]");
  EXPECT_EQ(list[0].color.kind, kNoneColor);
  EXPECT_EQ(list[1].name, "[Registration]");
  EXPECT_EQ(list[1].color.kind, kFourColor);
  EXPECT_EQ(list[2].name, "rose");
}

}  // namespace
}  // namespace heart::testing
