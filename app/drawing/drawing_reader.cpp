// Reads a drawing with libxml2's streaming parser and notes, for the elements
// that matter, where they stand in the original bytes: the parser's position
// in a start-tag callback is the tag's '>' (or the '/' of "/>"), and in an
// end-tag callback just after the tag.
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <memory>

#include "drawing/drawing.h"

namespace heart {
namespace {

constexpr std::string_view kSvgNamespace = "http://www.w3.org/2000/svg";
constexpr std::string_view kInkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";
constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kSwatchBookNamespace = "http://www.openswatchbook.org/uri/2009/osb";

std::string_view view(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

bool isSodipodi(std::string_view uri) {
  return uri.size() >= 14 && uri.substr(uri.size() - 14) == "sodipodi-0.dtd";
}

bool isHeartRunId(std::string_view id) {
  constexpr std::string_view kRun = "heart-run";
  if (id.substr(0, kRun.size()) != kRun) return false;
  id.remove_prefix(kRun.size());
  if (id.empty()) return true;
  if (id.size() < 2 || id[0] != '-') return false;
  return std::all_of(id.begin() + 1, id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of one property in a style attribute ("a:b;c:d"), without the
// blanks around it; empty when it is not there.
std::string styleProperty(const std::string* style, std::string_view name) {
  if (!style) return {};
  std::string_view rest = *style;
  while (!rest.empty()) {
    size_t end = rest.find(';');
    std::string_view declaration = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    auto trim = [](std::string_view text) {
      while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
      while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
      return text;
    };
    if (trim(declaration.substr(0, colon)) == name)
      return std::string(trim(declaration.substr(colon + 1)));
  }
  return {};
}

struct Attribute {
  std::string_view local, uri;
  std::string value;
};

struct Frame {
  DrawingElement element;
  std::string_view local;
  std::string uri;
  bool isGroup = false;
  bool isLayer = false;
  bool inGroupChain = false;  // a group whose ancestors below the root are all groups
  bool isSwatch = false;      // a solid swatch, whose first stop gives its colour
  int children = 0;
  // Namespaces declared on this element: prefix ("" default), URI.
  std::vector<std::pair<std::string, std::string>> declared;
  // A group whose first child is a heart run record.
  bool heartCandidate = false;
  bool heartRecord = false;
  size_t runStart = 0, runEnd = 0;
  size_t idsBefore = 0;
  DrawingElement parentSnapshot;
};

struct Reader {
  xmlParserCtxtPtr context = nullptr;
  std::string_view original;
  // For a drawing read from a UTF-8 copy of ISO-8859-1 text: the offsets in
  // the copy just after each character that took two bytes there.
  std::vector<size_t> widened;
  std::string error;
  std::string parserError;
  int depth = 0;
  std::vector<Frame> stack;
  Drawing drawing;
  std::map<std::string, DrawingElement, std::less<>> groupsById;
  std::string currentLayerId;
  bool namedviewSeen = false;
  bool rootSeen = false;
  std::string inkscapeVersion;
  std::optional<double> namedCx, namedCy;

  void stop(std::string why) {
    if (error.empty()) error = std::move(why);
    xmlStopParser(context);
  }

  // The parser's position, as an offset into the original bytes.
  size_t position() const {
    size_t at = static_cast<size_t>(context->input->consumed) +
                static_cast<size_t>(context->input->cur - context->input->base);
    if (!widened.empty())
      at -= static_cast<size_t>(std::upper_bound(widened.begin(), widened.end(), at) -
                                widened.begin());
    return at;
  }

  std::string lookup(std::string_view prefix) const {
    for (auto frame = stack.rbegin(); frame != stack.rend(); ++frame)
      for (const auto& [p, uri] : frame->declared)
        if (p == prefix) return uri;
    return {};
  }

  void scopeOf(DrawingElement& element) const {
    element.defaultNamespace = lookup("");
    element.inkscapePrefix.clear();
    // The innermost binding of each prefix wins.
    std::map<std::string, std::string, std::less<>> bound;
    for (auto frame = stack.rbegin(); frame != stack.rend(); ++frame)
      for (const auto& [p, uri] : frame->declared) bound.emplace(p, uri);
    for (const auto& [p, uri] : bound) {
      if (p.empty()) continue;
      if (uri == kInkscapeNamespace && (element.inkscapePrefix.empty() || p == "inkscape"))
        element.inkscapePrefix = p;
    }
  }

  void start(const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
             int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaulted,
             const xmlChar** attributes) {
    if (++depth > kMaxDrawingDepth) {
      stop("its elements nest deeper than " + std::to_string(kMaxDrawingDepth) +
           " levels, more than heart reads");
      return;
    }
    Frame frame;
    frame.local = view(localName);
    frame.uri = std::string(view(uri));
    DrawingElement& element = frame.element;
    element.qualifiedName = prefix ? std::string(view(prefix)) + ":" + std::string(view(localName))
                                   : std::string(view(localName));
    for (int i = 0; i < namespaceCount; ++i)
      frame.declared.emplace_back(std::string(view(namespaces[2 * i])),
                                  std::string(view(namespaces[2 * i + 1])));
    // Attributes the document type adds by default are not the drawing's own.
    std::vector<Attribute> own;
    for (int i = 0; i < attributeCount - defaulted; ++i) {
      const xmlChar** a = attributes + 5 * i;
      own.push_back(
          {view(a[0]), view(a[2]),
           std::string(reinterpret_cast<const char*>(a[3]), static_cast<size_t>(a[4] - a[3]))});
    }
    auto attribute = [&own](std::string_view local,
                            std::string_view inUri = {}) -> const std::string* {
      for (const Attribute& a : own)
        if (a.local == local && a.uri == inUri) return &a.value;
      return nullptr;
    };

    size_t at = position();
    if (at >= original.size() || (original[at] != '>' && original.compare(at, 2, "/>") != 0)) {
      stop("heart cannot find the start tag of <" + element.qualifiedName + "> in the text");
      return;
    }
    element.empty = original[at] == '/';
    element.startTagEnd = at;
    element.start = original.rfind('<', at);
    if (element.start == std::string_view::npos ||
        original.compare(element.start + 1, element.qualifiedName.size(), element.qualifiedName) !=
            0) {
      stop("heart cannot find the start tag of <" + element.qualifiedName + "> in the text");
      return;
    }
    if (const std::string* id = attribute("id"))
      element.id = *id;
    else if (const std::string* xmlId = attribute("id", kXmlNamespace))
      element.id = *xmlId;
    if (!element.id.empty()) drawing.ids.push_back(element.id);
    frame.idsBefore = drawing.ids.size();

    Frame* parent = stack.empty() ? nullptr : &stack.back();
    stack.push_back(std::move(frame));
    Frame& self = stack.back();
    DrawingElement& placed = self.element;
    if (parent == nullptr) {
      startRoot(self, attribute);
      return;
    }
    // `parent` may have moved with the stack; take it again.
    parent = &stack[stack.size() - 2];
    bool isSvgElement = self.uri == drawing.svgNamespace;
    self.isGroup = isSvgElement && self.local == "g";
    bool parentIsRoot = stack.size() == 2;
    self.inGroupChain = self.isGroup && (parentIsRoot || parent->inGroupChain);
    const std::string* mode = attribute("groupmode", kInkscapeNamespace);
    self.isLayer = self.inGroupChain && mode && *mode == "layer";

    // The map from this element's content to the root's user units.
    placed.contentToRoot = parent->element.contentToRoot;
    placed.contentToRootError = parent->element.contentToRootError;
    if (const std::string* transform = attribute("transform"); transform && placed.contentToRoot) {
      Result<Affine> own = parseTransform(*transform);
      if (own) {
        placed.contentToRoot = compose(*placed.contentToRoot, *own);
      } else {
        placed.contentToRoot.reset();
        placed.contentToRootError = "<" + placed.qualifiedName +
                                    (placed.id.empty() ? "" : " id=\"" + placed.id + "\"") +
                                    ">: " + own.error();
      }
    }
    scopeOf(placed);

    if (parent->children++ == 0 && parent->inGroupChain && isSvgElement &&
        self.local == "metadata" && isHeartRunId(placed.id)) {
      parent->heartCandidate = true;
      self.heartRecord = true;
    }
    if (self.inGroupChain) self.parentSnapshot = parent->element;

    if (isSvgElement && self.local == "linearGradient") {
      const std::string* solid = attribute("swatch", kInkscapeNamespace);
      if (!solid) solid = attribute("paint", kSwatchBookNamespace);
      if (solid && *solid == "solid") {
        self.isSwatch = true;
        const std::string* label = attribute("label", kInkscapeNamespace);
        drawing.swatches.push_back({label && !label->empty() ? *label : placed.id, {}});
      }
    }
    if (isSvgElement && self.local == "stop" && parent->isSwatch &&
        drawing.swatches.back().colour.empty()) {
      std::string colour = styleProperty(attribute("style"), "stop-color");
      if (colour.empty())
        if (const std::string* stopColour = attribute("stop-color")) colour = *stopColour;
      drawing.swatches.back().colour = colour.empty() ? "black" : colour;
    }

    if (!namedviewSeen && self.local == "namedview" && isSodipodi(self.uri)) {
      namedviewSeen = true;
      if (const std::string* layer = attribute("current-layer", kInkscapeNamespace))
        currentLayerId = *layer;
      auto number = [&](std::string_view name) -> std::optional<double> {
        const std::string* text = attribute(name, kInkscapeNamespace);
        if (!text) return std::nullopt;
        Result<Length> length = parseLength(*text);
        if (!length || length->percent) return std::nullopt;
        return length->value;
      };
      namedCx = number("cx");
      namedCy = number("cy");
      std::optional<double> zoom = number("zoom");
      if (zoom && *zoom > 0) drawing.viewZoom = zoom;
    }
  }

  template <class AttributeOf>
  void startRoot(Frame& self, AttributeOf& attribute) {
    rootSeen = true;
    DrawingElement& root = self.element;
    if (self.local != "svg" || (!self.uri.empty() && self.uri != kSvgNamespace)) {
      stop("its root element is <" + root.qualifiedName + ">, not an SVG <svg>");
      return;
    }
    root.contentToRoot = Affine{};
    drawing.svgNamespace = self.uri;
    scopeOf(root);
    if (const std::string* version = attribute("version", kInkscapeNamespace))
      inkscapeVersion = *version;

    std::optional<ViewBox> box;
    if (const std::string* text = attribute("viewBox")) {
      Result<ViewBox> parsed = parseViewBox(*text);
      if (!parsed) return stop(parsed.error());
      box = *parsed;
    }
    auto side = [&](std::string_view name, double fromBox, double* pixels) {
      const std::string* text = attribute(name);
      if (text) {
        Result<Length> length = parseLength(*text);
        if (!length) return stop("its " + std::string(name) + " " + length.error()), false;
        if (!length->percent) {
          if (!(length->value > 0))
            return stop("its " + std::string(name) + " \"" + *text + "\" is not above 0"), false;
          *pixels = length->value;
          return true;
        }
      }
      if (!box) {
        stop("it gives no " + std::string(name) +
             (text ? " heart can use (a percentage needs a viewBox)" : "") +
             " and no viewBox, so the page's size is unknown");
        return false;
      }
      *pixels = fromBox;
      return true;
    };
    double widthPx = 0, heightPx = 0;
    if (!side("width", box ? box->width : 0, &widthPx)) return;
    if (!side("height", box ? box->height : 0, &heightPx)) return;
    constexpr double kPointsPerPixel = 0.75;
    drawing.pageSize = PointD{widthPx * kPointsPerPixel, heightPx * kPointsPerPixel};
    if (drawing.pageSize.x > 1'000'000 || drawing.pageSize.y > 1'000'000)
      return stop("its page is larger than 1,000,000 points a side");
    Affine boxToViewport;
    if (box) {
      Result<AspectRatio> ratio = parseAspectRatio(
          attribute("preserveAspectRatio") ? *attribute("preserveAspectRatio") : std::string());
      if (!ratio) return stop(ratio.error());
      boxToViewport = viewBoxToViewport(*box, *ratio, widthPx, heightPx);
    }
    // Page points, vertical axis up, to viewport pixels, vertical axis down.
    const Affine pageToViewport{1 / kPointsPerPixel, 0, 0, -1 / kPointsPerPixel, 0, heightPx};
    drawing.pageToRoot = compose(*inverse(boxToViewport), pageToViewport);
    drawing.viewCentre = PointD{drawing.pageSize.x / 2, drawing.pageSize.y / 2};
  }

  void end() {
    if (stack.empty()) return;
    --depth;
    Frame self = std::move(stack.back());
    stack.pop_back();
    DrawingElement& element = self.element;
    size_t at = position();
    if (element.empty) {
      element.end = at;
      element.contentEnd = element.startTagEnd;
    } else {
      element.end = at;
      element.contentEnd = at > 0 ? original.rfind('<', at - 1) : std::string_view::npos;
      if (element.contentEnd == std::string_view::npos ||
          original.compare(element.contentEnd, 2, "</") != 0) {
        stop("heart cannot find the end tag of <" + element.qualifiedName + "> in the text");
        return;
      }
    }
    if (stack.empty()) {
      drawing.root = element;
      return;
    }
    Frame& parent = stack.back();
    if (self.heartRecord) {
      if (element.empty) {
        parent.heartCandidate = false;
      } else {
        parent.runStart = element.startTagEnd + 1;
        parent.runEnd = element.contentEnd;
      }
    }
    // A swatch without a stop of its own (one that refers to another's
    // stops) names no colour heart can read.
    if (self.isSwatch && drawing.swatches.back().colour.empty()) drawing.swatches.pop_back();
    if (self.isLayer && stack.size() == 1) drawing.topLayers.push_back(element);
    if (self.inGroupChain && !element.id.empty()) groupsById.emplace(element.id, element);
    if (self.heartCandidate) {
      HeartGroup group;
      group.element = element;
      group.parent = self.parentSnapshot;
      group.runText = std::string(original.substr(self.runStart, self.runEnd - self.runStart));
      group.innerIds.assign(drawing.ids.begin() + static_cast<std::ptrdiff_t>(self.idsBefore),
                            drawing.ids.end());
      drawing.heartGroups.push_back(std::move(group));
    }
  }
};

Reader* readerOf(void* context) { return static_cast<Reader*>(context); }

void onStart(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
             int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaulted,
             const xmlChar** attributes) {
  readerOf(context)->start(localName, prefix, uri, namespaceCount, namespaces, attributeCount,
                           defaulted, attributes);
}

void onEnd(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  readerOf(context)->end();
}

void onEntityDeclaration(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*,
                         xmlChar*) {
  readerOf(context)->stop(
      "its document type declares entities, which heart does not expand (they can make a "
      "small file huge or read other files)");
}

void onUnparsedEntity(void* context, const xmlChar*, const xmlChar*, const xmlChar*,
                      const xmlChar*) {
  onEntityDeclaration(context, nullptr, 0, nullptr, nullptr, nullptr);
}

xmlParserInputPtr onResolveEntity(void* context, const xmlChar*, const xmlChar*) {
  readerOf(context)->stop("it refers to another file, which heart does not read");
  return nullptr;
}

void onStructuredError(void* context, xmlErrorPtr error) {
  Reader* reader = readerOf(context);
  if (!error || error->level < XML_ERR_ERROR || !reader->parserError.empty()) return;
  std::string message = error->message ? error->message : "not well-formed";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  reader->parserError = "line " + std::to_string(error->line) + ": " + message;
}

// The name in <?xml ... encoding="NAME"?>, in lower case; empty for none.
std::string declaredEncoding(std::string_view text) {
  if (text.substr(0, 5) != "<?xml") return {};
  size_t close = text.find("?>");
  std::string_view declaration = text.substr(0, close);
  size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  at = declaration.find_first_of("\"'", at);
  if (at == std::string_view::npos) return {};
  size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos) return {};
  std::string name(declaration.substr(at + 1, end - at - 1));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

Result<std::string> gunzip(std::string_view packed) {
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 16) != Z_OK) return fail("zlib cannot start unpacking it");
  std::string out;
  char chunk[65536];
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    stream.next_out = reinterpret_cast<Bytef*>(chunk);
    stream.avail_out = sizeof chunk;
    status = inflate(&stream, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) {
      inflateEnd(&stream);
      return fail("it is not a whole gzip stream (" +
                  std::string(stream.msg ? stream.msg : "damaged") + ")");
    }
    out.append(chunk, sizeof chunk - stream.avail_out);
    if (out.size() > kMaxDrawingBytes) {
      inflateEnd(&stream);
      return fail("it unpacks to more than " + std::to_string(kMaxDrawingBytes >> 20) +
                  " MiB of SVG, more than heart reads");
    }
    if (status == Z_OK && stream.avail_in == 0 && stream.avail_out != 0) {
      inflateEnd(&stream);
      return fail("it is not a whole gzip stream (it ends early)");
    }
  }
  inflateEnd(&stream);
  return out;
}

}  // namespace

bool canOpenDrawings() { return true; }

Result<Drawing> readDrawing(std::string text, const std::string& name) {
  auto refuse = [&name](const std::string& why) {
    return fail(name + ": " + why + "; nothing was written");
  };
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0x1f &&
      static_cast<unsigned char>(text[1]) == 0x8b) {
    Result<std::string> unpacked = gunzip(text);
    if (!unpacked) return refuse(unpacked.error());
    text = std::move(*unpacked);
  }
  if (text.size() > kMaxDrawingBytes)
    return refuse("it is larger than " + std::to_string(kMaxDrawingBytes >> 20) +
                  " MiB, more than heart reads");
  if (text.size() >= 2 &&
      (static_cast<unsigned char>(text[0]) == 0xfe || static_cast<unsigned char>(text[0]) == 0xff ||
       text[0] == 0 || text[1] == 0))
    return refuse("it is written in UTF-16 or UTF-32; heart reads drawings in UTF-8 or ISO-8859-1");

  Reader reader;
  reader.original = text;
  std::string encoding = declaredEncoding(
      std::string_view(text).substr(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0, 200));
  std::string latin1Copy;
  std::string_view parsed = text;
  int options = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;
  if (encoding == "iso-8859-1" || encoding == "latin1" || encoding == "iso_8859-1" ||
      encoding == "us-ascii" || encoding == "ascii") {
    // The parser reads a UTF-8 copy; offsets found in it are taken back to
    // the original's.
    latin1Copy.reserve(text.size() + text.size() / 8);
    for (unsigned char c : text) {
      if (c < 0x80) {
        latin1Copy += static_cast<char>(c);
      } else {
        latin1Copy += static_cast<char>(0xC0 | (c >> 6));
        latin1Copy += static_cast<char>(0x80 | (c & 0x3F));
        reader.widened.push_back(latin1Copy.size());
      }
    }
    parsed = latin1Copy;
    options |= XML_PARSE_IGNORE_ENC;
    reader.drawing.latin1 = true;
  } else if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8") {
    return refuse("it is written in " + encoding + "; heart reads drawings in UTF-8 or ISO-8859-1");
  }
  if (parsed.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
    return refuse("it is larger than heart reads");

  xmlInitParser();
  xmlSAXHandler sax{};
  sax.initialized = XML_SAX2_MAGIC;
  sax.startElementNs = onStart;
  sax.endElementNs = onEnd;
  sax.entityDecl = onEntityDeclaration;
  sax.unparsedEntityDecl = onUnparsedEntity;
  sax.resolveEntity = onResolveEntity;
  sax.serror = onStructuredError;
  xmlParserCtxtPtr context =
      xmlCreateMemoryParserCtxt(parsed.data(), static_cast<int>(parsed.size()));
  if (!context) return refuse("libxml2 cannot start reading it");
  // The context's own handler is replaced by the one above.
  xmlFree(context->sax);
  context->sax = &sax;
  context->userData = &reader;
  xmlCtxtUseOptions(context, options);
  // Entities stay references; the document type is not loaded.
  context->replaceEntities = 0;
  context->loadsubset = 0;
  reader.context = context;
  int status = xmlParseDocument(context);
  bool wellFormed = context->wellFormed != 0;
  context->sax = nullptr;
  // A document type makes the parser start a document of its own, which
  // freeing the context leaves behind.
  if (context->myDoc) xmlFreeDoc(context->myDoc);
  context->myDoc = nullptr;
  xmlFreeParserCtxt(context);

  if (!reader.error.empty()) return refuse(reader.error);
  if (status != 0 || !wellFormed)
    return refuse(
        "it is not well-formed XML (" +
        (reader.parserError.empty() ? std::string("the parser stopped") : reader.parserError) +
        ")");
  if (!reader.rootSeen) return refuse("it holds no element");

  Drawing& drawing = reader.drawing;
  drawing.name = name;
  // Where the designer last looked: Inkscape keeps the window's centre in
  // the page's pixels, the vertical axis down (before version 1, up).
  if (reader.namedCx && reader.namedCy) {
    double y = reader.inkscapeVersion.substr(0, 2) == "0."
                   ? *reader.namedCy * 0.75
                   : drawing.pageSize.y - *reader.namedCy * 0.75;
    drawing.viewCentre = PointD{*reader.namedCx * 0.75, y};
  }
  if (!reader.currentLayerId.empty()) {
    if (reader.currentLayerId == drawing.root.id) {
      drawing.currentLayer = drawing.root;
    } else if (auto found = reader.groupsById.find(reader.currentLayerId);
               found != reader.groupsById.end()) {
      drawing.currentLayer = found->second;
    }
  }
  drawing.text = std::move(text);
  return drawing;
}

Result<Drawing> openDrawing(const std::string& path) {
  std::error_code error;
  auto size = std::filesystem::file_size(path, error);
  if (error) return fail("cannot read " + path + ": " + error.message() + "; nothing was written");
  if (size > kMaxDrawingBytes)
    return fail(path + ": it is larger than " + std::to_string(kMaxDrawingBytes >> 20) +
                " MiB, more than heart reads; nothing was written");
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return fail("cannot read " + path + ": " + std::strerror(errno) + "; nothing was written");
  std::string text(static_cast<size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (static_cast<size_t>(in.gcount()) != text.size())
    return fail("cannot read " + path + ": it changed while it was read; nothing was written");
  return readDrawing(std::move(text), path);
}

}  // namespace heart
