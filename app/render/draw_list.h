// The visible art of a document flattened into the order it is painted:
// paths with the outline they are drawn with (warped by every envelope they
// lie in), and the start and end of every translucent group. Hidden layers
// and paths without anchors are left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/document.h"
#include "render/document_renderer.h"

namespace heart {

struct DrawStep {
  enum Kind : uint8_t { kPath, kGroupStart, kGroupEnd };
  Kind kind = kPath;
  float opacity = 1;                    // groups
  const ArtContent* content = nullptr;  // paths
  int32_t count = 0;                    // anchors of the drawn outline
  // The drawn outline: the path's own segments, or, for warped paths, null
  // and `warpedAt` is the outline's first segment in the list's warped store.
  const AIPathSegment* segments = nullptr;
  size_t warpedAt = 0;
};

class DrawList {
 public:
  explicit DrawList(const Document& document);

  const std::vector<DrawStep>& steps() const { return steps_; }
  size_t pathCount() const { return paths_; }
  const AIPathSegment* outline(const DrawStep& step) const {
    return step.segments ? step.segments : warped_.data() + step.warpedAt;
  }

 private:
  void add(ArtId id);

  const Document& document_;
  std::vector<DrawStep> steps_;
  std::vector<AIPathSegment> warped_;
  std::vector<std::pair<EnvelopeWarp, AIRealRect>> warps_;
  SegmentList outline_, scratch_;
  size_t paths_ = 0;
};

// Whether a frame can be drawn through: a picture with pixels, a zoom above
// 0 and a finite centre.
bool usable(const RenderFrame& frame);

// Draws the list into cr through the frame (see renderDocument); reports
// progress every few thousand paths, but not the end. Returns the paths drawn.
size_t drawList(const Document& document, const DrawList& list, cairo_t* cr,
                const RenderFrame& frame, const RenderProgress& progress);

}  // namespace heart
