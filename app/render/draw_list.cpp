#include "render/draw_list.h"

#include <utility>

#include "core/two_halves.h"

namespace heart {

// Adds art, with everything inside it, to a part: paths with the outline
// they are drawn with (warped by every envelope they lie in, innermost
// first), and the start and end of each translucent group.
class DrawList::Gatherer {
 public:
  Gatherer(const Document& document, Part& part) : document_(document), part_(part) {}

  void add(ArtId id) {
    const ArtNode& node = document_.tree().node(id);
    if (node.type == kPathArt) {
      addPath(node);
      return;
    }
    bool envelope = node.type == kEnvelopeArt;
    bool group = node.content.opacity < 1;
    if (group) {
      DrawStep start;
      start.kind = DrawStep::kGroupStart;
      start.opacity = node.content.opacity;
      part_.steps.push_back(start);
    }
    if (envelope) warps_.emplace_back(node.content.warp, document_.envelopeContentBounds(id));
    for (ArtId child = node.bottomChild; child != kNoArt;
         child = document_.tree().node(child).above)
      add(child);
    if (envelope) warps_.pop_back();
    if (group) {
      DrawStep end;
      end.kind = DrawStep::kGroupEnd;
      part_.steps.push_back(end);
    }
  }

  // Points the warped paths' steps at their outlines, once the store holds them all.
  void finish() {
    for (DrawStep& step : part_.steps)
      if (step.kind == DrawStep::kPath && !step.segments)
        step.segments = part_.warped.data() + step.warpedAt;
  }

 private:
  void addPath(const ArtNode& node) {
    const SegmentList& segments = node.content.segments;
    if (segments.empty()) return;
    DrawStep step;
    step.content = &node.content;
    step.count = segments.size();
    if (warps_.empty()) {
      step.segments = segments.data();
    } else {
      outline_ = segments;
      for (auto it = warps_.rbegin(); it != warps_.rend(); ++it) {
        warpOutline(it->first, it->second, outline_.data(), outline_.size(), scratch_);
        std::swap(outline_, scratch_);
      }
      step.count = outline_.size();
      step.warpedAt = part_.warped.size();
      part_.warped.insert(part_.warped.end(), outline_.begin(), outline_.end());
      if (step.count <= 0) return;
    }
    part_.steps.push_back(step);
    ++part_.paths;
  }

  const Document& document_;
  Part& part_;
  std::vector<std::pair<EnvelopeWarp, AIRealRect>> warps_;
  SegmentList outline_, scratch_;
};

DrawList::DrawList(const Document& document) {
  const ArtTree& tree = document.tree();
  // The visible layers' art, bottom to top.
  std::vector<ArtId> arts;
  for (LayerId id : tree.layerOrder()) {
    const Layer& layer = tree.layer(id);
    if (!layer.visible) continue;
    for (ArtId art = layer.bottom; art != kNoArt; art = tree.node(art).above) arts.push_back(art);
  }
  Part lower, upper;
  const auto gather = [&](Part& part, size_t from, size_t to, size_t steps) {
    Gatherer gatherer(document, part);
    part.steps.reserve(steps);
    for (size_t i = from; i < to; ++i) gatherer.add(arts[i]);
    gatherer.finish();
  };
  if (tree.liveCount() >= kArtForTwoHalves && arts.size() >= 2) {
    const size_t middle = arts.size() / 2, steps = tree.liveCount() / 2;
    inTwoHalves([&] { gather(lower, 0, middle, steps); },
                [&] { gather(upper, middle, arts.size(), steps); });
  } else {
    gather(lower, 0, arts.size(), tree.liveCount());
  }
  // Moving a store keeps its outlines where the steps point.
  steps_ = std::move(lower.steps);
  steps_.insert(steps_.end(), upper.steps.begin(), upper.steps.end());
  lowerWarped_ = std::move(lower.warped);
  upperWarped_ = std::move(upper.warped);
  paths_ = lower.paths + upper.paths;
}

}  // namespace heart
