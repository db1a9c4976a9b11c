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

AIRealRect Document::envelopeContentBounds(ArtId envelope) const {
  BoundsAccumulator accumulator;
  for (ArtId child = arts_.at(envelope).bottomChild; child != kNoArt; child = arts_[child].above)
    addBounds(child, accumulator);
  return accumulator.rect();
}

void Document::drawnOutline(ArtId path, SegmentList& outline) const {
  outline = arts_.at(path).content.segments;
  applyWarps(warpsAround(path), outline);
}

EnvelopeWarps Document::warpsAround(ArtId art) const {
  EnvelopeWarps warps;
  for (ArtId up = arts_[art].parent; up != kNoArt; up = arts_[up].parent)
    if (arts_[up].type == kEnvelopeArt)
      warps.insert(warps.begin(), {arts_[up].content.warp, envelopeContentBounds(up)});
  return warps;
}

}  // namespace heart
