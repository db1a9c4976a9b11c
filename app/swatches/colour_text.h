// Colours as a person writes them on the command line or in a palette file:
//   none (also transparent)                no paint
//   gray:G  rgb:R,G,B  cmyk:C,M,Y,K        components from 0 to 1, gray as ink
//   #rgb  #rrggbb  rrggbb                  hexadecimal sRGB (the last in palette lists)
//   rgb(255 192 203)  rgb(255,192,203)     0 to 255 or percentages; rgba() too
//   device-cmyk(0 0.5 0.2 0)               0 to 1 or percentages
//   pink, RebeccaPurple ...                the CSS colour keywords
// Heart's colours are opaque: an alpha is taken only when it is full.
#pragma once

#include <string>
#include <string_view>

#include "core/result.h"
#include "plugin/host/ai_art_suites.h"

namespace heart {

Result<AIColor> parseColourText(std::string_view text);

// The text without the blanks around it, as colours and palette lines are
// read.
std::string_view trimmedText(std::string_view text);

// A colour written back in a form above that reads again as the same colour:
// "none", "gray:0.5", "#e8a0b4" (or "rgb:0.3,0.5,1" where hexadecimal cannot
// hold it) or "cmyk:0,0.5,0.2,0".
std::string colourText(const AIColor& color);

}  // namespace heart
