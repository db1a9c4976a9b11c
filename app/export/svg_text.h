// Text pieces of the SVG writer and reader: numbers, colours and XML escapes.
#pragma once

#include <string>
#include <string_view>

#include "plugin/host/ai_art_suites.h"

namespace heart {

// The shortest decimal text that reads back to the same float, without an
// exponent; a value that is not finite is written as 0. writeNumber writes
// at most kNumberRoom characters at `at` and answers the end.
constexpr int kNumberRoom = 64;
char* writeNumber(char* at, float value);
void appendNumber(std::string& out, float value);

// The colour on the screen as 8-bit red, green and blue; false for no
// colour ("none").
bool screenRgb(const AIColor& color, unsigned char rgb[3]);
// "#rrggbb" for a colour on the screen; false for no colour ("none").
bool screenColor(const AIColor& color, char hex[8]);

// Element text with &, < and > escaped (quotes need no escape in text, and
// the run record stays readable JSON). Characters that XML does not allow
// (control characters, broken UTF-8) become '?'. unescapeXml also reads the
// escapes of quotes.
void appendEscaped(std::string& out, std::string_view text);
std::string unescapeXml(std::string_view text);

}  // namespace heart
