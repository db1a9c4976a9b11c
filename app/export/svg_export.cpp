#include "export/svg_export.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>
#include <vector>

#include "document/document.h"
#include "export/svg_text.h"

namespace heart {

namespace {

using WarpChain = std::vector<std::pair<EnvelopeWarp, AIRealRect>>;

class SvgWriter {
 public:
  SvgWriter(const Document& document, std::string& out) : document_(document), out_(out) {
    pageHeight_ = document.pageSize().v;
  }

  void writeLayer(LayerId id, int number) {
    const Layer& layer = document_.layer(id);
    out_ += "<g id=\"layer-";
    out_ += std::to_string(number);
    out_ += '"';
    if (!layer.visible) out_ += " display=\"none\"";
    out_ += "><title>";
    appendEscaped(out_, layer.name);
    out_ += "</title>\n";
    for (ArtId art = layer.bottom; art != kNoArt; art = document_.art(art).above) writeArt(art);
    out_ += "</g>\n";
  }

  void writeSymbol(const SymbolDefinition& symbol, int number) {
    out_ += "<symbol id=\"symbol-";
    out_ += std::to_string(number);
    out_ += "\" viewBox=\"0 0 ";
    appendNumber(out_, document_.pageSize().h);
    out_ += ' ';
    appendNumber(out_, pageHeight_);
    out_ += "\"><title>";
    appendEscaped(out_, symbol.name);
    out_ += "</title>\n";
    openFlip("");
    for (const ArtContent& path : symbol.paths)
      writePath(path, path.segments.data(), path.segments.size());
    out_ += "</g>\n</symbol>\n";
  }

  // A group that turns page coordinates (y up) into SVG's (y down).
  void openFlip(const char* id) {
    out_ += "<g";
    if (*id) {
      out_ += " id=\"";
      out_ += id;
      out_ += '"';
    }
    out_ += " transform=\"matrix(1 0 0 -1 0 ";
    appendNumber(out_, pageHeight_);
    out_ += ")\">\n";
  }

 private:
  void writeArt(ArtId id) {
    const ArtNode& node = document_.art(id);
    if (node.type == kPathArt) {
      const SegmentList& segments = node.content.segments;
      if (warps_.empty()) {
        writePath(node.content, segments.data(), segments.size());
        return;
      }
      // Innermost envelope first.
      outline_ = segments;
      for (auto it = warps_.rbegin(); it != warps_.rend(); ++it) {
        warpOutline(it->first, it->second, outline_.data(), outline_.size(), node.content.closed,
                    warped_);
        std::swap(outline_, warped_);
      }
      writePath(node.content, outline_.data(), outline_.size());
      return;
    }
    bool envelope = node.type == kEnvelopeArt;
    bool group = node.content.opacity < 1;
    if (group) {
      out_ += "<g opacity=\"";
      appendNumber(out_, node.content.opacity);
      out_ += "\">\n";
    }
    if (envelope) warps_.emplace_back(node.content.warp, document_.envelopeContentBounds(id));
    for (ArtId child = node.bottomChild; child != kNoArt; child = document_.art(child).above)
      writeArt(child);
    if (envelope) warps_.pop_back();
    if (group) out_ += "</g>\n";
  }

  void point(const AIRealPoint& p) {
    appendNumber(out_, p.h);
    out_ += ' ';
    appendNumber(out_, p.v);
  }

  // The curve from a to b: a line when both handles lie on their anchors.
  void curve(const AIPathSegment& a, const AIPathSegment& b) {
    bool straight = a.out.h == a.p.h && a.out.v == a.p.v && b.in.h == b.p.h && b.in.v == b.p.v;
    if (straight) {
      out_ += " L ";
    } else {
      out_ += " C ";
      point(a.out);
      out_ += ' ';
      point(b.in);
      out_ += ' ';
    }
    point(b.p);
  }

  void writePath(const ArtContent& content, const AIPathSegment* segments, int32_t count) {
    if (count <= 0) return;
    out_ += "<path d=\"M ";
    point(segments[0].p);
    for (int32_t i = 0; i + 1 < count; ++i) curve(segments[i], segments[i + 1]);
    if (content.closed) {
      if (count > 1) curve(segments[count - 1], segments[0]);
      out_ += " Z";
    }
    out_ += '"';

    const AIPathStyle& style = content.style;
    char hex[8];
    out_ += " fill=\"";
    out_ += style.fillPaint && screenColor(style.fillColor, hex) ? hex : "none";
    out_ += "\" stroke=\"";
    bool stroked = style.strokePaint && screenColor(style.strokeColor, hex);
    out_ += stroked ? hex : "none";
    out_ += '"';
    if (stroked) {
      const std::vector<ArtStyle>& styles = document_.artStyles();
      const ArtStyle& look =
          styles[content.artStyle >= 0 && static_cast<size_t>(content.artStyle) < styles.size()
                     ? content.artStyle
                     : 0];
      float width = style.strokeWidth > 0 ? style.strokeWidth * look.strokeFactor : 0;
      out_ += " stroke-width=\"";
      appendNumber(out_, width);
      out_ += '"';
      if (look.roundJoins) out_ += " stroke-linejoin=\"round\" stroke-linecap=\"round\"";
      if (look.dash + look.gap > 0 && width > 0) {
        out_ += " stroke-dasharray=\"";
        appendNumber(out_, look.dash * width);
        out_ += ' ';
        appendNumber(out_, look.gap * width);
        out_ += '"';
      }
    }
    if (content.opacity < 1) {
      out_ += " opacity=\"";
      appendNumber(out_, content.opacity);
      out_ += '"';
    }
    out_ += "/>\n";
  }

  const Document& document_;
  std::string& out_;
  float pageHeight_;
  WarpChain warps_;
  SegmentList outline_, warped_;
};

std::string metadataJson(const SvgMetadata& metadata) {
  nlohmann::json run = nlohmann::json::object();
  run["program"] = "heart";
  if (!metadata.recordJson.empty()) {
    nlohmann::json record = nlohmann::json::parse(metadata.recordJson, nullptr, false);
    if (record.is_discarded() || !record.is_object())
      throw std::invalid_argument("the parameter record is not a JSON object");
    run["record"] = std::move(record);
  }
  if (metadata.seed) run["seed"] = *metadata.seed;
  if (!metadata.randomValues.empty()) run["randomValues"] = metadata.randomValues;
  // Invalid UTF-8 in the record's text is replaced rather than refused.
  return run.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::string exportSvg(const Document& document, const SvgMetadata& metadata) {
  std::string json = metadataJson(metadata);
  std::string out;
  out.reserve(4096 + document.liveArtCount() * 200);
  AIRealPoint page = document.pageSize();

  out +=
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
      "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
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

  SvgWriter writer(document, out);
  if (!document.symbols().empty()) {
    out += "<defs>\n";
    int number = 0;
    for (const SymbolDefinition& symbol : document.symbols()) writer.writeSymbol(symbol, ++number);
    out += "</defs>\n";
  }
  out += "<rect id=\"page\" x=\"0\" y=\"0\" width=\"";
  appendNumber(out, page.h);
  out += "\" height=\"";
  appendNumber(out, page.v);
  out += "\" fill=\"#ffffff\"/>\n";
  writer.openFlip("artwork");
  int number = 0;
  for (LayerId layer : document.layerOrder()) writer.writeLayer(layer, ++number);
  out += "</g>\n</svg>\n";
  return out;
}

bool writeSvgFile(const Document& document, const SvgMetadata& metadata, const std::string& path,
                  std::string* error) {
  std::string text;
  try {
    text = exportSvg(document, metadata);
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
  }
  std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      if (error) *error = "cannot write " + path;
      return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::remove(temporary.c_str());
      if (error) *error = "cannot write " + path;
      return false;
    }
  }
  std::error_code code;
  std::filesystem::rename(temporary, path, code);
  if (code) {
    std::remove(temporary.c_str());
    if (error) *error = "cannot write " + path + ": " + code.message();
    return false;
  }
  return true;
}

}  // namespace heart
