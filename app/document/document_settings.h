// What a new document is made with: its page, its colour model and its
// swatches. A host
// makes every new document with the settings it was given (HostOptions).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "document/swatch_list.h"
#include "plugin/host/ai_document_suites.h"

namespace heart {

struct DocumentSettings {
  DocumentSettings() = default;
  DocumentSettings(float width, float height, int16_t model, std::vector<Swatch> swatchList = {})
      : pageWidth(width), pageHeight(height), colorModel(model), swatches(std::move(swatchList)) {}

  float pageWidth = 612, pageHeight = 792;
  int16_t colorModel = kDocRGBColor;  // 0 gray, 1 RGB, 2 CMYK
  // The whole swatch list, "[None]" and "[Registration]" included; empty:
  // the list every new document starts with (defaultSwatches()).
  std::vector<Swatch> swatches;
};

}  // namespace heart
