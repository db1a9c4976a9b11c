// Palettes a designer brings: the colours become the document's swatches.
//   .gpl          GIMP and Inkscape palettes: "R G B name" lines, 0 to 255
//   .txt, .hex    one colour per line, in any form parseColourText reads
//                 (bare rrggbb too); blank lines and lines starting with
//                 "//" or ";" are skipped
//   .css          custom properties whose value is a colour: --rose: #e8a0b4;
// A file of another name is read by what it holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "document/swatch_list.h"

namespace heart {

enum class PaletteFormat { kGimp, kColourList, kCss };

// A palette larger than this is not a palette.
constexpr size_t kMaxPaletteBytes = 4u << 20;

// The colours of a palette's text, in the file's order; `source` names the
// file in messages. A palette without colours is refused.
Result<std::vector<Swatch>> parsePalette(std::string_view text, PaletteFormat format,
                                         const std::string& source);

// The format a file's name or, failing that, its text suggests.
PaletteFormat paletteFormatOf(const std::string& path, std::string_view text);

Result<std::vector<Swatch>> readPaletteFile(const std::string& path);

// The swatch list a document has with a palette: "[None]" and
// "[Registration]" first, as every document's list starts, then the palette.
std::vector<Swatch> swatchListWithPalette(const std::vector<Swatch>& palette);

}  // namespace heart
