// Reads back the title, description and run record of an SVG this host wrote.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/json_depth.h"
#include "export/svg_export.h"
#include "export/svg_text.h"

namespace heart {

namespace {

// The text between the first <tag> (or <tag ...>) and its </tag>, if any.
std::optional<std::string_view> elementText(std::string_view svg, std::string_view open,
                                            std::string_view close) {
  size_t start = svg.find(open);
  if (start == std::string_view::npos) return std::nullopt;
  start += open.size();
  size_t end = svg.find(close, start);
  if (end == std::string_view::npos) return std::nullopt;
  return svg.substr(start, end - start);
}

// The text of the last <metadata id="heart-run"> or <metadata
// id="heart-run-N">: a drawing that holds several groups of hearts names
// their records apart, and the last one is the newest.
std::optional<std::string_view> lastRunText(std::string_view svg) {
  constexpr std::string_view kOpen = "<metadata id=\"heart-run";
  for (size_t at = svg.rfind(kOpen); at != std::string_view::npos;
       at = at == 0 ? std::string_view::npos : svg.rfind(kOpen, at - 1)) {
    size_t end = at + kOpen.size();
    if (svg.substr(end, 1) == "-") {
      size_t digits = end + 1;
      while (digits < svg.size() && svg[digits] >= '0' && svg[digits] <= '9') ++digits;
      if (digits == end + 1) continue;
      end = digits;
    }
    if (svg.substr(end, 2) != "\">") continue;
    if (auto text = elementText(svg.substr(at), svg.substr(at, end + 2 - at), "</metadata>"))
      return text;
  }
  return std::nullopt;
}

}  // namespace

Result<SvgMetadata> parseSvgMetadata(const std::string& svgText) {
  std::string_view svg = svgText;
  size_t root = svg.find("<svg");
  if (root == std::string_view::npos) {
    return fail("not an SVG file");
  }
  svg = svg.substr(root);
  auto run = lastRunText(svg);
  if (!run) {
    return fail("the SVG carries no record of a heart run (no <metadata id=\"heart-run\">)");
  }
  Result<SvgMetadata> metadata = parseRunRecord(*run);
  if (!metadata) return metadata;
  if (auto title = elementText(svg, "<title>", "</title>")) metadata->title = unescapeXml(*title);
  if (auto desc = elementText(svg, "<desc>", "</desc>")) metadata->description = unescapeXml(*desc);
  return metadata;
}

Result<SvgMetadata> parseRunRecord(std::string_view escapedText) {
  return parseRunJson(unescapeXml(escapedText), "the SVG");
}

Result<SvgMetadata> parseRunJson(const std::string& runText, std::string_view where) {
  // "the seed", " is ..." -> "the seed in the SVG is ...", built by appending.
  auto said = [where](std::string_view what, std::string_view rest) {
    std::string text(what);
    text += " in ";
    text += where;
    text += rest;
    return text;
  };
  if (Result<void> tooDeep = checkJsonDepth(runText); !tooDeep) {
    return fail(said("the record of the heart run", " is refused: ") + tooDeep.error());
  }
  nlohmann::json json = nlohmann::json::parse(runText, nullptr, false);
  if (json.is_discarded() || !json.is_object()) {
    return fail(said("the record of the heart run", " is not valid JSON"));
  }

  SvgMetadata metadata;
  if (json.contains("record")) {
    if (!json["record"].is_object()) {
      return fail(said("the parameter record", " is not a JSON object"));
    }
    metadata.recordJson = json["record"].dump();
  }
  if (json.contains("document")) {
    if (!json["document"].is_object()) {
      return fail(said("the document settings", " are not a JSON object"));
    }
    metadata.documentJson = json["document"].dump();
  }
  if (json.contains("seed")) {
    const auto& seed = json["seed"];
    if (!seed.is_number_unsigned() || seed.get<uint64_t>() > std::numeric_limits<uint32_t>::max()) {
      return fail(said("the seed", " is not a whole number from 0 to 4294967295"));
    }
    metadata.seed = seed.get<uint32_t>();
  }
  if (json.contains("randomDraws")) {
    if (!json["randomDraws"].is_number_unsigned())
      return fail("the random draws in the SVG are not a whole number from 0");
    metadata.randomDraws = json["randomDraws"].get<uint64_t>();
  }
  if (json.contains("randomValues")) {
    const auto& values = json["randomValues"];
    if (!values.is_array()) {
      return fail(said("the random values", " are not a list of numbers"));
    }
    for (const auto& value : values) {
      if (!value.is_number() || !(value.get<double>() >= 0) || value.get<double>() >= 1) {
        return fail(said("the random values", " must be numbers from 0 up to but not including 1"));
      }
      metadata.randomValues.push_back(value.get<float>());
    }
  }
  return metadata;
}

Result<SvgMetadata> readSvgMetadata(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return fail("cannot read " + path + ": " + std::strerror(errno));
  }
  std::ostringstream text;
  text << in.rdbuf();
  Result<SvgMetadata> metadata = parseSvgMetadata(text.str());
  if (!metadata) return fail(path + ": " + metadata.error());
  return metadata;
}

}  // namespace heart
