// What a new document is made with: its page and its colour model. A host
// makes every new document with the settings it was given (HostOptions).
#pragma once

#include <cstdint>

#include "plugin/host/ai_document_suites.h"

namespace heart {

struct DocumentSettings {
  float pageWidth = 612, pageHeight = 792;
  int16_t colorModel = kDocRGBColor;  // 0 gray, 1 RGB, 2 CMYK
};

}  // namespace heart
