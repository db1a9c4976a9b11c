#include "export/png_size.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace heart {
namespace {

// Without a size asked for, pages larger than this many points a side are
// scaled down to it.
constexpr double kDefaultLargestSide = 8192;

// A side's pixels when the scale is given: the pixel the page's edge starts
// is taken, but not one that a rounding error alone would start.
double coveredPixels(double points, double zoom) {
  return std::max(1.0, std::ceil(points * zoom - 1e-6));
}

// A side's pixels when the other side's are given: the nearest whole pixel.
double nearestPixels(double points, double zoom) {
  return std::max(1.0, std::round(points * zoom));
}

std::string pixelsText(double pixels) {
  return pixels < 1e15 ? std::to_string(static_cast<int64_t>(pixels)) : std::string("over 10^15");
}

}  // namespace

Result<void> checkPngPixels(int64_t width, int64_t height) {
  if (width <= kMostPngSide && height <= kMostPngSide && width * height <= kMostPngPixels)
    return {};
  return fail("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
              " pixels is larger than heart draws (at most " + std::to_string(kMostPngSide) +
              " pixels a side and 100 million pixels)");
}

Result<PngSize> pngSize(AIRealPoint page, const PngOptions& options) {
  const double pageWidth = page.h, pageHeight = page.v;
  if (!(std::isfinite(pageWidth) && std::isfinite(pageHeight) && pageWidth > 0 && pageHeight > 0))
    return fail("the page has no size to draw");
  if (options.dpi != 0 && (options.width != 0 || options.height != 0))
    return fail("a picture is sized by its resolution or by its pixels, not both");
  if (options.dpi != 0 && !(std::isfinite(options.dpi) && options.dpi > 0))
    return fail("the resolution must be a number of pixels an inch above 0");
  if (options.width < 0 || options.height < 0)
    return fail("a picture's width and height are whole pixels above 0");

  double zoom, width, height;
  if (options.width != 0 || options.height != 0) {
    const double across = options.width != 0 ? options.width / pageWidth : INFINITY;
    const double down = options.height != 0 ? options.height / pageHeight : INFINITY;
    zoom = std::min(across, down);
    // The side that was asked for and binds is exactly as asked.
    width = across <= down ? options.width : nearestPixels(pageWidth, zoom);
    height = down <= across ? options.height : nearestPixels(pageHeight, zoom);
  } else {
    zoom = options.dpi != 0 ? options.dpi / 72
                            : std::min(1.0, kDefaultLargestSide / std::max(pageWidth, pageHeight));
    width = coveredPixels(pageWidth, zoom);
    height = coveredPixels(pageHeight, zoom);
  }
  if (!(width <= kMostPngSide && height <= kMostPngSide && width * height <= kMostPngPixels))
    return fail("a picture of " + pixelsText(width) + " x " + pixelsText(height) +
                " pixels is larger than heart draws (at most " + std::to_string(kMostPngSide) +
                " pixels a side and 100 million pixels)");
  return PngSize{static_cast<int>(width), static_cast<int>(height), zoom};
}

}  // namespace heart
