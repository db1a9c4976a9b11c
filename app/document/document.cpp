#include "document/document.h"

#include <cmath>
#include <stdexcept>

namespace heart {

namespace {

constexpr float kMaxPageSide = 1000000.0f;

AIColor grayColor(float ink) { return AIColor{kGrayColor, {ink, 0, 0, 0}, 0}; }

}  // namespace

// --- Construction ------------------------------------------------------------

Document::Document(DocumentSettings settings) : settings_(settings) {
  auto validSide = [](float side) {
    return std::isfinite(side) && side > 0 && side <= kMaxPageSide;
  };
  if (!validSide(settings.pageWidth) || !validSide(settings.pageHeight))
    throw std::invalid_argument(
        "the page width and height must be above 0 and at most 1000000 points");
  if (settings.colorModel != kDocGrayColor && settings.colorModel != kDocRGBColor &&
      settings.colorModel != kDocCMYKColor)
    throw std::invalid_argument("the colour model must be 0 (gray), 1 (RGB) or 2 (CMYK)");
  currentPaint_ = defaultPaint(settings.colorModel);
  views_.emplace_back(AIRealPoint{settings.pageWidth * 0.5f, settings.pageHeight * 0.5f});
  layers_.push_back(Layer{"Layer 1"});
  layerOrder_.push_back(0);
  currentLayer_ = 0;
  swatches_ = defaultSwatches();
  artStyles_ = defaultArtStyles();
}

Document::~Document() = default;

AIPathStyle Document::defaultPaint(int16_t colorModel) {
  AIPathStyle paint{};
  paint.fillPaint = 1;
  paint.strokePaint = 1;
  paint.strokeWidth = 1;
  switch (colorModel) {
    case kDocGrayColor:
      paint.fillColor = grayColor(0);
      paint.strokeColor = grayColor(1);
      break;
    case kDocCMYKColor:
      paint.fillColor = AIColor{kFourColor, {0, 0, 0, 0}, 0};
      paint.strokeColor = AIColor{kFourColor, {0, 0, 0, 1}, 0};
      break;
    default:
      paint.fillColor = AIColor{kThreeColor, {1, 1, 1, 0}, 0};
      paint.strokeColor = AIColor{kThreeColor, {0, 0, 0, 0}, 0};
      break;
  }
  return paint;
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

AIArtHandle Document::handleOf(ArtId id) const {
  if (id == kNoArt || id >= arts_.size() || uint64_t{id} + 1 > kSlotMask) return nullptr;
  uint64_t bits = ((arts_[id].generation & kGenerationMask) << kSlotBits) | (uint64_t{id} + 1);
  return reinterpret_cast<AIArtHandle>(static_cast<uintptr_t>(bits));
}

ArtId Document::artOf(AIArtHandle handle) const {
  uint64_t bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
  uint64_t slot = bits & kSlotMask;
  if (slot == 0 || slot > arts_.size()) return kNoArt;
  ArtId id = static_cast<ArtId>(slot - 1);
  const ArtNode& node = arts_[id];
  if (!node.alive || node.disposed || (node.generation & kGenerationMask) != bits >> kSlotBits)
    return kNoArt;
  return id;
}

AILayerHandle Document::handleOfLayer(LayerId layer) {
  if (layer == kNoLayer) return nullptr;
  return reinterpret_cast<AILayerHandle>(static_cast<uintptr_t>(layer) + 1);
}

LayerId Document::layerOf(AILayerHandle handle) const {
  uintptr_t bits = reinterpret_cast<uintptr_t>(handle);
  if (bits == 0 || bits > layers_.size()) return kNoLayer;
  return static_cast<LayerId>(bits - 1);
}

bool Document::isLive(ArtId id) const {
  return id < arts_.size() && arts_[id].alive && !arts_[id].disposed;
}

ArtNode* Document::liveNode(ArtId id) { return isLive(id) ? &arts_[id] : nullptr; }
const ArtNode* Document::liveNode(ArtId id) const { return isLive(id) ? &arts_[id] : nullptr; }
ArtNode* Document::livePath(ArtId id) {
  ArtNode* node = liveNode(id);
  return node && node->type == kPathArt ? node : nullptr;
}
const ArtNode* Document::livePath(ArtId id) const {
  const ArtNode* node = liveNode(id);
  return node && node->type == kPathArt ? node : nullptr;
}

// --- Layers ------------------------------------------------------------------

ASErr Document::insertLayer(LayerId reference, int16_t paintOrder, LayerId* layer) {
  if (!layer) return kBadParameterErr;
  size_t position = 0;  // index in layerOrder_ to insert at
  if (reference == kNoLayer) {
    if (paintOrder == kPlaceAboveAll || paintOrder == kPlaceAbove)
      position = layerOrder_.size();
    else if (paintOrder == kPlaceBelowAll || paintOrder == kPlaceBelow)
      position = 0;
    else
      return kBadParameterErr;
  } else {
    if (!isLayer(reference)) return kBadParameterErr;
    size_t at = 0;
    while (layerOrder_[at] != reference) ++at;
    if (paintOrder == kPlaceAbove)
      position = at + 1;
    else if (paintOrder == kPlaceBelow)
      position = at;
    else if (paintOrder == kPlaceAboveAll)
      position = layerOrder_.size();
    else if (paintOrder == kPlaceBelowAll)
      position = 0;
    else
      return kBadParameterErr;
  }
  LayerId id = static_cast<LayerId>(layers_.size());
  layers_.push_back(Layer{"Layer " + std::to_string(id + 1)});
  layerOrder_.insert(layerOrder_.begin() + static_cast<std::ptrdiff_t>(position), id);
  record(ChangeKind::kLayerCreated, kNoArt, {}, id);
  record(ChangeKind::kCurrentLayerChanged, kNoArt, {}, currentLayer_);
  currentLayer_ = id;
  *layer = id;
  return kNoErr;
}

ASErr Document::setCurrentLayer(LayerId id) {
  if (!isLayer(id)) return kBadParameterErr;
  if (id != currentLayer_) record(ChangeKind::kCurrentLayerChanged, kNoArt, {}, currentLayer_);
  currentLayer_ = id;
  return kNoErr;
}

// --- The art tree ------------------------------------------------------------

ArtId Document::allocate(int16_t type, LayerId layer) {
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
  node.bornEpoch = epoch_;
  node.savedEpoch = epoch_;
  ++liveArts_;
  record(ChangeKind::kArtCreated, id);
  return id;
}

void Document::release(ArtId id) {
  ArtNode& node = arts_[id];
  if (!node.alive) return;
  node.content.segments.release();
  node.content = ArtContent{};
  node.alive = false;
  node.disposed = false;
  node.parent = node.below = node.above = node.bottomChild = node.topChild = kNoArt;
  ++node.generation;  // every handle to the old art is stale from now on
  --liveArts_;
  if (!tags_.empty()) tags_.erase(id);
  freeSlots_.push_back(id);
}

void Document::releaseSubtree(ArtId id) {
  ArtId child = arts_[id].bottomChild;
  while (child != kNoArt) {
    ArtId next = arts_[child].above;
    releaseSubtree(child);
    child = next;
  }
  release(id);
}

void Document::link(ArtId id, const Place& place) {
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

void Document::unlink(ArtId id) {
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

Document::Place Document::placeOf(ArtId id) const {
  const ArtNode& node = arts_[id];
  return Place{node.layer, node.parent, node.below};
}

void Document::setSubtreeLayer(ArtId id, LayerId layer) {
  arts_[id].layer = layer;
  for (ArtId child = arts_[id].bottomChild; child != kNoArt; child = arts_[child].above)
    setSubtreeLayer(child, layer);
}

void Document::setSubtreeDisposed(ArtId id, bool disposed) {
  arts_[id].disposed = disposed;
  for (ArtId child = arts_[id].bottomChild; child != kNoArt; child = arts_[child].above)
    setSubtreeDisposed(child, disposed);
}

ArtId Document::outermostEnvelopeOf(ArtId id) const {
  ArtId reference = id;
  while (arts_[reference].parent != kNoArt && arts_[arts_[reference].parent].type == kEnvelopeArt)
    reference = arts_[reference].parent;
  return reference;
}

ASErr Document::placeFor(int16_t paintOrder, ArtId reference, Place* place) const {
  switch (paintOrder) {
    case kPlaceAboveAll:
      *place = Place{currentLayer_, kNoArt, layers_[currentLayer_].top};
      break;
    case kPlaceBelowAll:
      *place = Place{currentLayer_, kNoArt, kNoArt};
      break;
    case kPlaceAbove:
    case kPlaceBelow: {
      if (!isLive(reference)) return kBadParameterErr;
      // Art inside an envelope is drawn through it: what goes beside it goes
      // beside the envelope.
      ArtId beside = outermostEnvelopeOf(reference);
      const ArtNode& node = arts_[beside];
      *place = Place{node.layer, node.parent, paintOrder == kPlaceAbove ? beside : node.below};
      break;
    }
    case kPlaceInsideOnTop:
    case kPlaceInsideOnBottom: {
      if (!isLive(reference) || arts_[reference].type != kGroupArt) return kBadParameterErr;
      const ArtNode& node = arts_[reference];
      *place =
          Place{node.layer, reference, paintOrder == kPlaceInsideOnTop ? node.topChild : kNoArt};
      break;
    }
    default:
      return kBadParameterErr;
  }
  const Layer& target = layers_[place->layer];
  if (target.locked || !target.visible) return kLayerLockedErr;
  return kNoErr;
}

ASErr Document::newArt(int16_t type, int16_t paintOrder, ArtId reference, ArtId* art) {
  if (!art) return kBadParameterErr;
  if (type != kPathArt && type != kGroupArt) return kBadParameterErr;
  Place place;
  if (ASErr e = placeFor(paintOrder, reference, &place)) return e;
  ArtId id = allocate(type, place.layer);
  if (type == kPathArt) arts_[id].content.style = currentPaint_;
  link(id, place);
  *art = id;
  return kNoErr;
}

ArtId Document::copyDetached(ArtId source, LayerId layer) {
  ArtId copy = allocate(arts_[source].type, layer);
  arts_[copy].content = arts_[source].content;
  if (!tags_.empty()) {
    auto found = tags_.find(source);
    if (found != tags_.end()) tags_[copy] = found->second;
  }
  for (ArtId child = arts_[source].bottomChild; child != kNoArt; child = arts_[child].above) {
    ArtId childCopy = copyDetached(child, layer);
    link(childCopy, Place{layer, copy, arts_[copy].topChild});
  }
  return copy;
}

ASErr Document::duplicateArt(ArtId art, int16_t paintOrder, ArtId reference, ArtId* copy) {
  if (!copy || !isLive(art)) return kBadParameterErr;
  Place place;
  if (ASErr e = placeFor(paintOrder, reference, &place)) return e;
  // The envelopes the art lies in, outermost first, are copied with it.
  std::vector<ArtId> envelopes;
  for (ArtId up = arts_[art].parent; up != kNoArt && arts_[up].type == kEnvelopeArt;
       up = arts_[up].parent)
    envelopes.insert(envelopes.begin(), up);
  for (ArtId envelope : envelopes) {
    ArtId envelopeCopy = allocate(kEnvelopeArt, place.layer);
    arts_[envelopeCopy].content = arts_[envelope].content;
    link(envelopeCopy, place);
    place = Place{place.layer, envelopeCopy, kNoArt};
  }
  ArtId result = copyDetached(art, place.layer);
  link(result, place);
  *copy = result;
  return kNoErr;
}

ASErr Document::disposeArt(ArtId art) {
  if (!isLive(art)) return kBadParameterErr;
  Place was = placeOf(art);
  unlink(art);
  if (journaling_) {
    setSubtreeDisposed(art, true);
    disposedThisInvocation_.push_back(art);
    record(ChangeKind::kArtDisposed, art, was, 0);
  } else {
    releaseSubtree(art);
  }
  return kNoErr;
}

std::vector<ArtId> Document::layerArts(LayerId layer) const {
  std::vector<ArtId> out;
  for (ArtId id = layers_.at(layer).bottom; id != kNoArt; id = arts_[id].above) out.push_back(id);
  return out;
}

std::vector<ArtId> Document::childrenOf(ArtId art) const {
  std::vector<ArtId> out;
  for (ArtId id = arts_.at(art).bottomChild; id != kNoArt; id = arts_[id].above) out.push_back(id);
  return out;
}

std::vector<ArtId> Document::pathsInPaintOrder() const {
  std::vector<ArtId> out;
  std::function<void(ArtId)> visit = [&](ArtId id) {
    if (arts_[id].type == kPathArt) out.push_back(id);
    for (ArtId child = arts_[id].bottomChild; child != kNoArt; child = arts_[child].above)
      visit(child);
  };
  for (LayerId layer : layerOrder_)
    for (ArtId id = layers_[layer].bottom; id != kNoArt; id = arts_[id].above) visit(id);
  return out;
}

void Document::redraw() {
  ++redraws_;
  if (redrawListener_) redrawListener_();
}

}  // namespace heart
