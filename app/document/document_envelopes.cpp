// Envelopes: making one around art, its warp, and outlines as the warps of
// the envelopes around them draw them.
#include <algorithm>
#include <cmath>

#include "document/bezier_bounds.h"
#include "document/document.h"
#include "document/path_geometry.h"

namespace heart {

// --- Envelopes ---------------------------------------------------------------

ASErr Document::makeEnvelope(const ArtId* arts, int32_t count, ArtId shape,
                             const AIEnvelopeOptions& options, ArtId* envelope) {
  if (!arts || count < 1 || !envelope || !livePath(shape)) return kBadParameterErr;
  for (int32_t i = 0; i < count; ++i) {
    if (!tree_.isLive(arts[i]) || arts[i] == shape) return kBadParameterErr;
    for (int32_t j = 0; j < i; ++j)
      if (arts[j] == arts[i]) return kBadParameterErr;
    // Neither the shape nor another of the arts may lie inside an art.
    for (ArtId up = tree_.slot(arts[i]).parent; up != kNoArt; up = tree_.slot(up).parent) {
      if (up == shape) return kBadParameterErr;
      for (int32_t j = 0; j < count; ++j)
        if (arts[j] == up) return kBadParameterErr;
    }
  }
  const Layer& target = tree_.layer(tree_.slot(arts[0]).layer);
  if (target.locked || !target.visible) return kLayerLockedErr;

  ArtPlace first = tree_.placeOf(arts[0]);
  ArtId id = create(kEnvelopeArt, first.layer);
  tree_.slot(id).content.envelopeOptions = options;
  tree_.link(id, ArtPlace{first.layer, first.parent, arts[0]});
  for (int32_t i = 0; i < count; ++i) {
    ArtPlace was = tree_.placeOf(arts[i]);
    tree_.unlink(arts[i]);
    journal_.record(ChangeKind::kArtMoved, arts[i], was, 0);
    tree_.link(arts[i], ArtPlace{first.layer, id, tree_.slot(id).topChild});
    tree_.setSubtreeLayer(arts[i], first.layer);
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

AIRealRect Document::envelopeContentBounds(ArtId envelope) const {
  BoundsAccumulator accumulator;
  for (ArtId child = tree_.node(envelope).bottomChild; child != kNoArt;
       child = tree_.slot(child).above)
    addBounds(child, accumulator);
  return accumulator.rect();
}

void Document::drawnOutline(ArtId path, SegmentList& outline) const {
  outline = tree_.node(path).content.segments;
  applyWarps(warpsAround(path), outline);
}

EnvelopeWarps Document::warpsAround(ArtId art) const {
  EnvelopeWarps warps;
  for (ArtId up = tree_.slot(art).parent; up != kNoArt; up = tree_.slot(up).parent)
    if (tree_.slot(up).type == kEnvelopeArt)
      warps.insert(warps.begin(), {tree_.slot(up).content.warp, envelopeContentBounds(up)});
  return warps;
}

}  // namespace heart
