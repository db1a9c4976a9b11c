#include "document_options.h"

#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "core/json_depth.h"
#include "swatches/colour_text.h"

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

}  // namespace

namespace {

size_t componentCount(int16_t kind) {
  switch (kind) {
    case kGrayColor:
      return 1;
    case kThreeColor:
      return 3;
    case kFourColor:
      return 4;
    default:
      return 0;
  }
}

std::string realText(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

}  // namespace

Result<void> checkPageSize(float width, float height) {
  if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0)
    return fail("the page size " + realText(width) + "x" + realText(height) +
                " is not WIDTHxHEIGHT in points, both finite and above 0");
  return {};
}

Result<void> checkColorModel(int model) {
  if (model != kDocGrayColor && model != kDocRGBColor && model != kDocCMYKColor)
    return fail("colour model " + std::to_string(model) + " is not gray (0), rgb (1) or cmyk (2)");
  return {};
}

Result<void> checkPaintColor(const AIColor& color, const std::string& what) {
  if (color.kind != kNoneColor && componentCount(color.kind) == 0)
    return fail(what + ": colour kind " + std::to_string(color.kind) +
                " is not none (6), gray (0), rgb (5) or cmyk (1)");
  for (size_t i = 0; i < componentCount(color.kind); ++i)
    if (!std::isfinite(color.c[i]) || color.c[i] < 0.0f || color.c[i] > 1.0f)
      return fail(what + ": component " + std::to_string(i + 1) + " is " + realText(color.c[i]) +
                  ", not a number from 0 to 1");
  return {};
}

Result<void> checkStrokeWidth(float width, const std::string& what) {
  if (!std::isfinite(width) || width < 0)
    return fail(what + " is " + realText(width) + ", not a finite width of 0 or more points");
  return {};
}

Result<PageSize> parsePageSize(const std::string& text) {
  size_t cross = text.find_first_of("xX");
  PageSize size;
  if (cross == std::string::npos || !parseReal(text.substr(0, cross), &size.width) ||
      !parseReal(text.substr(cross + 1), &size.height))
    return fail("page size \"" + text + "\" is not WIDTHxHEIGHT in points, both above 0");
  if (Result<void> checked = checkPageSize(size.width, size.height); !checked)
    return checked.failure();
  return size;
}

Result<int16_t> parseColorModel(const std::string& text) {
  if (text == "gray" || text == "grey" || text == "0") return int16_t{kDocGrayColor};
  if (text == "rgb" || text == "1") return int16_t{kDocRGBColor};
  if (text == "cmyk" || text == "2") return int16_t{kDocCMYKColor};
  return fail("colour model \"" + text + "\" is not gray, rgb or cmyk");
}

Result<AIColor> parsePaintColor(const std::string& text) { return parseColourText(text); }

namespace {

nlohmann::json colorJson(const AIColor& color, bool painted) {
  if (!painted) return nlohmann::json{{"kind", kNoneColor}};
  return nlohmann::json{{"kind", color.kind},
                        {"c", {color.c[0], color.c[1], color.c[2], color.c[3]}},
                        {"object", color.object}};
}

bool colorFromJson(const nlohmann::json& json, AIColor* color) {
  if (!json.is_object() || !json.contains("kind") || !json["kind"].is_number_integer())
    return false;
  AIColor parsed{};
  int64_t kind = json["kind"].get<int64_t>();
  // Outside the 16 bits of a kind it names no colour; kept as an invalid kind.
  parsed.kind = kind >= INT16_MIN && kind <= INT16_MAX ? static_cast<ASInt16>(kind) : -1;
  if (json.contains("c")) {
    const nlohmann::json& c = json["c"];
    if (!c.is_array() || c.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i) {
      if (!c[i].is_number()) return false;
      parsed.c[i] = c[i].get<float>();
    }
  }
  if (json.contains("object") && json["object"].is_number_integer())
    parsed.object = json["object"].get<int32_t>();
  *color = parsed;
  return true;
}

}  // namespace

std::string documentSettingsJson(const DocumentSettings& document, const AIPathStyle& paint) {
  nlohmann::json settings{{"pageWidth", document.pageWidth},
                          {"pageHeight", document.pageHeight},
                          {"colorModel", document.colorModel},
                          {"fill", colorJson(paint.fillColor, paint.fillPaint)},
                          {"stroke", colorJson(paint.strokeColor, paint.strokePaint)},
                          {"strokeWidth", paint.strokeWidth}};
  return settings.dump();
}

Result<DrawingSettings> parseDocumentSettingsJson(const std::string& text) {
  if (Result<void> deep = checkJsonDepth(text); !deep) return deep.failure();
  nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
  DrawingSettings parsed;
  auto real = [&json](const char* name, float* value) {
    if (!json.contains(name) || !json[name].is_number()) return false;
    *value = json[name].get<float>();
    return std::isfinite(*value);
  };
  bool valid = json.is_object() && real("pageWidth", &parsed.document.pageWidth) &&
               real("pageHeight", &parsed.document.pageHeight) &&
               real("strokeWidth", &parsed.strokeWidth) && json.contains("colorModel") &&
               json["colorModel"].is_number_integer() && json.contains("fill") &&
               colorFromJson(json["fill"], &parsed.fill) && json.contains("stroke") &&
               colorFromJson(json["stroke"], &parsed.stroke);
  if (!valid) return fail("the drawing's document settings are incomplete");
  int64_t model = json["colorModel"].get<int64_t>();
  for (const Result<void>& rule :
       {checkColorModel(model >= INT32_MIN && model <= INT32_MAX ? static_cast<int>(model) : -1),
        checkPageSize(parsed.document.pageWidth, parsed.document.pageHeight),
        checkPaintColor(parsed.fill, "the fill"), checkPaintColor(parsed.stroke, "the stroke"),
        checkStrokeWidth(parsed.strokeWidth, "the stroke width")})
    if (!rule) return rule.failure();
  parsed.document.colorModel = static_cast<int16_t>(model);
  return parsed;
}

}  // namespace heart::cli
