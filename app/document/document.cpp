#include "document/document.h"

#include <atomic>
#include <cmath>
#include <stdexcept>

namespace heart {

namespace {

constexpr float kMaxPageSide = 1000000.0f;

AIColor grayColor(float ink) { return AIColor{kGrayColor, {ink, 0, 0, 0}, 0}; }

}  // namespace

// --- Construction ------------------------------------------------------------

Result<void> Document::check(const DocumentSettings& settings) {
  auto validSide = [](float side) {
    return std::isfinite(side) && side > 0 && side <= kMaxPageSide;
  };
  if (!validSide(settings.pageWidth) || !validSide(settings.pageHeight))
    return fail("the page width and height must be above 0 and at most 1000000 points");
  if (settings.colorModel != kDocGrayColor && settings.colorModel != kDocRGBColor &&
      settings.colorModel != kDocCMYKColor)
    return fail("the colour model must be 0 (gray), 1 (RGB) or 2 (CMYK)");
  return {};
}

Document::Document(DocumentSettings settings) : settings_(settings) {
  if (Result<void> checked = check(settings); !checked)
    throw std::invalid_argument(checked.error());
  currentPaint_ = defaultPaint(settings.colorModel);
  views_.emplace_back(AIRealPoint{settings.pageWidth * 0.5f, settings.pageHeight * 0.5f});
  swatches_ = settings.swatches.empty() ? defaultSwatches() : settings.swatches;
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

// --- Art lookup --------------------------------------------------------------

ArtNode* Document::liveNode(ArtId id) { return tree_.isLive(id) ? &tree_.slot(id) : nullptr; }
const ArtNode* Document::liveNode(ArtId id) const {
  return tree_.isLive(id) ? &tree_.slot(id) : nullptr;
}
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
  const std::vector<LayerId>& order = tree_.layerOrder();
  size_t position = 0;  // index in the paint order to insert at
  if (reference == kNoLayer) {
    if (paintOrder == kPlaceAboveAll || paintOrder == kPlaceAbove)
      position = order.size();
    else if (paintOrder == kPlaceBelowAll || paintOrder == kPlaceBelow)
      position = 0;
    else
      return kBadParameterErr;
  } else {
    if (!tree_.isLayer(reference)) return kBadParameterErr;
    size_t at = 0;
    while (order[at] != reference) ++at;
    if (paintOrder == kPlaceAbove)
      position = at + 1;
    else if (paintOrder == kPlaceBelow)
      position = at;
    else if (paintOrder == kPlaceAboveAll)
      position = order.size();
    else if (paintOrder == kPlaceBelowAll)
      position = 0;
    else
      return kBadParameterErr;
  }
  LayerId id = tree_.addLayer(position);
  journal_.record(ChangeKind::kLayerCreated, kNoArt, {}, id);
  journal_.record(ChangeKind::kCurrentLayerChanged, kNoArt, {}, currentLayer_);
  currentLayer_ = id;
  *layer = id;
  return kNoErr;
}

// --- Making and releasing art ---------------------------------------------------

ArtId Document::create(int16_t type, LayerId layer) {
  ArtId id = tree_.allocate(type, layer, journal_.epoch());
  journal_.record(ChangeKind::kArtCreated, id);
  return id;
}

void Document::release(ArtId id) {
  tree_.release(id);
  if (!tags_.empty()) tags_.erase(id);
}

void Document::releaseSubtree(ArtId id) {
  tree_.forEachBottomUp(id, [this](ArtId art) { release(art); });
}

// --- Placing art -------------------------------------------------------------

ASErr Document::placeFor(int16_t paintOrder, ArtId reference, ArtPlace* place) const {
  switch (paintOrder) {
    case kPlaceAboveAll:
      *place = ArtPlace{currentLayer_, kNoArt, tree_.layer(currentLayer_).top};
      break;
    case kPlaceBelowAll:
      *place = ArtPlace{currentLayer_, kNoArt, kNoArt};
      break;
    case kPlaceAbove:
    case kPlaceBelow: {
      if (!tree_.isLive(reference)) return kBadParameterErr;
      // Art inside an envelope is drawn through it: what goes beside it goes
      // beside the envelope.
      ArtId beside = tree_.outermostEnvelopeOf(reference);
      const ArtNode& node = tree_.slot(beside);
      *place = ArtPlace{node.layer, node.parent, paintOrder == kPlaceAbove ? beside : node.below};
      break;
    }
    case kPlaceInsideOnTop:
    case kPlaceInsideOnBottom: {
      if (!tree_.isLive(reference) || tree_.slot(reference).type != kGroupArt)
        return kBadParameterErr;
      const ArtNode& node = tree_.slot(reference);
      *place =
          ArtPlace{node.layer, reference, paintOrder == kPlaceInsideOnTop ? node.topChild : kNoArt};
      break;
    }
    default:
      return kBadParameterErr;
  }
  const Layer& target = tree_.layer(place->layer);
  if (target.locked || !target.visible) return kLayerLockedErr;
  return kNoErr;
}

ASErr Document::newArt(int16_t type, int16_t paintOrder, ArtId reference, ArtId* art) {
  if (!art) return kBadParameterErr;
  if (type != kPathArt && type != kGroupArt) return kBadParameterErr;
  ArtPlace place;
  if (ASErr e = placeFor(paintOrder, reference, &place)) return e;
  ArtId id = create(type, place.layer);
  if (type == kPathArt) tree_.slot(id).content.style = currentPaint_;
  tree_.link(id, place);
  *art = id;
  return kNoErr;
}

ArtId Document::copyDetached(ArtId source, LayerId layer) {
  ArtId copy = create(tree_.slot(source).type, layer);
  tree_.slot(copy).content = tree_.slot(source).content;
  if (!tags_.empty()) {
    auto found = tags_.find(source);
    if (found != tags_.end()) tags_[copy] = found->second;
  }
  for (ArtId child = tree_.slot(source).bottomChild; child != kNoArt;
       child = tree_.slot(child).above) {
    ArtId childCopy = copyDetached(child, layer);
    tree_.link(childCopy, ArtPlace{layer, copy, tree_.slot(copy).topChild});
  }
  return copy;
}

ASErr Document::duplicateArt(ArtId art, int16_t paintOrder, ArtId reference, ArtId* copy) {
  if (!copy || !tree_.isLive(art)) return kBadParameterErr;
  ArtPlace place;
  if (ASErr e = placeFor(paintOrder, reference, &place)) return e;
  // The envelopes the art lies in, outermost first, are copied with it.
  std::vector<ArtId> envelopes;
  for (ArtId up = tree_.slot(art).parent; up != kNoArt && tree_.slot(up).type == kEnvelopeArt;
       up = tree_.slot(up).parent)
    envelopes.insert(envelopes.begin(), up);
  for (ArtId envelope : envelopes) {
    ArtId envelopeCopy = create(kEnvelopeArt, place.layer);
    tree_.slot(envelopeCopy).content = tree_.slot(envelope).content;
    tree_.link(envelopeCopy, place);
    place = ArtPlace{place.layer, envelopeCopy, kNoArt};
  }
  ArtId result = copyDetached(art, place.layer);
  tree_.link(result, place);
  *copy = result;
  return kNoErr;
}

ASErr Document::disposeArt(ArtId art) {
  if (!tree_.isLive(art)) return kBadParameterErr;
  ArtPlace was = tree_.placeOf(art);
  tree_.unlink(art);
  if (journal_.isOpen()) {
    tree_.setSubtreeDisposed(art, true);
    journal_.noteDisposed(art);
    journal_.record(ChangeKind::kArtDisposed, art, was, 0);
  } else {
    releaseSubtree(art);
  }
  return kNoErr;
}

void Document::redraw() {
  ++redraws_;
  if (redrawListener_) redrawListener_();
}

void Document::setBackdropSvg(std::string svg) {
  static std::atomic<uint64_t> drawings{0};
  backdropSvg_ = std::move(svg);
  backdropVersion_ = ++drawings;
}

}  // namespace heart
