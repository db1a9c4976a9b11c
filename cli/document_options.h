// Command-line forms of the new document's settings and of the host's
// current paint: "--page 612x792", "--color-model cmyk", "--fill rgb:1,0,0".
#pragma once

#include <string>

#include "core/result.h"
#include "document/document_settings.h"
#include "plugin/host/suites.h"

namespace heart::cli {

// The rules every page, colour model, paint colour and stroke width must
// meet, wherever it comes from (the command line, a drawing's metadata); a
// fault's message names the setting and the value. `what` names the setting
// in messages ("--fill", "the fill").
Result<void> checkPageSize(float width, float height);
Result<void> checkColorModel(int model);
Result<void> checkPaintColor(const AIColor& color, const std::string& what);
Result<void> checkStrokeWidth(float width, const std::string& what);

struct PageSize {
  float width = 0;
  float height = 0;
};

// "WxH" in points, both positive and finite, or with a unit (pt, in, mm, cm,
// px at 96 an inch, pc) after each number or after the height for both
// ("210x297mm", "8.5inx11in"); or a paper by name in any case (letter, legal,
// tabloid, A3, A4, A5, A6), portrait or with "-landscape" (" landscape").
Result<PageSize> parsePageSize(const std::string& text);

// "gray", "rgb" or "cmyk" (also 0, 1, 2).
Result<int16_t> parseColorModel(const std::string& text);

// A paint colour in any form parseColourText reads (swatches/colour_text.h):
// "none", "gray:G", "rgb:R,G,B", "cmyk:C,M,Y,K" (components 0
// to 1) or "#rrggbb". Gray is ink: gray:1 is black.
Result<AIColor> parsePaintColor(const std::string& text);

// The document settings and current paint of a run, as the JSON object a
// drawing carries so that the same run can be repeated from it.
std::string documentSettingsJson(const DocumentSettings& document, const AIPathStyle& paint);

// What that object holds.
struct DrawingSettings {
  DocumentSettings document;
  AIColor fill{}, stroke{};
  float strokeWidth = 0;
};
// Reads documentSettingsJson's form back and checks it with the rules above;
// a failure when it is not one or a value breaks a rule.
Result<DrawingSettings> parseDocumentSettingsJson(const std::string& json);

}  // namespace heart::cli
