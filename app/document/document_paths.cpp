// The operations on the content of art: geometry, paint, opacity, bounds,
// transformation, envelopes, art styles, symbols and tags.
#include <algorithm>
#include <cmath>

#include "document/bezier_bounds.h"
#include "document/document.h"

namespace heart {

namespace {

bool finitePoint(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }

bool finiteSegment(const AIPathSegment& s) {
  return finitePoint(s.p) && finitePoint(s.in) && finitePoint(s.out);
}

bool fitsFloat(double value) { return std::isfinite(value) && std::fabs(value) <= 3.0e38; }

AIRealPoint transformed(const AIRealMatrix& m, AIRealPoint p, bool* finite) {
  double x = static_cast<double>(m.a) * p.h + static_cast<double>(m.c) * p.v + m.tx;
  double y = static_cast<double>(m.b) * p.h + static_cast<double>(m.d) * p.v + m.ty;
  if (!fitsFloat(x) || !fitsFloat(y)) *finite = false;
  return AIRealPoint{static_cast<AIReal>(x), static_cast<AIReal>(y)};
}

}  // namespace

// --- Bounds ------------------------------------------------------------------

void Document::addBounds(ArtId id, BoundsAccumulator& bounds) const {
  const ArtNode& node = arts_[id];
  switch (node.type) {
    case kPathArt:
      addPathBounds(bounds, node.content.segments.data(), node.content.segments.size(),
                    node.content.closed);
      break;
    case kEnvelopeArt: {
      std::vector<std::pair<EnvelopeWarp, AIRealRect>> warps;
      addDrawnBounds(id, warps, bounds);
      break;
    }
    default:
      for (ArtId child = node.bottomChild; child != kNoArt; child = arts_[child].above)
        addBounds(child, bounds);
      break;
  }
}

void Document::addDrawnBounds(ArtId id, std::vector<std::pair<EnvelopeWarp, AIRealRect>>& warps,
                              BoundsAccumulator& bounds) const {
  const ArtNode& node = arts_[id];
  if (node.type == kPathArt) {
    if (warps.empty()) {
      addPathBounds(bounds, node.content.segments.data(), node.content.segments.size(),
                    node.content.closed);
      return;
    }
    SegmentList outline = node.content.segments, warped;
    for (auto it = warps.rbegin(); it != warps.rend(); ++it) {
      warpOutline(it->first, it->second, outline.data(), outline.size(), warped);
      std::swap(outline, warped);
    }
    addPathBounds(bounds, outline.data(), outline.size(), node.content.closed);
    return;
  }
  bool envelope = node.type == kEnvelopeArt;
  if (envelope) warps.emplace_back(node.content.warp, envelopeContentBounds(id));
  for (ArtId child = node.bottomChild; child != kNoArt; child = arts_[child].above)
    addDrawnBounds(child, warps, bounds);
  if (envelope) warps.pop_back();
}

ASErr Document::artBounds(ArtId art, AIRealRect* bounds) const {
  if (!bounds || !isLive(art)) return kBadParameterErr;
  BoundsAccumulator accumulator;
  addBounds(art, accumulator);
  *bounds = accumulator.rect();
  return kNoErr;
}

AIRealRect Document::envelopeContentBounds(ArtId envelope) const {
  BoundsAccumulator accumulator;
  for (ArtId child = arts_.at(envelope).bottomChild; child != kNoArt; child = arts_[child].above)
    addBounds(child, accumulator);
  return accumulator.rect();
}

void Document::drawnOutline(ArtId path, SegmentList& outline) const {
  const ArtNode& node = arts_.at(path);
  outline = node.content.segments;
  SegmentList warped;
  for (ArtId up = node.parent; up != kNoArt; up = arts_[up].parent) {
    if (arts_[up].type != kEnvelopeArt) continue;
    warpOutline(arts_[up].content.warp, envelopeContentBounds(up), outline.data(), outline.size(),
                warped);
    std::swap(outline, warped);
  }
}

// --- Transformation ----------------------------------------------------------

bool Document::transformable(ArtId id, const AIRealMatrix& m, double lineScale) const {
  const ArtNode& node = arts_[id];
  if (node.type == kPathArt) {
    bool finite = true;
    for (const AIPathSegment& s : node.content.segments) {
      transformed(m, s.p, &finite);
      transformed(m, s.in, &finite);
      transformed(m, s.out, &finite);
    }
    return finite && fitsFloat(node.content.style.strokeWidth * lineScale);
  }
  for (ArtId child = node.bottomChild; child != kNoArt; child = arts_[child].above)
    if (!transformable(child, m, lineScale)) return false;
  return true;
}

void Document::applyTransform(ArtId id, const AIRealMatrix& m, double lineScale) {
  ArtNode& node = arts_[id];
  if (node.type == kPathArt) {
    touch(id);
    bool finite = true;
    for (AIPathSegment& s : node.content.segments) {
      s.p = transformed(m, s.p, &finite);
      s.in = transformed(m, s.in, &finite);
      s.out = transformed(m, s.out, &finite);
    }
    if (lineScale != 1.0)
      node.content.style.strokeWidth =
          static_cast<AIReal>(node.content.style.strokeWidth * lineScale);
    return;
  }
  for (ArtId child = node.bottomChild; child != kNoArt; child = arts_[child].above)
    applyTransform(child, m, lineScale);
}

ASErr Document::transformArt(ArtId art, const AIRealMatrix& matrix, AIReal lineScale,
                             int32_t flags) {
  if (!isLive(art)) return kBadParameterErr;
  const AIReal entries[] = {matrix.a, matrix.b, matrix.c, matrix.d, matrix.tx, matrix.ty};
  for (AIReal entry : entries)
    if (!std::isfinite(entry)) return kBadParameterErr;
  if (!std::isfinite(lineScale) || lineScale < 0) return kBadParameterErr;
  if ((flags & kTransformObjects) == 0) return kNoErr;
  if (!transformable(art, matrix, lineScale)) return kBadParameterErr;
  applyTransform(art, matrix, lineScale);
  return kNoErr;
}

// --- Paths -------------------------------------------------------------------

ASErr Document::segmentCount(ArtId path, int16_t* count) const {
  const ArtNode* node = livePath(path);
  if (!node || !count) return kBadParameterErr;
  *count = static_cast<int16_t>(node->content.segments.size());
  return kNoErr;
}

ASErr Document::setSegmentCount(ArtId path, int32_t count) {
  ArtNode* node = livePath(path);
  if (!node || count < 0) return kBadParameterErr;
  if (count > kMaxPathSegments) return kTooManyPointsErr;
  if (count == node->content.segments.size()) return kNoErr;
  touch(path);
  node->content.segments.resize(count);
  return kNoErr;
}

ASErr Document::getSegments(ArtId path, int32_t index, int32_t count,
                            AIPathSegment* segments) const {
  const ArtNode* node = livePath(path);
  if (!node || index < 0 || count < 0 || (count > 0 && !segments)) return kBadParameterErr;
  if (index + count > node->content.segments.size()) return kBadParameterErr;
  std::copy(node->content.segments.data() + index, node->content.segments.data() + index + count,
            segments);
  return kNoErr;
}

ASErr Document::setSegments(ArtId path, int32_t index, int32_t count,
                            const AIPathSegment* segments) {
  ArtNode* node = livePath(path);
  if (!node || index < 0 || count < 0 || (count > 0 && !segments)) return kBadParameterErr;
  if (index > node->content.segments.size()) return kBadParameterErr;
  if (index + count > kMaxPathSegments) return kTooManyPointsErr;
  for (int32_t i = 0; i < count; ++i)
    if (!finiteSegment(segments[i])) return kBadParameterErr;
  touch(path);
  SegmentList& list = node->content.segments;
  if (index + count > list.size()) list.resize(index + count);
  std::copy(segments, segments + count, list.data() + index);
  return kNoErr;
}

ASErr Document::getClosed(ArtId path, bool* closed) const {
  const ArtNode* node = livePath(path);
  if (!node || !closed) return kBadParameterErr;
  *closed = node->content.closed;
  return kNoErr;
}

ASErr Document::setClosed(ArtId path, bool closed) {
  ArtNode* node = livePath(path);
  if (!node) return kBadParameterErr;
  if (node->content.closed == closed) return kNoErr;
  touch(path);
  node->content.closed = closed;
  return kNoErr;
}

ASErr Document::pathStyle(ArtId path, AIPathStyle* style) const {
  const ArtNode* node = livePath(path);
  if (!node || !style) return kBadParameterErr;
  *style = node->content.style;
  return kNoErr;
}

ASErr Document::setPathStyle(ArtId path, const AIPathStyle& style) {
  ArtNode* node = livePath(path);
  if (!node || !std::isfinite(style.strokeWidth)) return kBadParameterErr;
  touch(path);
  node->content.style = style;
  return kNoErr;
}

ASErr Document::opacity(ArtId art, AIReal* opacity) const {
  const ArtNode* node = liveNode(art);
  if (!node || !opacity) return kBadParameterErr;
  *opacity = node->content.opacity;
  return kNoErr;
}

ASErr Document::setOpacity(ArtId art, AIReal opacity) {
  ArtNode* node = liveNode(art);
  if (!node || std::isnan(opacity)) return kBadParameterErr;
  touch(art);
  node->content.opacity = std::clamp(opacity, 0.0f, 1.0f);
  return kNoErr;
}

ASErr Document::newRect(AIReal left, AIReal bottom, AIReal width, AIReal height, bool reversed,
                        ArtId* rect) {
  if (!rect) return kBadParameterErr;
  double right = static_cast<double>(left) + width, top = static_cast<double>(bottom) + height;
  if (!std::isfinite(left) || !std::isfinite(bottom) || !fitsFloat(right) || !fitsFloat(top))
    return kBadParameterErr;
  ArtId id;
  if (ASErr e = newArt(kPathArt, kPlaceAboveAll, kNoArt, &id)) return e;
  AIRealPoint corners[4] = {{left, bottom},
                            {static_cast<AIReal>(right), bottom},
                            {static_cast<AIReal>(right), static_cast<AIReal>(top)},
                            {left, static_cast<AIReal>(top)}};
  if (reversed) std::swap(corners[1], corners[3]);
  ArtContent& content = arts_[id].content;
  for (const AIRealPoint& corner : corners)
    content.segments.push_back(AIPathSegment{corner, corner, corner, true});
  content.closed = true;
  *rect = id;
  return kNoErr;
}

// --- Envelopes ---------------------------------------------------------------

ASErr Document::makeEnvelope(const ArtId* arts, int32_t count, ArtId shape,
                             const AIEnvelopeOptions& options, ArtId* envelope) {
  if (!arts || count < 1 || !envelope || !livePath(shape)) return kBadParameterErr;
  for (int32_t i = 0; i < count; ++i) {
    if (!isLive(arts[i]) || arts[i] == shape) return kBadParameterErr;
    for (int32_t j = 0; j < i; ++j)
      if (arts[j] == arts[i]) return kBadParameterErr;
    // Neither the shape nor another of the arts may lie inside an art.
    for (ArtId up = arts_[arts[i]].parent; up != kNoArt; up = arts_[up].parent) {
      if (up == shape) return kBadParameterErr;
      for (int32_t j = 0; j < count; ++j)
        if (arts[j] == up) return kBadParameterErr;
    }
  }
  const Layer& target = layers_[arts_[arts[0]].layer];
  if (target.locked || !target.visible) return kLayerLockedErr;

  Place first = placeOf(arts[0]);
  ArtId id = allocate(kEnvelopeArt, first.layer);
  arts_[id].content.envelopeOptions = options;
  link(id, Place{first.layer, first.parent, arts[0]});
  for (int32_t i = 0; i < count; ++i) {
    Place was = placeOf(arts[i]);
    unlink(arts[i]);
    record(ChangeKind::kArtMoved, arts[i], was, 0);
    link(arts[i], Place{first.layer, id, arts_[id].topChild});
    setSubtreeLayer(arts[i], first.layer);
  }
  // The shape only outlines the envelope; the warp does the deforming.
  disposeArt(shape);
  *envelope = id;
  return kNoErr;
}

ASErr Document::setEnvelopeWarp(ArtId envelope, const EnvelopeWarp& warp) {
  ArtNode* node = liveNode(envelope);
  if (!node || node->type != kEnvelopeArt) return kBadParameterErr;
  if (warp.style < 1 || warp.style > kLastWarpStyle) return kBadParameterErr;
  if (std::isnan(warp.bend) || std::isnan(warp.horizontalDistortion) ||
      std::isnan(warp.verticalDistortion))
    return kBadParameterErr;
  touch(envelope);
  EnvelopeWarp& stored = node->content.warp;
  stored = warp;
  stored.bend = std::clamp(warp.bend, -1.0f, 1.0f);
  stored.horizontalDistortion = std::clamp(warp.horizontalDistortion, -1.0f, 1.0f);
  stored.verticalDistortion = std::clamp(warp.verticalDistortion, -1.0f, 1.0f);
  return kNoErr;
}

// --- Art styles, symbols and tags --------------------------------------------

ASErr Document::setArtStyle(ArtId art, int32_t styleIndex) {
  ArtNode* node = liveNode(art);
  if (!node || styleIndex < 0 || styleIndex >= static_cast<int32_t>(artStyles_.size()))
    return kBadParameterErr;
  touch(art);
  node->content.artStyle = styleIndex;
  return kNoErr;
}

void Document::collectDrawn(ArtId id, std::vector<std::pair<EnvelopeWarp, AIRealRect>>& warps,
                            std::vector<ArtContent>& out) const {
  const ArtNode& node = arts_[id];
  if (node.type == kPathArt) {
    ArtContent drawn = node.content;
    SegmentList warped;
    for (auto it = warps.rbegin(); it != warps.rend(); ++it) {
      warpOutline(it->first, it->second, drawn.segments.data(), drawn.segments.size(), warped);
      std::swap(drawn.segments, warped);
    }
    out.push_back(std::move(drawn));
    return;
  }
  bool envelope = node.type == kEnvelopeArt;
  if (envelope) warps.emplace_back(node.content.warp, envelopeContentBounds(id));
  for (ArtId child = node.bottomChild; child != kNoArt; child = arts_[child].above)
    collectDrawn(child, warps, out);
  if (envelope) warps.pop_back();
}

ASErr Document::newSymbolFromArt(ArtId art, bool unlisted, int32_t* symbolIndex) {
  if (!isLive(art)) return kBadParameterErr;
  SymbolDefinition symbol;
  symbol.name = "Symbol " + std::to_string(symbols_.size() + 1);
  symbol.unlisted = unlisted;
  // The envelopes the art lies in shape it as drawn.
  std::vector<std::pair<EnvelopeWarp, AIRealRect>> warps;
  for (ArtId up = arts_[art].parent; up != kNoArt; up = arts_[up].parent)
    if (arts_[up].type == kEnvelopeArt)
      warps.insert(warps.begin(), {arts_[up].content.warp, envelopeContentBounds(up)});
  collectDrawn(art, warps, symbol.paths);
  symbols_.push_back(std::move(symbol));
  record(ChangeKind::kSymbolCreated);
  if (symbolIndex) *symbolIndex = static_cast<int32_t>(symbols_.size() - 1);
  return kNoErr;
}

ASErr Document::setTag(ArtId art, const std::string& name, const std::string& value) {
  if (!isLive(art) || name.empty()) return kBadParameterErr;
  TagList& list = tags_[art];
  auto found =
      std::find_if(list.begin(), list.end(), [&](const auto& t) { return t.first == name; });
  if (journaling_ && arts_[art].bornEpoch != epoch_) {
    SavedTag saved{name, std::nullopt};
    if (found != list.end()) saved.value = found->second;
    savedTags_.push_back(std::move(saved));
    record(ChangeKind::kTagChanged, art, {}, static_cast<uint32_t>(savedTags_.size() - 1));
  }
  if (found != list.end())
    found->second = value;
  else
    list.emplace_back(name, value);
  return kNoErr;
}

const std::string* Document::tag(ArtId art, const std::string& name) const {
  if (!isLive(art)) return nullptr;
  auto list = tags_.find(art);
  if (list == tags_.end()) return nullptr;
  for (const auto& [tagName, value] : list->second)
    if (tagName == name) return &value;
  return nullptr;
}

}  // namespace heart
