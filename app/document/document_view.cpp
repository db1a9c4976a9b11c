#include "document/document_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace heart {

DocumentView::DocumentView(AIRealPoint centre, int32_t windowWidth, int32_t windowHeight)
    : centre_(centre), windowWidth_(windowWidth), windowHeight_(windowHeight) {}

bool DocumentView::setCentre(AIRealPoint centre) {
  if (!std::isfinite(centre.h) || !std::isfinite(centre.v)) return false;
  centre_ = centre;
  return true;
}

bool DocumentView::setZoom(AIReal zoom) {
  if (!std::isfinite(zoom) || zoom <= 0) return false;
  zoom_ = std::clamp(zoom, kMinimumZoom, kMaximumZoom);
  return true;
}

AIRealPoint DocumentView::toArtwork(ASPoint viewPoint) const {
  double x = centre_.h + (viewPoint.h - windowWidth_ * 0.5) / zoom_;
  double y = centre_.v - (viewPoint.v - windowHeight_ * 0.5) / zoom_;
  return AIRealPoint{static_cast<AIReal>(x), static_cast<AIReal>(y)};
}

bool DocumentView::toView(AIRealPoint artworkPoint, ASPoint* viewPoint) const {
  double h = (artworkPoint.h - static_cast<double>(centre_.h)) * zoom_ + windowWidth_ * 0.5;
  double v = (static_cast<double>(centre_.v) - artworkPoint.v) * zoom_ + windowHeight_ * 0.5;
  h = std::round(h);
  v = std::round(v);
  constexpr double kLow = static_cast<double>(INT32_MIN), kHigh = static_cast<double>(INT32_MAX);
  if (!(h >= kLow && h <= kHigh && v >= kLow && v <= kHigh)) return false;
  viewPoint->h = static_cast<ASInt32>(h);
  viewPoint->v = static_cast<ASInt32>(v);
  return true;
}

}  // namespace heart
