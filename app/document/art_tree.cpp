#include "document/art_tree.h"

#include <functional>

namespace heart {

ArtTree::ArtTree() {
  layers_.push_back(Layer{"Layer 1"});
  layerOrder_.push_back(0);
}

// --- Layers ------------------------------------------------------------------

LayerId ArtTree::addLayer(size_t position) {
  LayerId id = static_cast<LayerId>(layers_.size());
  // The layers the filter adds hold hearts: "Hearts", "Hearts 2", ...
  layers_.push_back(Layer{id == 1 ? std::string("Hearts") : "Hearts " + std::to_string(id)});
  layerOrder_.insert(layerOrder_.begin() + static_cast<std::ptrdiff_t>(position), id);
  return id;
}

void ArtTree::removeNewestLayer() {
  std::erase(layerOrder_, static_cast<LayerId>(layers_.size() - 1));
  layers_.pop_back();
}

// --- Slots -------------------------------------------------------------------

ArtId ArtTree::allocate(int16_t type, LayerId layer, uint32_t epoch) {
  ArtId id;
  if (!freeSlots_.empty()) {
    id = freeSlots_.back();
    freeSlots_.pop_back();
  } else {
    id = static_cast<ArtId>(arts_.size());
    arts_.emplace_back();
  }
  ArtNode& node = arts_[id];
  uint32_t generation = node.generation;
  node.content.segments.release();
  node = ArtNode{};
  node.generation = generation;
  node.type = type;
  node.alive = true;
  node.layer = layer;
  node.bornEpoch = epoch;
  node.savedEpoch = epoch;
  ++liveArts_;
  return id;
}

void ArtTree::release(ArtId id) {
  ArtNode& node = arts_[id];
  if (!node.alive) return;
  node.content.segments.release();
  node.content = ArtContent{};
  node.alive = false;
  node.disposed = false;
  node.parent = node.below = node.above = node.bottomChild = node.topChild = kNoArt;
  ++node.generation;  // every handle to the old art is stale from now on
  --liveArts_;
  freeSlots_.push_back(id);
}

// --- Links -------------------------------------------------------------------

void ArtTree::link(ArtId id, const ArtPlace& place) {
  ArtNode& node = arts_[id];
  node.layer = place.layer;
  node.parent = place.parent;
  node.below = place.below;
  ArtId& bottom =
      place.parent == kNoArt ? layers_[place.layer].bottom : arts_[place.parent].bottomChild;
  ArtId& top = place.parent == kNoArt ? layers_[place.layer].top : arts_[place.parent].topChild;
  if (place.below == kNoArt) {
    node.above = bottom;
    bottom = id;
  } else {
    node.above = arts_[place.below].above;
    arts_[place.below].above = id;
  }
  if (node.above == kNoArt)
    top = id;
  else
    arts_[node.above].below = id;
}

void ArtTree::unlink(ArtId id) {
  ArtNode& node = arts_[id];
  ArtId& bottom =
      node.parent == kNoArt ? layers_[node.layer].bottom : arts_[node.parent].bottomChild;
  ArtId& top = node.parent == kNoArt ? layers_[node.layer].top : arts_[node.parent].topChild;
  if (node.below == kNoArt)
    bottom = node.above;
  else
    arts_[node.below].above = node.above;
  if (node.above == kNoArt)
    top = node.below;
  else
    arts_[node.above].below = node.below;
  node.below = node.above = kNoArt;
}

ArtPlace ArtTree::placeOf(ArtId id) const {
  const ArtNode& node = arts_[id];
  return ArtPlace{node.layer, node.parent, node.below};
}

void ArtTree::setSubtreeLayer(ArtId id, LayerId layer) {
  arts_[id].layer = layer;
  forEachChild(id, [&](ArtId child) { setSubtreeLayer(child, layer); });
}

void ArtTree::setSubtreeDisposed(ArtId id, bool disposed) {
  arts_[id].disposed = disposed;
  forEachChild(id, [&](ArtId child) { setSubtreeDisposed(child, disposed); });
}

ArtId ArtTree::outermostEnvelopeOf(ArtId id) const {
  ArtId reference = id;
  while (arts_[reference].parent != kNoArt && arts_[arts_[reference].parent].type == kEnvelopeArt)
    reference = arts_[reference].parent;
  return reference;
}

// --- Reading -----------------------------------------------------------------

std::vector<ArtId> ArtTree::layerArts(LayerId layer) const {
  std::vector<ArtId> out;
  for (ArtId id = layers_.at(layer).bottom; id != kNoArt; id = arts_[id].above) out.push_back(id);
  return out;
}

std::vector<ArtId> ArtTree::childrenOf(ArtId art) const {
  std::vector<ArtId> out;
  for (ArtId id = arts_.at(art).bottomChild; id != kNoArt; id = arts_[id].above) out.push_back(id);
  return out;
}

std::vector<ArtId> ArtTree::pathsInPaintOrder() const {
  std::vector<ArtId> out;
  std::function<void(ArtId)> visit = [&](ArtId id) {
    if (arts_[id].type == kPathArt) out.push_back(id);
    forEachChild(id, visit);
  };
  for (LayerId layer : layerOrder_)
    for (ArtId id = layers_[layer].bottom; id != kNoArt; id = arts_[id].above) visit(id);
  return out;
}

// --- Handles -----------------------------------------------------------------
// An art handle holds the slot plus one in its low bits and the slot's
// generation in its high bits: 32 and 32 bits where pointers have 64, 24 and
// 8 where they have 32 (a 32-bit host then keeps at most 16,777,214 art
// objects, and a stale handle is told apart from a live one unless the slot
// was reused a multiple of 256 times). A layer handle holds the layer plus one.
namespace {
constexpr unsigned kSlotBits = sizeof(void*) == 8 ? 32 : 24;
constexpr uint64_t kSlotMask = (uint64_t{1} << kSlotBits) - 1;
constexpr uint64_t kGenerationMask = sizeof(void*) == 8 ? 0xFFFFFFFFu : 0xFFu;
}  // namespace

AIArtHandle ArtTree::handleOf(ArtId id) const {
  if (id == kNoArt || id >= arts_.size() || uint64_t{id} + 1 > kSlotMask) return nullptr;
  uint64_t bits = ((arts_[id].generation & kGenerationMask) << kSlotBits) | (uint64_t{id} + 1);
  return reinterpret_cast<AIArtHandle>(static_cast<uintptr_t>(bits));
}

ArtId ArtTree::artOf(AIArtHandle handle) const {
  uint64_t bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
  uint64_t slot = bits & kSlotMask;
  if (slot == 0 || slot > arts_.size()) return kNoArt;
  ArtId id = static_cast<ArtId>(slot - 1);
  const ArtNode& node = arts_[id];
  if (!node.alive || node.disposed || (node.generation & kGenerationMask) != bits >> kSlotBits)
    return kNoArt;
  return id;
}

AILayerHandle ArtTree::handleOfLayer(LayerId layer) {
  if (layer == kNoLayer) return nullptr;
  return reinterpret_cast<AILayerHandle>(static_cast<uintptr_t>(layer) + 1);
}

LayerId ArtTree::layerOf(AILayerHandle handle) const {
  uintptr_t bits = reinterpret_cast<uintptr_t>(handle);
  if (bits == 0 || bits > layers_.size()) return kNoLayer;
  return static_cast<LayerId>(bits - 1);
}

}  // namespace heart
