#include "swatches/colour_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "swatches/css_colour_names.h"

namespace heart {
namespace {

std::string lowered(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// A decimal number as CSS writes it: sign, digits, point, exponent; never
// "inf", "nan" or hexadecimal, which strtod would also take.
bool readDecimal(std::string_view text, double* value) {
  size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  size_t digits = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at, ++digits;
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at, ++digits;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    size_t exponentDigits = 0;
    while (exponent < text.size() && std::isdigit(static_cast<unsigned char>(text[exponent])))
      ++exponent, ++exponentDigits;
    if (exponentDigits == 0) return false;
    at = exponent;
  }
  if (at != text.size()) return false;
  *value = std::strtod(std::string(text).c_str(), nullptr);
  return std::isfinite(*value);
}

std::string numberText(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

Failure notAColour(std::string_view text) {
  return fail("colour \"" + std::string(text) +
              "\" is not none, gray:G, rgb:R,G,B, cmyk:C,M,Y,K (0 to 1), #rrggbb, #rgb, "
              "rgb(R G B) (0 to 255 or percentages), device-cmyk(C M Y K) or a CSS colour name");
}

AIColor colourOf(int16_t kind, float c0, float c1 = 0, float c2 = 0, float c3 = 0) {
  return AIColor{kind, {c0, c1, c2, c3}, 0};
}

AIColor fromRgb(uint32_t rgb) {
  return colourOf(kThreeColor, static_cast<float>((rgb >> 16) & 0xff) / 255.0f,
                  static_cast<float>((rgb >> 8) & 0xff) / 255.0f,
                  static_cast<float>(rgb & 0xff) / 255.0f);
}

bool allHex(std::string_view digits) {
  for (char c : digits)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return !digits.empty();
}

Result<AIColor> fromHex(std::string_view original, std::string_view digits) {
  if (!allHex(digits)) return notAColour(original);
  std::string full;
  if (digits.size() == 3 || digits.size() == 4) {
    for (char c : digits) full += std::string(2, c);
  } else if (digits.size() == 6 || digits.size() == 8) {
    full = std::string(digits);
  } else {
    return notAColour(original);
  }
  if (full.size() == 8 && lowered(full.substr(6)) != "ff")
    return fail("colour \"" + std::string(original) +
                "\" is not opaque: Heart paints with whole colours, without an alpha");
  return fromRgb(static_cast<uint32_t>(std::strtoul(full.substr(0, 6).c_str(), nullptr, 16)));
}

// The components between the parentheses of rgb(...) or device-cmyk(...):
// separated by commas or by spaces, with an optional "/ alpha" at the end.
bool splitArguments(std::string_view inside, std::vector<std::string>* parts, std::string* alpha) {
  std::string text(inside);
  size_t slash = text.find('/');
  if (slash != std::string::npos) {
    *alpha = std::string(trimmedText(std::string_view(text).substr(slash + 1)));
    text.resize(slash);
  }
  bool commas = text.find(',') != std::string::npos;
  std::string part;
  std::istringstream stream(text);
  if (commas) {
    while (std::getline(stream, part, ',')) parts->push_back(std::string(trimmedText(part)));
    if (!text.empty() && text.back() == ',') parts->emplace_back();
  } else {
    while (stream >> part) parts->push_back(part);
  }
  for (const std::string& p : *parts)
    if (p.empty()) return false;
  return true;
}

// One component: a number from 0 to `scale`, or a percentage of it. The
// answer runs from 0 to 1.
Result<float> component(const std::string& text, double scale, std::string_view original,
                        size_t index) {
  bool percent = !text.empty() && text.back() == '%';
  double value = 0;
  if (!readDecimal(percent ? std::string_view(text).substr(0, text.size() - 1) : text, &value))
    return fail("colour \"" + std::string(original) + "\": component " + std::to_string(index + 1) +
                " is \"" + text + "\", not a number or a percentage");
  double limit = percent ? 100.0 : scale;
  if (value < 0 || value > limit)
    return fail("colour \"" + std::string(original) + "\": component " + std::to_string(index + 1) +
                " is " + text + ", outside 0 to " + numberText(limit) + (percent ? "%" : ""));
  return static_cast<float>(value / limit);
}

bool fullAlpha(const std::string& alpha) {
  if (alpha.empty()) return true;
  double value = 0;
  if (alpha.back() == '%')
    return readDecimal(std::string_view(alpha).substr(0, alpha.size() - 1), &value) && value == 100;
  return readDecimal(alpha, &value) && value == 1;
}

Result<AIColor> fromFunction(std::string_view original, std::string_view inside, int16_t kind,
                             size_t count, double scale, bool alphaAllowed) {
  std::vector<std::string> parts;
  std::string alpha;
  if (!splitArguments(inside, &parts, &alpha)) return notAColour(original);
  // rgba(r, g, b, a): the legacy form carries its alpha as a fourth argument.
  if (alphaAllowed && parts.size() == count + 1 && alpha.empty()) {
    alpha = parts.back();
    parts.pop_back();
  }
  if (parts.size() != count)
    return fail("colour \"" + std::string(original) + "\": expected " + std::to_string(count) +
                " components");
  if (!fullAlpha(alpha))
    return fail("colour \"" + std::string(original) +
                "\" is not opaque: Heart paints with whole colours, without an alpha");
  AIColor colour = colourOf(kind, 0);
  for (size_t i = 0; i < count; ++i) {
    Result<float> value = component(parts[i], scale, original, i);
    if (!value) return value.failure();
    colour.c[i] = *value;
  }
  return colour;
}

// "rgb:R,G,B" and its kin: components from 0 to 1 separated by commas.
Result<AIColor> fromUnitComponents(std::string_view original, std::string_view list, int16_t kind,
                                   size_t count) {
  std::vector<std::string> parts;
  std::string rest(list);
  size_t start = 0;
  while (true) {
    size_t comma = rest.find(',', start);
    parts.push_back(
        rest.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (parts.size() != count)
    return fail("expected " + std::to_string(count) + " components in \"" + std::string(list) +
                "\"");
  AIColor colour = colourOf(kind, 0);
  bool overOne = false, wholeBytes = true;
  for (size_t i = 0; i < count; ++i) {
    char* end = nullptr;
    double value = std::strtod(parts[i].c_str(), &end);
    if (parts[i].empty() || end != parts[i].c_str() + parts[i].size() || !std::isfinite(value) ||
        !std::isfinite(static_cast<float>(value)))
      return fail("component " + std::to_string(i + 1) + " is \"" + parts[i] +
                  "\", not a number from 0 to 1");
    colour.c[i] = static_cast<float>(value);
    overOne = overOne || value > 1;
    wholeBytes = wholeBytes && value >= 0 && value <= 255 && std::trunc(value) == value;
  }
  for (size_t i = 0; i < count; ++i) {
    if (colour.c[i] < 0.0f || colour.c[i] > 1.0f) {
      std::string message = "colour \"" + std::string(original) + "\": component " +
                            std::to_string(i + 1) + " is " + numberText(colour.c[i]) +
                            ", not a number from 0 to 1";
      // rgb:255,192,203 is a colour in the other scale; say how to write it.
      if (kind == kThreeColor && overOne && wholeBytes)
        message += " (for 0 to 255, write rgb(" + std::string(list) + "))";
      return fail(message);
    }
  }
  return colour;
}

}  // namespace

std::string_view trimmedText(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return text;
}

Result<AIColor> parseColourText(std::string_view text) {
  const std::string_view colour = trimmedText(text);
  const std::string lower = lowered(colour);
  if (lower == "none" || lower == "transparent") return colourOf(kNoneColor, 0);
  if (lower.rfind("gray:", 0) == 0)
    return fromUnitComponents(colour, colour.substr(5), kGrayColor, 1);
  if (lower.rfind("rgb:", 0) == 0)
    return fromUnitComponents(colour, colour.substr(4), kThreeColor, 3);
  if (lower.rfind("cmyk:", 0) == 0)
    return fromUnitComponents(colour, colour.substr(5), kFourColor, 4);
  if (!colour.empty() && colour.front() == '#') return fromHex(colour, colour.substr(1));
  if (colour.size() == 6 && allHex(colour)) return fromHex(colour, colour);
  if (!lower.empty() && lower.back() == ')') {
    size_t open = lower.find('(');
    if (open == std::string::npos) return notAColour(colour);
    std::string function(trimmedText(std::string_view(lower).substr(0, open)));
    std::string_view inside = colour.substr(open + 1, colour.size() - open - 2);
    if (function == "rgb" || function == "rgba")
      return fromFunction(colour, inside, kThreeColor, 3, 255.0, true);
    if (function == "device-cmyk") return fromFunction(colour, inside, kFourColor, 4, 1.0, false);
    return notAColour(colour);
  }
  if (std::optional<uint32_t> named = cssColourNamed(colour)) return fromRgb(*named);
  return notAColour(colour);
}

std::string colourText(const AIColor& color) {
  auto real = [](float value) { return numberText(value); };
  switch (color.kind) {
    case kGrayColor:
      return "gray:" + real(color.c[0]);
    case kFourColor:
      return "cmyk:" + real(color.c[0]) + "," + real(color.c[1]) + "," + real(color.c[2]) + "," +
             real(color.c[3]);
    case kThreeColor: {
      for (int i = 0; i < 3; ++i)
        if (static_cast<float>(std::lround(color.c[i] * 255.0f)) / 255.0f != color.c[i])
          return "rgb:" + real(color.c[0]) + "," + real(color.c[1]) + "," + real(color.c[2]);
      char hex[8];
      auto byte = [](float value) {
        return static_cast<unsigned>(std::lround(std::fmin(1.0f, std::fmax(0.0f, value)) * 255.0f));
      };
      std::snprintf(hex, sizeof hex, "#%02x%02x%02x", byte(color.c[0]), byte(color.c[1]),
                    byte(color.c[2]));
      return hex;
    }
    default:
      return "none";
  }
}

}  // namespace heart
