// SVG and PNG pictures of a document, and the record of how a drawing was
// made that travels inside the SVG.
//
// The SVG shows the page as its view box: page coordinates, whose vertical
// axis points up, are turned into SVG's downward axis by one group
// transform, so every coordinate is written exactly as the document holds it,
// with the fewest digits that read back to the same single-precision value.
// Layers are groups in paint order; envelopes are drawn with their warped
// outlines; symbol definitions go into <defs> as <symbol> elements.
//
// Colours for the screen: gray is ink (1 black, 0 white); four-colour process
// becomes r = (1 - c)(1 - k) and so on; components outside 0 to 1 are limited
// to it. No colour is drawn as "none". Gradients and patterns have no
// definition in this host and are drawn in a mid gray; a custom colour is
// drawn as a gray of its tint.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace heart {

class Document;

struct SvgMetadata {
  std::string title = "Hearts";
  std::string description;
  // The parameter record as a JSON object of named fields; empty for none.
  std::string recordJson;
  // The seed of the run's random source.
  std::optional<uint32_t> seed;
  // The fixed sequence of random values the run drew from instead, if any.
  std::vector<float> randomValues;
  // How many values had been drawn from the seed (or the sequence) when the
  // run whose art this is began; 0 is written as no entry.
  uint64_t randomDraws = 0;
  // The new document's settings and current paint the run drew on, as a JSON
  // object of the caller's making; empty for none.
  std::string documentJson;
};

// The run record as the JSON text an SVG's <metadata> holds (unescaped).
// Refused as exportSvg refuses.
Result<std::string> runMetadataJson(const SvgMetadata& metadata);

// How the art is laid out in the file: the document's layers, or, for a pen
// plotter, one layer per stroke colour.
struct SvgLayout {
  // One Inkscape layer per stroke colour ("1 #e4e453", "2 #000000", ... in
  // the order the paint order first uses them) holding every visible path
  // stroked in it, in paint order, group opacity left out; paths on hidden
  // layers are left out.
  bool layersByColour = false;
  // With layersByColour: fills are kept, and paths without a stroke go on a
  // last layer "N none"; without it, fills are dropped and such paths left
  // out.
  bool keepFills = false;
};

// The whole document as an SVG 1.1 file. Refused when recordJson or
// documentJson is neither empty nor a JSON object.
Result<std::string> exportSvg(const Document& document, const SvgMetadata& metadata,
                              const SvgLayout& layout = {});

// The hearts as what a group in another drawing holds: the run record as
// <metadata id="heart-run..."> first, symbol definitions in <defs>, and the
// art of every layer in paint order, in page coordinates (the vertical axis
// up: the group's transform maps them into the drawing). newId(base)
// answers an id the drawing does not use yet ("heart-run", "heart-run-2").
// Refused as exportSvg refuses.
Result<std::string> exportHeartsContent(const Document& document, const SvgMetadata& metadata,
                                        const std::function<std::string(std::string_view)>& newId);

// Writes the SVG to a file (through a temporary file, so a failed write
// leaves no half file).
Result<void> writeSvgFile(const Document& document, const SvgMetadata& metadata,
                          const std::string& path, const SvgLayout& layout = {});

// The metadata of an SVG this host wrote, for drawing the same hearts again.
Result<SvgMetadata> parseSvgMetadata(const std::string& svgText);
Result<SvgMetadata> readSvgMetadata(const std::string& path);
// The record of one run: the text of its <metadata> element, escaped as
// the file holds it.
Result<SvgMetadata> parseRunRecord(std::string_view escapedText);
// The same from the record's JSON itself; `where` names the file's kind in
// messages ("the SVG", "the PDF").
Result<SvgMetadata> parseRunJson(const std::string& runText, std::string_view where);

}  // namespace heart
