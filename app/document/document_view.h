// A window onto the document: the artwork point at its centre, its zoom and
// its size in pixels. Window points have their origin at the top left with
// the vertical axis pointing down; artwork points have the vertical axis
// pointing up, as the page does.
#pragma once

#include "plugin/host/heart_types.h"

namespace heart {

class DocumentView {
 public:
  static constexpr int32_t kDefaultWindowWidth = 800;
  static constexpr int32_t kDefaultWindowHeight = 600;
  // The zoom is kept between these factors (1% to 6400%).
  static constexpr AIReal kMinimumZoom = 0.01f;
  static constexpr AIReal kMaximumZoom = 64.0f;

  DocumentView(AIRealPoint centre, int32_t windowWidth = kDefaultWindowWidth,
               int32_t windowHeight = kDefaultWindowHeight);

  AIRealPoint centre() const { return centre_; }
  // A centre that is not finite is refused (false).
  bool setCentre(AIRealPoint centre);
  AIReal zoom() const { return zoom_; }
  // A zoom that is not finite or not above 0 is refused (false); others are
  // limited to the zoom range.
  bool setZoom(AIReal zoom);
  int32_t windowWidth() const { return windowWidth_; }
  int32_t windowHeight() const { return windowHeight_; }

  AIRealPoint toArtwork(ASPoint viewPoint) const;
  // False when the artwork point is not finite or lies so far outside the
  // window that its pixel does not fit in 32 bits.
  bool toView(AIRealPoint artworkPoint, ASPoint* viewPoint) const;

 private:
  AIRealPoint centre_;
  AIReal zoom_ = 1;
  int32_t windowWidth_;
  int32_t windowHeight_;
};

}  // namespace heart
