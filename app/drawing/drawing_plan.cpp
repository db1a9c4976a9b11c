// Where the hearts go in a drawing, and the drawing with them: pure text
// work on the offsets the reader found.
#include <unordered_map>

#include "drawing/drawing.h"

namespace heart {
namespace {

constexpr std::string_view kInkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";

std::string namespaceDeclaration(const Drawing& drawing, const DrawingElement& parent) {
  if (parent.defaultNamespace == drawing.svgNamespace) return {};
  return " xmlns=\"" + drawing.svgNamespace + "\"";
}

Result<Affine> pageToContent(const Drawing& drawing, const DrawingElement& parent) {
  auto where = [&parent]() {
    return parent.id.empty() ? "<" + parent.qualifiedName + ">"
                             : "<" + parent.qualifiedName + " id=\"" + parent.id + "\">";
  };
  if (!parent.contentToRoot)
    return fail(drawing.name + ": the hearts would go into " + where() +
                ", but heart cannot read a transform on the way: " + parent.contentToRootError);
  std::optional<Affine> rootToContent = inverse(*parent.contentToRoot);
  if (!rootToContent)
    return fail(drawing.name + ": the hearts would go into " + where() +
                ", whose transform flattens everything in it");
  return compose(*rootToContent, drawing.pageToRoot);
}

std::unordered_set<std::string> idSet(const std::vector<std::string>& ids) {
  return std::unordered_set<std::string>(ids.begin(), ids.end());
}

}  // namespace

std::string DrawingIds::take(std::string_view base, bool plainFirst) {
  std::string id(base);
  if (!plainFirst || used_.count(id)) {
    for (int n = 1;; ++n) {
      id = std::string(base) + "-" + std::to_string(n);
      if (!used_.count(id)) break;
    }
  }
  used_.insert(id);
  return id;
}

Result<HeartsPlan> planNewHearts(const Drawing& drawing, bool newLayer) {
  HeartsPlan plan;
  plan.ids = DrawingIds(idSet(drawing.ids));
  if (newLayer) {
    plan.parent = drawing.root;
    plan.offset =
        drawing.topLayers.empty() ? drawing.root.contentEnd : drawing.topLayers.back().end;
    const DrawingElement& root = drawing.root;
    std::string prefix = root.inkscapePrefix.empty() ? "inkscape" : root.inkscapePrefix;
    plan.layerOpen = std::string(drawing.topLayers.empty() ? "" : "\n") + "<g" +
                     namespaceDeclaration(drawing, root);
    if (root.inkscapePrefix.empty())
      plan.layerOpen += " xmlns:inkscape=\"" + std::string(kInkscapeNamespace) + "\"";
    plan.layerOpen += " id=\"" + plan.ids.take("layer-hearts", true) + "\" " + prefix +
                      ":groupmode=\"layer\" " + prefix + ":label=\"Hearts\">\n";
    plan.layerClose = "</g>";
    if (drawing.topLayers.empty()) plan.layerClose += "\n";
    Result<Affine> map = pageToContent(drawing, root);
    if (!map) return map.failure();
    plan.pageToParent = *map;
  } else {
    plan.parent = drawing.currentLayer        ? *drawing.currentLayer
                  : drawing.topLayers.empty() ? drawing.root
                                              : drawing.topLayers.back();
    plan.offset = plan.parent.contentEnd;
    plan.namespaceDeclaration = namespaceDeclaration(drawing, plan.parent);
    Result<Affine> map = pageToContent(drawing, plan.parent);
    if (!map) return map.failure();
    plan.pageToParent = *map;
  }
  plan.groupId = plan.ids.take("hearts", true);
  return plan;
}

Result<HeartsPlan> planReplacedHearts(const Drawing& drawing, size_t index) {
  const HeartGroup& group = drawing.heartGroups.at(index);
  // The ids inside the old group are free again; the group keeps its own.
  std::unordered_map<std::string, int> count;
  for (const std::string& id : drawing.ids) ++count[id];
  for (const std::string& id : group.innerIds) --count[id];
  std::unordered_set<std::string> used;
  for (const auto& [id, n] : count)
    if (n > 0) used.insert(id);
  HeartsPlan plan;
  plan.ids = DrawingIds(std::move(used));
  plan.parent = group.parent;
  plan.offset = group.element.start;
  plan.replaces = index;
  plan.namespaceDeclaration = namespaceDeclaration(drawing, group.parent);
  Result<Affine> map = pageToContent(drawing, group.parent);
  if (!map) return map.failure();
  plan.pageToParent = *map;
  plan.groupId = group.element.id.empty() ? plan.ids.take("hearts", true) : group.element.id;
  return plan;
}

std::string drawingWithHearts(const Drawing& drawing, const HeartsPlan& plan,
                              std::string_view content) {
  std::string group = "<g" + plan.namespaceDeclaration + " id=\"" + plan.groupId +
                      "\" transform=\"" + matrixText(plan.pageToParent) + "\">\n";
  group += content;
  group += "</g>";
  if (drawing.latin1) group = asciiText(group);
  const std::string& text = drawing.text;
  if (plan.replaces) {
    const DrawingElement& old = drawing.heartGroups[*plan.replaces].element;
    return text.substr(0, old.start) + group + text.substr(old.end);
  }
  std::string inserted =
      plan.layerOpen.empty() ? group + "\n" : plan.layerOpen + group + "\n" + plan.layerClose;
  const DrawingElement& parent = plan.parent;
  if (parent.empty && plan.offset == parent.contentEnd) {
    // <g .../> becomes <g ...>hearts</g>.
    return text.substr(0, parent.startTagEnd) + ">\n" + inserted + "</" + parent.qualifiedName +
           ">" + text.substr(parent.startTagEnd + 2);
  }
  return text.substr(0, plan.offset) + inserted + text.substr(plan.offset);
}

std::string asciiText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    uint32_t code = c & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += "&#" + std::to_string(code) + ";";
    i += static_cast<size_t>(length);
  }
  return out;
}

}  // namespace heart
