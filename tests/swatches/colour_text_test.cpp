// Colours as people write them: Heart's own forms and the CSS ones.
#include "swatches/colour_text.h"

#include <gtest/gtest.h>

#include "swatches/css_colour_names.h"

#ifdef HEART_TEST_WITH_RSVG
#include <cairo.h>
#include <librsvg/rsvg.h>
#endif

namespace heart::testing {
namespace {

struct Expected {
  const char* text;
  int16_t kind;
  float c[4];
};

TEST(ColourText, EveryFormReadsAsTheColourItNames) {
  const Expected cases[] = {
      {"none", kNoneColor, {0, 0, 0, 0}},
      {" Transparent ", kNoneColor, {0, 0, 0, 0}},
      {"gray:0.25", kGrayColor, {0.25f, 0, 0, 0}},
      {"rgb:1,0.5,0", kThreeColor, {1, 0.5f, 0, 0}},
      {"cmyk:0,0.5,1,0.1", kFourColor, {0, 0.5f, 1, 0.1f}},
      {"#E8a0b4", kThreeColor, {232 / 255.0f, 160 / 255.0f, 180 / 255.0f, 0}},
      {"#f80", kThreeColor, {1, 136 / 255.0f, 0, 0}},
      {"#ff8800ff", kThreeColor, {1, 136 / 255.0f, 0, 0}},
      {"#f80f", kThreeColor, {1, 136 / 255.0f, 0, 0}},
      {"e8a0b4", kThreeColor, {232 / 255.0f, 160 / 255.0f, 180 / 255.0f, 0}},
      {"rgb(255 192 203)", kThreeColor, {1, 192 / 255.0f, 203 / 255.0f, 0}},
      {"rgb(255,192,203)", kThreeColor, {1, 192 / 255.0f, 203 / 255.0f, 0}},
      {"RGB( 255 , 192 , 203 )", kThreeColor, {1, 192 / 255.0f, 203 / 255.0f, 0}},
      {"rgb(100% 50% 0%)", kThreeColor, {1, 0.5f, 0, 0}},
      {"rgb(12.75 0 2.55e2)", kThreeColor, {0.05f, 0, 1, 0}},
      {"rgba(255, 0, 0, 1)", kThreeColor, {1, 0, 0, 0}},
      {"rgb(255 0 0 / 100%)", kThreeColor, {1, 0, 0, 0}},
      {"device-cmyk(0 50% 1 0.2)", kFourColor, {0, 0.5f, 1, 0.2f}},
      {"pink", kThreeColor, {1, 192 / 255.0f, 203 / 255.0f, 0}},
      {"RebeccaPurple", kThreeColor, {0x66 / 255.0f, 0x33 / 255.0f, 0x99 / 255.0f, 0}},
  };
  for (const Expected& c : cases) {
    SCOPED_TRACE(c.text);
    Result<AIColor> colour = parseColourText(c.text);
    ASSERT_TRUE(colour) << colour.error();
    EXPECT_EQ(colour->kind, c.kind);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(colour->c[i], c.c[i]) << i;
  }
}

TEST(ColourText, AColourThatIsNotOneIsRefusedSayingWhy) {
  const std::string forms =
      " is not none, gray:G, rgb:R,G,B, cmyk:C,M,Y,K (0 to 1), #rrggbb, #rgb, rgb(R G B) (0 to "
      "255 or percentages), device-cmyk(C M Y K) or a CSS colour name";
  const struct {
    const char* text;
    std::string message;
  } cases[] = {
      {"", "colour \"\"" + forms},
      {"#12345", "colour \"#12345\"" + forms},
      {"#ggg", "colour \"#ggg\"" + forms},
      {"bleu", "colour \"bleu\"" + forms},
      {"hsl(0 100% 50%)", "colour \"hsl(0 100% 50%)\"" + forms},
      {"#ff000080",
       "colour \"#ff000080\" is not opaque: Heart paints with whole colours, without an alpha"},
      {"rgba(255, 0, 0, 0.5)",
       "colour \"rgba(255, 0, 0, 0.5)\" is not opaque: Heart paints with whole colours, without an "
       "alpha"},
      {"rgb(255 0)", "colour \"rgb(255 0)\": expected 3 components"},
      {"rgb(255,,0)", "colour \"rgb(255,,0)\"" + forms},
      {"rgb(256 0 0)", "colour \"rgb(256 0 0)\": component 1 is 256, outside 0 to 255"},
      {"rgb(0 101% 0)", "colour \"rgb(0 101% 0)\": component 2 is 101%, outside 0 to 100%"},
      {"rgb(0 0 inf)",
       "colour \"rgb(0 0 inf)\": component 3 is \"inf\", not a number or a percentage"},
      {"rgb(0 0 0x10)",
       "colour \"rgb(0 0 0x10)\": component 3 is \"0x10\", not a number or a percentage"},
      {"device-cmyk(0 0 0 2)", "colour \"device-cmyk(0 0 0 2)\": component 4 is 2, outside 0 to 1"},
      // Heart's own forms keep their messages; one in the 0-to-255 scale is told how to write it.
      {"rgb:1,0", "expected 3 components in \"1,0\""},
      {"gray:x", "component 1 is \"x\", not a number from 0 to 1"},
      {"cmyk:0,0,0,1.5", "colour \"cmyk:0,0,0,1.5\": component 4 is 1.5, not a number from 0 to 1"},
      {"rgb:255,192,203",
       "colour \"rgb:255,192,203\": component 1 is 255, not a number from 0 to 1 (for 0 to 255, "
       "write rgb(255,192,203))"},
  };
  for (const auto& c : cases) {
    Result<AIColor> colour = parseColourText(c.text);
    ASSERT_FALSE(colour) << c.text;
    EXPECT_EQ(colour.error(), c.message);
  }
}

TEST(ColourText, AColourWrittenBackReadsAsTheSameColour) {
  for (const char* text : {"none", "gray:0.5", "#e8a0b4", "rgb:0.3,0.5,1", "cmyk:0,0.5,0.25,1"}) {
    Result<AIColor> colour = parseColourText(text);
    ASSERT_TRUE(colour) << text;
    EXPECT_EQ(colourText(*colour), text);
  }
}

TEST(CssColourNames, EveryKeywordIsFoundWhateverItsCase) {
  for (const CssColourName& entry : kCssColourNames) {
    std::string upper = entry.name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(cssColourNamed(entry.name), entry.rgb) << entry.name;
    EXPECT_EQ(cssColourNamed(upper), entry.rgb) << upper;
  }
  EXPECT_FALSE(cssColourNamed("blurple"));
  EXPECT_FALSE(cssColourNamed(""));
}

#ifdef HEART_TEST_WITH_RSVG
// The table against librsvg's own: one pixel a keyword, painted by librsvg.
TEST(CssColourNames, TheTableAgreesWithLibrsvg) {
  std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='" +
                    std::to_string(kCssColourNameCount) + "' height='1'>";
  for (int i = 0; i < kCssColourNameCount; ++i)
    svg += "<rect x='" + std::to_string(i) + "' width='1' height='1' fill='" +
           kCssColourNames[i].name + "'/>";
  svg += "</svg>";
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
  ASSERT_NE(handle, nullptr);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kCssColourNameCount, 1);
  cairo_t* cr = cairo_create(surface);
  RsvgRectangle viewport{0, 0, static_cast<double>(kCssColourNameCount), 1};
  ASSERT_TRUE(rsvg_handle_render_document(handle, cr, &viewport, &error));
  cairo_surface_flush(surface);
  const auto* pixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
  for (int i = 0; i < kCssColourNameCount; ++i)
    EXPECT_EQ(pixels[i] & 0xffffff, kCssColourNames[i].rgb) << kCssColourNames[i].name;
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  g_object_unref(handle);
}
#endif

}  // namespace
}  // namespace heart::testing
