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
  // The drawn outline: the path's own segments, or a warped path's outline
  // in the list's warped store (while the list is gathered, null, and
  // `warpedAt` is the outline's first segment in the store).
  const AIPathSegment* segments = nullptr;
  size_t warpedAt = 0;
};

class DrawList {
 public:
  // Gathers a large document's art in two halves at once, the upper by
  // another thread. Throws std::bad_alloc when memory runs out.
  explicit DrawList(const Document& document);

  const std::vector<DrawStep>& steps() const { return steps_; }
  size_t pathCount() const { return paths_; }
  const AIPathSegment* outline(const DrawStep& step) const { return step.segments; }

 private:
  // The steps of a run of art and the warped outlines they draw.
  struct Part {
    std::vector<DrawStep> steps;
    std::vector<AIPathSegment> warped;
    size_t paths = 0;
  };
  class Gatherer;

  std::vector<DrawStep> steps_;
  // The warped outlines of each half; the steps point into them.
  std::vector<AIPathSegment> lowerWarped_, upperWarped_;
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
