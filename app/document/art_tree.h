// The art of a document as a tree: layers in paint order, and on each layer
// its top-level art, groups and envelopes holding more art, every sibling
// linked to the one painted before it and the one painted after it.
//
// Art lives in one store of slots reused through a free list, so placing art
// above, below, on top or at the bottom, or taking it out, costs O(1). Art
// handles given to plug-ins carry the slot and its generation, so a handle to
// released art is recognised and refused instead of reaching another art.
//
// The tree knows nothing of undo: the document records each change it makes
// here before or after making it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/art_node.h"
#include "document/art_store.h"
#include "plugin/host/ai_art_suites.h"
#include "plugin/host/ai_document_suites.h"

namespace heart {

struct Layer {
  std::string name;
  bool locked = false;
  bool visible = true;
  ArtId bottom = kNoArt;  // the layer's lowest top-level art, painted first
  ArtId top = kNoArt;     // its highest, painted last
};

// Where art sits: its layer, the group or envelope holding it (none at the
// top of the layer) and the sibling it goes directly above (none: at the
// bottom).
struct ArtPlace {
  LayerId layer = kNoLayer;
  ArtId parent = kNoArt;
  ArtId below = kNoArt;
};

class ArtTree {
 public:
  // A tree with one layer, "Layer 1".
  ArtTree();

  // --- Layers --------------------------------------------------------------
  // Layers bottom to top.
  const std::vector<LayerId>& layerOrder() const { return layerOrder_; }
  const Layer& layer(LayerId id) const { return layers_.at(id); }
  Layer& layer(LayerId id) { return layers_.at(id); }
  bool isLayer(LayerId id) const { return id < layers_.size(); }
  // A new layer at this index of the paint order, for hearts: "Hearts", then
  // "Hearts 2", ...
  LayerId addLayer(size_t position);
  // Takes out the newest layer; layers go last in, first out.
  void removeNewestLayer();

  // --- Slots ---------------------------------------------------------------
  // Whether the id names art that is in the document.
  bool isLive(ArtId id) const {
    return id < arts_.size() && arts_[id].alive && !arts_[id].disposed;
  }
  // Throws std::out_of_range past the last slot.
  const ArtNode& node(ArtId id) const { return arts_.at(id); }
  // Unchecked: for ids the tree itself handed out.
  ArtNode& slot(ArtId id) { return arts_[id]; }
  const ArtNode& slot(ArtId id) const { return arts_[id]; }
  // A slot holding a new, unlinked art of the type; made and saved in `epoch`.
  ArtId allocate(int16_t type, LayerId layer, uint32_t epoch);
  // Empties the slot and gives it back for reuse; its handles go stale.
  void release(ArtId id);
  size_t liveCount() const { return liveArts_; }
  // Slots ever used: grows with the most art the document held at once.
  size_t slotCount() const { return arts_.size(); }

  // --- Links ---------------------------------------------------------------
  void link(ArtId id, const ArtPlace& place);
  void unlink(ArtId id);
  ArtPlace placeOf(ArtId id) const;
  void setSubtreeLayer(ArtId id, LayerId layer);
  void setSubtreeDisposed(ArtId id, bool disposed);
  // The art itself, or the outermost of the envelopes directly around it.
  ArtId outermostEnvelopeOf(ArtId id) const;

  // Calls visit(child) for the art inside a group or envelope, bottom to top.
  template <class Visit>
  void forEachChild(ArtId id, Visit&& visit) const {
    for (ArtId child = arts_[id].bottomChild; child != kNoArt; child = arts_[child].above)
      visit(child);
  }
  // Calls visit(art) for the art and everything in it, the art after its
  // children; visit may release what it is given.
  template <class Visit>
  void forEachBottomUp(ArtId id, Visit&& visit) const {
    ArtId child = arts_[id].bottomChild;
    while (child != kNoArt) {
      ArtId next = arts_[child].above;
      forEachBottomUp(child, visit);
      child = next;
    }
    visit(id);
  }

  // --- Reading -------------------------------------------------------------
  // The art at the top level of a layer, bottom to top.
  std::vector<ArtId> layerArts(LayerId layer) const;
  // The art inside a group or envelope, bottom to top.
  std::vector<ArtId> childrenOf(ArtId art) const;
  // Every path in the document in the order it is drawn.
  std::vector<ArtId> pathsInPaintOrder() const;

  // --- Handles -------------------------------------------------------------
  AIArtHandle handleOf(ArtId art) const;
  // kNoArt for a null, stale or disposed handle.
  ArtId artOf(AIArtHandle handle) const;
  static AILayerHandle handleOfLayer(LayerId layer);
  LayerId layerOf(AILayerHandle handle) const;

 private:
  ArtStore arts_;
  std::vector<ArtId> freeSlots_;
  size_t liveArts_ = 0;
  std::vector<Layer> layers_;
  std::vector<LayerId> layerOrder_;
};

}  // namespace heart
