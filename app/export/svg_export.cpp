#include "export/svg_export.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "core/output_file.h"
#include "core/two_halves.h"
#include "document/document.h"
#include "document/stroke_style.h"
#include "export/svg_text.h"

namespace heart {

namespace {

using WarpChain = std::vector<std::pair<EnvelopeWarp, AIRealRect>>;

// The paths of a drawing sorted by stroke colour, one pen each. Declared
// outside the writer so that it is complete (and default-constructible) where
// the writer's members use it.
struct PenLayers {
  bool keepFills = false;
  std::vector<std::string> colours;  // "#rrggbb", in the order of first use
  std::vector<std::string> paths;    // the text of each pen's paths
  std::string unstroked;
};

// Writes the art of a document. Text is gathered in a small chunk and handed
// to the output string a chunk at a time, which keeps the cost of each
// number and attribute to a few stores.
void reserveLarge(std::string& out, size_t bytes);

class SvgWriter {
 public:
  SvgWriter(const Document& document, std::string& out) : document_(document), out_(out) {
    pageHeight_ = document.pageSize().v;
  }
  ~SvgWriter() { flush(); }

  // A layer as an Inkscape layer (a group marked as one, labelled with the
  // layer's name, straight under the root), which flips the page's points,
  // vertical axis up, into SVG's units.
  void writeLayer(LayerId id, int number) {
    const Layer& layer = document_.tree().layer(id);
    put("<g id=\"layer-");
    put(std::to_string(number));
    put("\" inkscape:groupmode=\"layer\" inkscape:label=\"");
    escaped(layer.name);
    put("\" transform=\"matrix(1 0 0 -1 0 ");
    num(pageHeight_);
    put(")\"");
    if (!layer.visible) put(" display=\"none\"");
    put("><title>");
    escaped(layer.name);
    put("</title>\n");
    writeLayerContent(layer);
    put("</g>\n");
  }

  // A layer's art in paint order. A large layer is written in two halves at
  // once, the upper half by another thread into a text of its own that
  // follows the lower half's.
  void writeLayerContent(const Layer& layer) {
    const ArtTree& tree = document_.tree();
    std::vector<ArtId> arts;
    if (tree.liveCount() >= kArtForTwoHalves)
      for (ArtId art = layer.bottom; art != kNoArt; art = tree.node(art).above) arts.push_back(art);
    if (arts.size() < 2) {
      for (ArtId art = layer.bottom; art != kNoArt; art = tree.node(art).above) writeArt(art);
      return;
    }
    const size_t middle = arts.size() / 2;
    std::string upper;
    inTwoHalves(
        [&] {
          for (size_t i = 0; i < middle; ++i) writeArt(arts[i]);
        },
        [&] {
          reserveLarge(upper, tree.liveCount() * 160);
          SvgWriter writer(document_, upper);
          for (size_t i = middle; i < arts.size(); ++i) writer.writeArt(arts[i]);
        });
    flush();
    target_->append(upper);
  }

  // Every visible path sorted by its stroke colour into one layer a pen,
  // numbered in the order of first use.
  void writePenLayers(const SvgLayout& layout, int* number) {
    pens_.emplace();
    pens_->keepFills = layout.keepFills;
    for (LayerId id : document_.tree().layerOrder()) {
      const Layer& layer = document_.tree().layer(id);
      if (!layer.visible) continue;
      for (ArtId art = layer.bottom; art != kNoArt; art = document_.tree().node(art).above)
        writeArt(art);
    }
    flush();
    PenLayers pens = std::move(*pens_);
    pens_.reset();
    auto writePen = [&](const std::string& label, const std::string& paths) {
      put("<g id=\"pen-");
      put(std::to_string(++*number));
      put("\" inkscape:groupmode=\"layer\" inkscape:label=\"");
      put(std::to_string(*number));
      put(" ");
      put(label);
      put("\" transform=\"matrix(1 0 0 -1 0 ");
      num(pageHeight_);
      put(")\"><title>");
      put(std::to_string(*number));
      put(" ");
      put(label);
      put("</title>\n");
      put(paths);
      put("</g>\n");
    };
    for (size_t pen = 0; pen < pens.colours.size(); ++pen)
      writePen(pens.colours[pen], pens.paths[pen]);
    if (!pens.unstroked.empty()) writePen("none", pens.unstroked);
  }

  // A layer's art alone, for a group in another drawing; a hidden layer's
  // art is kept in a group that is not shown.
  void writeLayerArt(LayerId id) {
    const Layer& layer = document_.tree().layer(id);
    if (layer.bottom == kNoArt) return;
    if (!layer.visible) put("<g display=\"none\">\n");
    for (ArtId art = layer.bottom; art != kNoArt; art = document_.tree().node(art).above)
      writeArt(art);
    if (!layer.visible) put("</g>\n");
  }

  void writeSymbol(const SymbolDefinition& symbol, const std::string& id) {
    put("<symbol id=\"");
    put(id);
    put("\" viewBox=\"0 0 ");
    num(document_.pageSize().h);
    put(" ");
    num(pageHeight_);
    put("\"><title>");
    escaped(symbol.name);
    put("</title>\n");
    openFlip();
    for (const ArtContent& path : symbol.paths)
      writePath(path, path.segments.data(), path.segments.size());
    put("</g>\n</symbol>\n");
  }

  // A group that turns page coordinates (y up) into SVG's (y down).
  void openFlip() {
    put("<g transform=\"matrix(1 0 0 -1 0 ");
    num(pageHeight_);
    put(")\">\n");
  }

  // A literal: its length known here, so the copy is a few stores.
  template <size_t N>
  void put(const char (&literal)[N]) {
    static_assert(N - 1 <= kNumberRoom);
    room(N - 1);
    std::memcpy(cursor_, literal, N - 1);
    cursor_ += N - 1;
  }

  void put(std::string_view text) {
    if (text.size() > kChunk / 2) {
      flush();
      target_->append(text);
      return;
    }
    room(text.size());
    std::memcpy(cursor_, text.data(), text.size());
    cursor_ += text.size();
  }

  void escaped(std::string_view text) {
    std::string escapedText;
    appendEscaped(escapedText, text);
    put(escapedText);
  }

  void num(float value) {
    room(kNumberRoom);
    cursor_ = writeNumber(cursor_, value);
  }

  void flush() {
    target_->append(chunk_, cursor_);
    cursor_ = chunk_;
  }

 private:
  static constexpr size_t kChunk = 16384;

  void room(size_t bytes) {
    if (cursor_ + bytes > chunk_ + kChunk) flush();
  }

  void writeArt(ArtId id) {
    const ArtNode& node = document_.tree().node(id);
    if (node.type == kPathArt) {
      const SegmentList& segments = node.content.segments;
      if (warps_.empty()) {
        writePath(node.content, segments.data(), segments.size());
        return;
      }
      // Innermost envelope first.
      outline_ = segments;
      for (auto it = warps_.rbegin(); it != warps_.rend(); ++it) {
        warpOutline(it->first, it->second, outline_.data(), outline_.size(), warped_);
        std::swap(outline_, warped_);
      }
      writePath(node.content, outline_.data(), outline_.size());
      return;
    }
    bool envelope = node.type == kEnvelopeArt;
    bool group = node.content.opacity < 1 && !pens_;
    if (group) {
      put("<g opacity=\"");
      num(node.content.opacity);
      put("\">\n");
    }
    if (envelope) warps_.emplace_back(node.content.warp, document_.envelopeContentBounds(id));
    for (ArtId child = node.bottomChild; child != kNoArt;
         child = document_.tree().node(child).above)
      writeArt(child);
    if (envelope) warps_.pop_back();
    if (group) put("</g>\n");
  }

  void point(const AIRealPoint& p) {
    num(p.h);
    put(" ");
    num(p.v);
  }

  // The curve from a to b: a line when both handles lie on their anchors.
  void curve(const AIPathSegment& a, const AIPathSegment& b) {
    if (straightPiece(a, b)) {
      put(" L ");
    } else {
      put(" C ");
      point(a.out);
      put(" ");
      point(b.in);
      put(" ");
    }
    point(b.p);
  }

  void writePath(const ArtContent& content, const AIPathSegment* segments, int32_t count) {
    if (count <= 0) return;
    char hex[8];
    const AIPathStyle& style = content.style;
    const bool stroked = style.strokePaint && screenColor(style.strokeColor, hex);
    const bool filled = style.fillPaint && (!pens_ || pens_->keepFills);
    if (pens_) {
      // Into the text of its pen's layer.
      flush();
      if (stroked) {
        std::string colour(hex, 7);
        size_t pen = 0;
        while (pen < pens_->colours.size() && pens_->colours[pen] != colour) ++pen;
        if (pen == pens_->colours.size()) {
          pens_->colours.push_back(colour);
          pens_->paths.emplace_back();
        }
        target_ = &pens_->paths[pen];
      } else if (pens_->keepFills) {
        target_ = &pens_->unstroked;
      } else {
        return;
      }
    }
    put("<path d=\"M ");
    point(segments[0].p);
    for (int32_t i = 0; i + 1 < count; ++i) curve(segments[i], segments[i + 1]);
    if (content.closed) {
      if (drawsClosingPiece(segments, count)) curve(segments[count - 1], segments[0]);
      put(" Z");
    }
    put("\"");

    char fillHex[8];
    put(" fill=\"");
    put(filled && screenColor(style.fillColor, fillHex) ? std::string_view(fillHex, 7)
                                                        : std::string_view("none"));
    put("\" stroke=\"");
    put(stroked ? std::string_view(hex, 7) : std::string_view("none"));
    put("\"");
    if (stroked) {
      StrokeStyle stroke = strokeStyleOf(content, document_.artStyles());
      put(" stroke-width=\"");
      num(stroke.width);
      put("\"");
      if (stroke.round) put(" stroke-linejoin=\"round\" stroke-linecap=\"round\"");
      if (stroke.patterned && stroke.width > 0) {
        put(" stroke-dasharray=\"");
        num(stroke.dash);
        put(" ");
        num(stroke.gap);
        put("\"");
      }
    }
    if (content.opacity < 1) {
      put(" opacity=\"");
      num(content.opacity);
      put("\"");
    }
    put("/>\n");
    if (pens_) {
      flush();
      target_ = &out_;
    }
  }

  // The paths of each pen while a document is sorted by stroke colour.
  const Document& document_;
  std::string& out_;
  std::string* target_ = &out_;  // where flushed text goes
  std::optional<PenLayers> pens_;
  float pageHeight_;
  WarpChain warps_;
  SegmentList outline_, warped_;
  char chunk_[kChunk];
  char* cursor_ = chunk_;
};

// Reserves room for a large picture. Large buffers come fresh from the
// system, and touching them page by page costs more than writing them; on
// Linux the buffer is asked to use huge pages where the system allows it.
void reserveLarge(std::string& out, size_t bytes) {
  out.reserve(bytes);
#ifdef __linux__
  constexpr uintptr_t kHugePage = 2u << 20;
  if (bytes < 4 * kHugePage) return;
  uintptr_t start = (reinterpret_cast<uintptr_t>(out.data()) + kHugePage - 1) & ~(kHugePage - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(out.data()) + out.capacity()) & ~(kHugePage - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#endif
}

Result<std::string> metadataJson(const SvgMetadata& metadata) {
  nlohmann::json run = nlohmann::json::object();
  run["program"] = "heart";
  if (!metadata.recordJson.empty()) {
    nlohmann::json record = nlohmann::json::parse(metadata.recordJson, nullptr, false);
    if (record.is_discarded() || !record.is_object())
      return fail("the parameter record is not a JSON object");
    run["record"] = std::move(record);
  }
  if (metadata.seed) run["seed"] = *metadata.seed;
  if (!metadata.randomValues.empty()) run["randomValues"] = metadata.randomValues;
  if (metadata.randomDraws != 0) run["randomDraws"] = metadata.randomDraws;
  if (!metadata.documentJson.empty()) {
    nlohmann::json settings = nlohmann::json::parse(metadata.documentJson, nullptr, false);
    if (settings.is_discarded() || !settings.is_object())
      return fail("the document settings are not a JSON object");
    run["document"] = std::move(settings);
  }
  // Invalid UTF-8 in the record's text is replaced rather than refused.
  return run.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

Result<std::string> runMetadataJson(const SvgMetadata& metadata) { return metadataJson(metadata); }

Result<std::string> exportSvg(const Document& document, const SvgMetadata& metadata,
                              const SvgLayout& layout) {
  Result<std::string> made = metadataJson(metadata);
  if (!made) return made.failure();
  const std::string& json = *made;
  std::string out;
  // About 300 bytes a path of four curves.
  reserveLarge(out, 4096 + document.tree().liveCount() * 320);
  AIRealPoint page = document.pageSize();

  out +=
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
      "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\" [\n"
      // Inkscape's layer marks, declared so that the file stays valid SVG 1.1.
      "<!ATTLIST svg xmlns:inkscape CDATA #IMPLIED>\n"
      "<!ATTLIST g inkscape:groupmode CDATA #IMPLIED inkscape:label CDATA #IMPLIED>\n"
      "]>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" "
      "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" width=\"";
  appendNumber(out, page.h);
  out += "pt\" height=\"";
  appendNumber(out, page.v);
  out += "pt\" viewBox=\"0 0 ";
  appendNumber(out, page.h);
  out += ' ';
  appendNumber(out, page.v);
  out += "\">\n<title>";
  appendEscaped(out, metadata.title);
  out += "</title>\n<desc>";
  appendEscaped(out, metadata.description);
  out += "</desc>\n<metadata id=\"heart-run\">";
  appendEscaped(out, json);
  out += "</metadata>\n";

  {
    SvgWriter writer(document, out);
    if (!document.symbols().empty()) {
      writer.put("<defs>\n");
      int number = 0;
      for (const SymbolDefinition& symbol : document.symbols())
        writer.writeSymbol(symbol, "symbol-" + std::to_string(++number));
      writer.put("</defs>\n");
    }
    writer.put("<rect id=\"page\" x=\"0\" y=\"0\" width=\"");
    writer.num(page.h);
    writer.put("\" height=\"");
    writer.num(page.v);
    writer.put("\" fill=\"#ffffff\"/>\n");
    int number = 0;
    if (layout.layersByColour)
      writer.writePenLayers(layout, &number);
    else
      for (LayerId layer : document.tree().layerOrder()) writer.writeLayer(layer, ++number);
    writer.put("</svg>\n");
  }
  return out;
}

Result<std::string> exportHeartsContent(const Document& document, const SvgMetadata& metadata,
                                        const std::function<std::string(std::string_view)>& newId) {
  Result<std::string> json = metadataJson(metadata);
  if (!json) return json.failure();
  std::string out;
  reserveLarge(out, 1024 + document.tree().liveCount() * 320);
  out += "<metadata id=\"";
  out += newId("heart-run");
  out += "\">";
  appendEscaped(out, *json);
  out += "</metadata>\n";
  {
    SvgWriter writer(document, out);
    if (!document.symbols().empty()) {
      writer.put("<defs>\n");
      for (const SymbolDefinition& symbol : document.symbols())
        writer.writeSymbol(symbol, newId("heart-symbol"));
      writer.put("</defs>\n");
    }
    for (LayerId layer : document.tree().layerOrder()) writer.writeLayerArt(layer);
  }
  return out;
}

Result<void> writeSvgFile(const Document& document, const SvgMetadata& metadata,
                          const std::string& path, const SvgLayout& layout) {
  Result<std::string> text = exportSvg(document, metadata, layout);
  if (!text) return text.failure();
  return writeOutputFile(path, *text);
}

}  // namespace heart
