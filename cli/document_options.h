// Command-line forms of the new document's settings and of the host's
// current paint: "--page 612x792", "--color-model cmyk", "--fill rgb:1,0,0".
#pragma once

#include <optional>
#include <string>

#include "document/document_settings.h"
#include "plugin/host/suites.h"

namespace heart::cli {

// The rules every page, colour model, paint colour and stroke width must
// meet, wherever it comes from (the command line, a drawing's metadata); on a
// fault *error names the setting and the value. `what` names the setting in
// messages ("--fill", "the fill").
bool checkPageSize(float width, float height, std::string* error);
bool checkColorModel(int model, std::string* error);
bool checkPaintColor(const AIColor& color, const std::string& what, std::string* error);
bool checkStrokeWidth(float width, const std::string& what, std::string* error);

// "WxH" in points, both positive and finite.
bool parsePageSize(const std::string& text, float* width, float* height, std::string* error);

// "gray", "rgb" or "cmyk" (also 0, 1, 2).
bool parseColorModel(const std::string& text, int16_t* model, std::string* error);

// A paint colour in any form parseColourText reads (swatches/colour_text.h):
// "none", "gray:G", "rgb:R,G,B", "cmyk:C,M,Y,K" (components 0
// to 1) or "#rrggbb". Gray is ink: gray:1 is black.
bool parsePaintColor(const std::string& text, AIColor* color, std::string* error);

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
// false with *error when it is not one or a value breaks a rule.
bool parseDocumentSettingsJson(const std::string& json, DrawingSettings* settings,
                               std::string* error);

}  // namespace heart::cli
