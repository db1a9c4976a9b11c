// The size of a PNG picture of the page: one pixel a point by default (72
// pixels an inch, larger pages scaled down to 8192 pixels a side), or the
// resolution asked for, or a width or height in pixels with the page's
// proportions kept. A picture beyond the cap is refused before anything is
// drawn, with its size in the message.
#pragma once

#include <cstdint>

#include "core/result.h"
#include "plugin/host/heart_types.h"

namespace heart {

// How a PNG of the page is made (--dpi, --width, --height, --background).
struct PngOptions {
  double dpi = 0;         // pixels an inch; 0 when not given
  int width = 0;          // pixels; 0 when not given
  int height = 0;         // with width too: the page fits inside width x height
  bool whitePage = true;  // the page painted white under the art; else transparent
};

// The picture's pixels and its scale, in pixels a point.
struct PngSize {
  int width = 0, height = 0;
  double zoom = 1;
};

// The most a picture may have: cairo's largest image side, and 100 million
// pixels (400 MB of picture in memory before it is compressed).
inline constexpr int kMostPngSide = 32767;
inline constexpr int64_t kMostPngPixels = 100'000'000;

// The picture of a page (points) as the options ask for it, or why it
// cannot be made.
Result<PngSize> pngSize(AIRealPoint page, const PngOptions& options);

// Whether a picture of width x height pixels is within the cap, or why not.
Result<void> checkPngPixels(int64_t width, int64_t height);

}  // namespace heart
