#include "swatches/drawing_swatches.h"

#include <algorithm>
#include <cctype>

#include "swatches/colour_text.h"
#include "swatches/palette_file.h"

namespace heart {
namespace {

bool isDrawingName(std::string path) {
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto endsWith = [&path](std::string_view tail) {
    return path.size() >= tail.size() &&
           path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
  };
  return endsWith(".svg") || endsWith(".svgz");
}

}  // namespace

DrawingPalette paletteOfDrawing(const Drawing& drawing) {
  DrawingPalette palette;
  for (const DrawingSwatch& swatch : drawing.swatches) {
    Result<AIColor> colour = parseColourText(swatch.colour);
    if (colour && colour->kind != kNoneColor)
      palette.colours.push_back({swatch.name, *colour});
    else
      palette.skipped.push_back(swatch.name + " (" + swatch.colour + ")");
  }
  return palette;
}

Result<std::vector<Swatch>> readSwatchesFile(const std::string& path) {
  if (!isDrawingName(path)) return readPaletteFile(path);
  Result<Drawing> drawing = openDrawing(path);
  if (!drawing) return fail(drawing.error());
  DrawingPalette palette = paletteOfDrawing(*drawing);
  if (palette.colours.empty())
    return fail(path + ": the drawing holds no solid swatches heart can read");
  return std::move(palette.colours);
}

}  // namespace heart
