// The operations on the content of art: geometry, paint, opacity, bounds and
// transformation.
#include <algorithm>
#include <cmath>

#include "document/bezier_bounds.h"
#include "document/document.h"
#include "document/path_geometry.h"

namespace heart {

// --- Bounds ------------------------------------------------------------------

void Document::addBounds(ArtId id, BoundsAccumulator& bounds) const {
  const ArtNode& node = tree_.slot(id);
  switch (node.type) {
    case kPathArt:
      addPathBounds(bounds, node.content.segments.data(), node.content.segments.size(),
                    node.content.closed);
      break;
    case kEnvelopeArt: {
      EnvelopeWarps warps;
      addDrawnBounds(id, warps, bounds);
      break;
    }
    default:
      for (ArtId child = node.bottomChild; child != kNoArt; child = tree_.slot(child).above)
        addBounds(child, bounds);
      break;
  }
}

void Document::addDrawnBounds(ArtId id, EnvelopeWarps& warps, BoundsAccumulator& bounds) const {
  const ArtNode& node = tree_.slot(id);
  if (node.type == kPathArt) {
    if (warps.empty()) {
      addPathBounds(bounds, node.content.segments.data(), node.content.segments.size(),
                    node.content.closed);
      return;
    }
    SegmentList outline = node.content.segments;
    applyWarps(warps, outline);
    addPathBounds(bounds, outline.data(), outline.size(), node.content.closed);
    return;
  }
  bool envelope = node.type == kEnvelopeArt;
  if (envelope) warps.emplace_back(node.content.warp, envelopeContentBounds(id));
  for (ArtId child = node.bottomChild; child != kNoArt; child = tree_.slot(child).above)
    addDrawnBounds(child, warps, bounds);
  if (envelope) warps.pop_back();
}

ASErr Document::artBounds(ArtId art, AIRealRect* bounds) const {
  if (!bounds || !tree_.isLive(art)) return kBadParameterErr;
  BoundsAccumulator accumulator;
  addBounds(art, accumulator);
  *bounds = accumulator.rect();
  return kNoErr;
}

// --- Transformation ----------------------------------------------------------

bool Document::transformable(ArtId id, const AIRealMatrix& m, double lineScale) const {
  const ArtNode& node = tree_.slot(id);
  if (node.type == kPathArt) {
    bool finite = true;
    for (const AIPathSegment& s : node.content.segments) {
      transformed(m, s.p, &finite);
      transformed(m, s.in, &finite);
      transformed(m, s.out, &finite);
    }
    return finite && fitsFloat(node.content.style.strokeWidth * lineScale);
  }
  for (ArtId child = node.bottomChild; child != kNoArt; child = tree_.slot(child).above)
    if (!transformable(child, m, lineScale)) return false;
  return true;
}

void Document::applyTransform(ArtId id, const AIRealMatrix& m, double lineScale) {
  ArtNode& node = tree_.slot(id);
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
  for (ArtId child = node.bottomChild; child != kNoArt; child = tree_.slot(child).above)
    applyTransform(child, m, lineScale);
}

ASErr Document::transformArt(ArtId art, const AIRealMatrix& matrix, AIReal lineScale,
                             int32_t flags) {
  if (!tree_.isLive(art)) return kBadParameterErr;
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
  ArtContent& content = tree_.slot(id).content;
  for (const AIRealPoint& corner : corners)
    content.segments.push_back(AIPathSegment{corner, corner, corner, true});
  content.closed = true;
  *rect = id;
  return kNoErr;
}

}  // namespace heart
