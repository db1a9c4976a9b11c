#include "document_options.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace heart::cli {
namespace {

bool parseReal(const std::string& text, float* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  double parsed = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(parsed)) return false;
  *value = static_cast<float>(parsed);
  return std::isfinite(*value);
}

std::vector<std::string> splitOn(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

bool parseComponents(const std::string& text, size_t count, AIColor* color, std::string* error) {
  std::vector<std::string> parts = splitOn(text, ',');
  if (parts.size() != count) {
    *error = "expected " + std::to_string(count) + " components in \"" + text + "\"";
    return false;
  }
  for (size_t i = 0; i < count; ++i) {
    float value = 0;
    if (!parseReal(parts[i], &value) || value < 0.0f || value > 1.0f) {
      *error = "component \"" + parts[i] + "\" is not a number from 0 to 1";
      return false;
    }
    color->c[i] = value;
  }
  return true;
}

}  // namespace

bool parsePageSize(const std::string& text, float* width, float* height, std::string* error) {
  size_t cross = text.find_first_of("xX");
  float w = 0, h = 0;
  if (cross == std::string::npos || !parseReal(text.substr(0, cross), &w) ||
      !parseReal(text.substr(cross + 1), &h) || w <= 0 || h <= 0) {
    *error = "page size \"" + text + "\" is not WIDTHxHEIGHT in points, both above 0";
    return false;
  }
  *width = w;
  *height = h;
  return true;
}

bool parseColorModel(const std::string& text, int16_t* model, std::string* error) {
  if (text == "gray" || text == "grey" || text == "0") {
    *model = kDocGrayColor;
  } else if (text == "rgb" || text == "1") {
    *model = kDocRGBColor;
  } else if (text == "cmyk" || text == "2") {
    *model = kDocCMYKColor;
  } else {
    *error = "colour model \"" + text + "\" is not gray, rgb or cmyk";
    return false;
  }
  return true;
}

bool parsePaintColor(const std::string& text, AIColor* color, std::string* error) {
  AIColor parsed{};
  if (text == "none") {
    parsed.kind = kNoneColor;
  } else if (text.rfind("gray:", 0) == 0) {
    parsed.kind = kGrayColor;
    if (!parseComponents(text.substr(5), 1, &parsed, error)) return false;
  } else if (text.rfind("rgb:", 0) == 0) {
    parsed.kind = kThreeColor;
    if (!parseComponents(text.substr(4), 3, &parsed, error)) return false;
  } else if (text.rfind("cmyk:", 0) == 0) {
    parsed.kind = kFourColor;
    if (!parseComponents(text.substr(5), 4, &parsed, error)) return false;
  } else if (text.size() == 7 && text[0] == '#' &&
             text.find_first_not_of("0123456789abcdefABCDEF", 1) == std::string::npos) {
    parsed.kind = kThreeColor;
    for (int i = 0; i < 3; ++i)
      parsed.c[i] = static_cast<float>(std::stoi(text.substr(1 + 2 * i, 2), nullptr, 16)) / 255.0f;
  } else {
    *error = "colour \"" + text + "\" is not none, gray:G, rgb:R,G,B, cmyk:C,M,Y,K or #rrggbb";
    return false;
  }
  *color = parsed;
  return true;
}

}  // namespace heart::cli
