// A contact sheet of a batch of variations: a grid of their pictures, each
// with its seed written under it, as PNG or PDF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart {

struct SheetCell {
  uint32_t seed = 0;
  std::string picture;  // a PNG file of the variation's page, at most the cell's size
};

// The grid has as many columns as the square root of the count, rounded up,
// and each cell is `cellSize` pixels (points, in a PDF) square with the
// picture centred in it and a band of a fifth of that below for the seed,
// written in plain seven-segment digits (no font needed). The format is the
// name's extension: .png or .pdf, in any case.
Result<void> writeContactSheet(const std::vector<SheetCell>& cells, int cellSize,
                               const std::string& path);

// The band under each picture, in pixels.
inline int sheetLabelHeight(int cellSize) { return cellSize / 5; }

}  // namespace heart
