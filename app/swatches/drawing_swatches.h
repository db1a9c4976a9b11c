// A drawing's own solid swatches as a palette, and the palette that
// `--swatches` names: a palette file, or a drawing whose swatches serve.
#pragma once

#include <string>
#include <vector>

#include "core/result.h"
#include "document/swatch_list.h"
#include "drawing/drawing.h"

namespace heart {

struct DrawingPalette {
  std::vector<Swatch> colours;  // in the drawing's order
  // Swatches whose colour heart cannot read ("currentColor", a paint
  // server): "name (colour)", left out of the palette.
  std::vector<std::string> skipped;
};

DrawingPalette paletteOfDrawing(const Drawing& drawing);

// A palette file (readPaletteFile), or an .svg or .svgz drawing whose solid
// swatches are the palette; a drawing without any is refused.
Result<std::vector<Swatch>> readSwatchesFile(const std::string& path);

}  // namespace heart
