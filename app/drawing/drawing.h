// A designer's SVG drawing opened as the current document. The drawing is
// read, never rewritten: the hearts go into it by inserting text at byte
// offsets of the original, so everything else stays exactly as it was.
//
// Reading is guarded: entities are never expanded (a document type that
// declares any is refused), nothing outside the file is loaded, elements
// nest at most kMaxDrawingDepth deep and the text is at most
// kMaxDrawingBytes long (after gzip, for .svgz). Drawings in UTF-8 (or
// ASCII) and ISO-8859-1 are read; others are refused with a clear message.
//
// The page is the root's width and height (CSS units; a percentage or no
// size takes the view box's), in points with the vertical axis up, as the
// plug-in sees every page. The front view is centred on the page, or where
// the drawing's sodipodi:namedview says the designer last looked.
//
// The hearts are one group carrying their run record (a <metadata> element
// whose id is "heart-run" or "heart-run-N", first in the group) and one
// transform from page points to the user units of the group's parent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/result.h"
#include "drawing/svg_geometry.h"

namespace heart {

inline constexpr size_t kMaxDrawingBytes = 32u << 20;
inline constexpr int kMaxDrawingDepth = 200;

// Whether this build opens drawings: false where libxml2 is not available
// for the target.
bool canOpenDrawings();
inline constexpr const char* kNoDrawingsInThisBuild =
    "this build of heart opens no drawings (no libxml2 for its platform); nothing was written";

// Ids not yet used in a drawing: "base-1", "base-2", ..., or "base" itself
// when `plainFirst` and it is free.
class DrawingIds {
 public:
  explicit DrawingIds(std::unordered_set<std::string> used) : used_(std::move(used)) {}
  std::string take(std::string_view base, bool plainFirst = false);

 private:
  std::unordered_set<std::string> used_;
};

// Where an element's content ends and how to reach it.
struct DrawingElement {
  std::string qualifiedName;  // as written: "g", "svg:g"
  std::string id;             // empty for none
  size_t start = 0;           // the '<' of its start tag
  size_t startTagEnd = 0;     // the '>' of its start tag (the '/' of "/>" when empty)
  size_t end = 0;             // just after its end tag (or "/>")
  size_t contentEnd = 0;      // the '<' of its end tag (startTagEnd when empty)
  bool empty = false;         // written <g .../>
  // The map from the element's content to the root's user units (the
  // transforms of the element and of every element between it and the
  // root); none when one of them cannot be read.
  std::optional<Affine> contentToRoot;
  std::string contentToRootError;
  // In scope for the element's content: the default namespace, and the
  // prefix bound to Inkscape's namespace (empty: none; a new layer then
  // declares it itself).
  std::string defaultNamespace;
  std::string inkscapePrefix;
};

// A group of hearts this host wrote into the drawing.
struct HeartGroup {
  DrawingElement element;
  DrawingElement parent;
  std::string runText;  // the text of its <metadata>, escaped as in the file
  // The ids used inside the group (its own excepted), which a replacement
  // may use again.
  std::vector<std::string> innerIds;
};

// A solid swatch of the drawing's own: Inkscape keeps one as a gradient
// marked inkscape:swatch="solid" (osb:paint="solid" before 1.0) whose
// single stop holds the colour, as written (stop-color, in the stop's style
// or as an attribute).
struct DrawingSwatch {
  std::string name;  // its inkscape:label, else its id
  std::string colour;
};

struct Drawing {
  std::string name;     // the file, for messages
  std::string text;     // the SVG text (unpacked when the file was gzipped)
  bool latin1 = false;  // written in ISO-8859-1: inserted text is plain ASCII
  PointD pageSize;      // points: width, height
  PointD viewCentre;    // points, vertical axis up
  std::optional<double> viewZoom;
  // The map from page points (vertical axis up) to the root's user units.
  Affine pageToRoot;
  DrawingElement root;
  std::vector<DrawingElement> topLayers;  // the root's layers, in paint order
  // sodipodi:namedview's current layer, when it names a group of the root's
  // (or the root itself).
  std::optional<DrawingElement> currentLayer;
  std::vector<HeartGroup> heartGroups;  // in document order
  // The namespace of the root <svg> (SVG's, or none), which inserted
  // elements take too.
  std::string svgNamespace;
  // Every id in the drawing, in document order.
  std::vector<std::string> ids;
  // The drawing's solid swatches, in document order.
  std::vector<DrawingSwatch> swatches;
};

// Reads the drawing from a file (gzipped or not) or from text. Failure
// messages name the file.
Result<Drawing> openDrawing(const std::string& path);
Result<Drawing> readDrawing(std::string text, const std::string& name);

// Where the hearts go, and the text that makes their group.
struct HeartsPlan {
  // The element the group goes into, and where.
  DrawingElement parent;
  size_t offset = 0;
  // With a new layer: its opening and closing text around the group.
  std::string layerOpen, layerClose;
  // The group: its id, its transform from page points to the parent's
  // content, and ids free for what it holds.
  std::string groupId;
  Affine pageToParent;
  std::string namespaceDeclaration;  // " xmlns=\"...\"" when the parent's default differs
  std::optional<size_t> replaces;    // index into heartGroups
  DrawingIds ids{{}};
};

// New hearts: on a new top-level layer "Hearts" after the last one, or at
// the end of the current layer (sodipodi:namedview's, else the topmost
// layer, else the root).
Result<HeartsPlan> planNewHearts(const Drawing& drawing, bool newLayer);
// Hearts that replace the group heartGroups[index], in its place, with its id.
Result<HeartsPlan> planReplacedHearts(const Drawing& drawing, size_t index);

// The drawing with the group inserted: `content` is what the group holds,
// written in page points (the group's transform maps them). Outside the
// group (and its layer) the text is the drawing's, byte for byte, except
// that an empty parent <g .../> is opened to <g ...>...</g>.
std::string drawingWithHearts(const Drawing& drawing, const HeartsPlan& plan,
                              std::string_view content);

// Text for a drawing in ISO-8859-1 holds only ASCII: other characters are
// written as character references.
std::string asciiText(std::string_view utf8);

}  // namespace heart
