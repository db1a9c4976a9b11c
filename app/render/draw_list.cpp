#include "render/draw_list.h"

#include <utility>

namespace heart {

DrawList::DrawList(const Document& document) : document_(document) {
  steps_.reserve(document.tree().liveCount());
  for (LayerId id : document.tree().layerOrder()) {
    const Layer& layer = document.tree().layer(id);
    if (!layer.visible) continue;
    for (ArtId art = layer.bottom; art != kNoArt; art = document.tree().node(art).above) add(art);
  }
}

void DrawList::add(ArtId id) {
  const ArtNode& node = document_.tree().node(id);
  if (node.type == kPathArt) {
    const SegmentList& segments = node.content.segments;
    if (segments.empty()) return;
    DrawStep step;
    step.content = &node.content;
    step.count = segments.size();
    if (warps_.empty()) {
      step.segments = segments.data();
    } else {
      // Innermost envelope first, as the outline is drawn everywhere else.
      outline_ = segments;
      for (auto it = warps_.rbegin(); it != warps_.rend(); ++it) {
        warpOutline(it->first, it->second, outline_.data(), outline_.size(), scratch_);
        std::swap(outline_, scratch_);
      }
      step.count = outline_.size();
      step.warpedAt = warped_.size();
      warped_.insert(warped_.end(), outline_.begin(), outline_.end());
      if (step.count <= 0) return;
    }
    steps_.push_back(step);
    ++paths_;
    return;
  }
  bool envelope = node.type == kEnvelopeArt;
  bool group = node.content.opacity < 1;
  if (group) {
    DrawStep start;
    start.kind = DrawStep::kGroupStart;
    start.opacity = node.content.opacity;
    steps_.push_back(start);
  }
  if (envelope) warps_.emplace_back(node.content.warp, document_.envelopeContentBounds(id));
  for (ArtId child = node.bottomChild; child != kNoArt; child = document_.tree().node(child).above)
    add(child);
  if (envelope) warps_.pop_back();
  if (group) {
    DrawStep end;
    end.kind = DrawStep::kGroupEnd;
    steps_.push_back(end);
  }
}

}  // namespace heart
