#include "render/draw_list.h"

#include <new>
#include <system_error>
#include <thread>
#include <utility>

namespace heart {

namespace {

// Documents with fewer live art objects are gathered on one thread.
constexpr size_t kSplitArt = 8192;

}  // namespace

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
  size_t middle = arts.size();
  bool upperOutOfMemory = false;
  std::thread helper;
  if (tree.liveCount() >= kSplitArt && arts.size() >= 2) {
    middle = arts.size() / 2;
    try {
      helper = std::thread([&] {
        try {
          Gatherer gatherer(document, upper);
          upper.steps.reserve(tree.liveCount() / 2);
          for (size_t i = middle; i < arts.size(); ++i) gatherer.add(arts[i]);
          gatherer.finish();
        } catch (const std::bad_alloc&) {
          upperOutOfMemory = true;
        }
      });
    } catch (const std::system_error&) {
      middle = arts.size();
    }
  }
  try {
    Gatherer gatherer(document, lower);
    lower.steps.reserve(helper.joinable() ? tree.liveCount() / 2 : tree.liveCount());
    for (size_t i = 0; i < middle; ++i) gatherer.add(arts[i]);
    gatherer.finish();
  } catch (const std::bad_alloc&) {
    if (helper.joinable()) helper.join();
    throw;
  }
  if (helper.joinable()) helper.join();
  if (upperOutOfMemory) throw std::bad_alloc();
  // Moving a store keeps its outlines where the steps point.
  steps_ = std::move(lower.steps);
  steps_.insert(steps_.end(), upper.steps.begin(), upper.steps.end());
  lowerWarped_ = std::move(lower.warped);
  upperWarped_ = std::move(upper.warped);
  paths_ = lower.paths + upper.paths;
}

}  // namespace heart
