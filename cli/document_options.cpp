#include "document_options.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
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

namespace {

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Paper sizes by name, portrait, in points.
struct NamedPage {
  const char* name;
  double width, height;
};
constexpr double kPointsPerMm = 72 / 25.4;
constexpr NamedPage kNamedPages[] = {
    {"letter", 612, 792},
    {"legal", 612, 1008},
    {"tabloid", 792, 1224},
    {"a3", 297 * kPointsPerMm, 420 * kPointsPerMm},
    {"a4", 210 * kPointsPerMm, 297 * kPointsPerMm},
    {"a5", 148 * kPointsPerMm, 210 * kPointsPerMm},
    {"a6", 105 * kPointsPerMm, 148 * kPointsPerMm},
};

// Points in one unit: pt (and none), in, mm, cm, px at 96 an inch, pc.
std::optional<double> pointsPerUnit(std::string_view unit) {
  if (unit.empty() || unit == "pt") return 1.0;
  if (unit == "in") return 72.0;
  if (unit == "mm") return kPointsPerMm;
  if (unit == "cm") return 10 * kPointsPerMm;
  if (unit == "px") return 0.75;
  if (unit == "pc") return 12.0;
  return std::nullopt;
}

// "8.5in", "210", "1200px": the number and its unit's text.
bool splitLength(const std::string& text, float* number, std::string* unit) {
  size_t end = text.find_first_not_of("0123456789.+-eE");
  // An exponent's "e" belongs to the number only when a digit follows.
  while (end != std::string::npos && end > 0 && (text[end - 1] == 'e' || text[end - 1] == 'E'))
    --end;
  *unit = end == std::string::npos ? std::string() : text.substr(end);
  return parseReal(text.substr(0, end), number);
}

}  // namespace

Result<PageSize> parsePageSize(const std::string& text) {
  const std::string lower = lowerCase(text);
  for (const NamedPage& page : kNamedPages) {
    const std::string name = page.name;
    PageSize size{static_cast<float>(page.width), static_cast<float>(page.height)};
    if (lower == name || lower == name + "-portrait" || lower == name + " portrait") return size;
    if (lower == name + "-landscape" || lower == name + " landscape")
      return PageSize{size.height, size.width};
  }
  const std::string refusal =
      "page size \"" + text +
      "\" is neither WIDTHxHEIGHT (points, or with a unit: 210x297mm, 8.5x11in, 1200x800px; "
      "cm and pc too) nor a paper (letter, legal, tabloid, A3 to A6, each also -landscape)";
  size_t cross = lower.find('x');
  PageSize size;
  std::string widthUnit, heightUnit;
  if (cross == std::string::npos || !splitLength(lower.substr(0, cross), &size.width, &widthUnit) ||
      !splitLength(lower.substr(cross + 1), &size.height, &heightUnit))
    return fail(refusal);
  // A unit after the height alone serves both.
  if (widthUnit.empty()) widthUnit = heightUnit;
  std::optional<double> widthScale = pointsPerUnit(widthUnit);
  std::optional<double> heightScale = pointsPerUnit(heightUnit);
  if (!widthScale || !heightScale) return fail(refusal);
  size.width = static_cast<float>(size.width * *widthScale);
  size.height = static_cast<float>(size.height * *heightScale);
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
