// Palettes in each format and colours as text: read or refused with a
// message, and every colour read is one a document can hold.
#include <string>
#include <string_view>

#include "swatches/colour_text.h"
#include "swatches/palette_file.h"

namespace {

void checkColour(const AIColor& colour) {
  const int count = colour.kind == kGrayColor    ? 1
                    : colour.kind == kThreeColor ? 3
                    : colour.kind == kFourColor  ? 4
                    : colour.kind == kNoneColor  ? 0
                                                 : -1;
  if (count < 0) __builtin_trap();
  for (int i = 0; i < count; ++i)
    if (!(colour.c[i] >= 0.0f && colour.c[i] <= 1.0f)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  heart::Result<AIColor> colour = heart::parseColourText(text);
  if (colour) {
    checkColour(*colour);
    // What is written back reads as the same kind of colour.
    heart::Result<AIColor> again = heart::parseColourText(heart::colourText(*colour));
    if (!again || again->kind != colour->kind) __builtin_trap();
  } else if (colour.error().empty()) {
    __builtin_trap();
  }
  for (heart::PaletteFormat format :
       {heart::PaletteFormat::kGimp, heart::PaletteFormat::kColourList,
        heart::PaletteFormat::kCss}) {
    heart::Result<std::vector<heart::Swatch>> palette = heart::parsePalette(text, format, "p");
    if (!palette) {
      if (palette.error().empty()) __builtin_trap();
      continue;
    }
    if (palette->empty()) __builtin_trap();
    for (const heart::Swatch& swatch : *palette) {
      if (swatch.color.kind == kNoneColor) __builtin_trap();
      checkColour(swatch.color);
    }
  }
  return 0;
}
