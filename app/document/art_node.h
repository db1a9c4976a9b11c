// One art of a document as it is stored: its place in the tree and its
// content.
#pragma once

#include <cstdint>

#include "document/envelope_warp.h"
#include "document/segment_list.h"
#include "plugin/host/ai_art_suites.h"

namespace heart {

using ArtId = uint32_t;
using LayerId = uint32_t;
constexpr ArtId kNoArt = 0xFFFFFFFFu;
constexpr LayerId kNoLayer = 0xFFFFFFFFu;

// A path may hold at most this many segments; more answer "NESS".
constexpr int32_t kMaxPathSegments = 32000;

// Everything about an art that its own operations change: what undo saves of
// art that existed before the invocation.
struct ArtContent {
  SegmentList segments;  // paths
  bool closed = false;   // paths
  AIPathStyle style{};   // paths
  AIReal opacity = 1;
  int32_t artStyle = 0;  // index in the document's art styles
  EnvelopeWarp warp;     // envelopes
  AIEnvelopeOptions envelopeOptions{0, 50};
};

struct ArtNode {
  int16_t type = kUnknownArt;
  bool alive = false;     // the slot holds an art
  bool disposed = false;  // taken out of the tree; undo of this invocation can bring it back
  uint32_t generation = 0;
  LayerId layer = kNoLayer;
  ArtId parent = kNoArt;       // the group or envelope holding it; none at the top of a layer
  ArtId below = kNoArt;        // the sibling painted just before it (under it); none at the bottom
  ArtId above = kNoArt;        // the sibling painted just after it (over it); none at the top
  ArtId bottomChild = kNoArt;  // groups and envelopes: their lowest art, painted first
  ArtId topChild = kNoArt;     // and their highest, painted last
  uint32_t bornEpoch = 0;      // the undo epoch in which it was made
  uint32_t savedEpoch = 0;     // the undo epoch in which its content was last saved
  ArtContent content;
};

}  // namespace heart
