#include "render/thin_lines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace heart {

ThinLines::ThinLines(unsigned char* pixels, int width, int height, int stride, int clipLeft,
                     int clipTop, int clipRight, int clipBottom)
    : pixels_(pixels),
      width_(width),
      height_(height),
      stride_(stride),
      clipLeft_(std::max(0, clipLeft)),
      clipTop_(std::max(0, clipTop)),
      clipRight_(std::min(width, clipRight)),
      clipBottom_(std::min(height, clipBottom)) {}

void ThinLines::addSegment(double ax, double ay, double bx, double by, double halfWidth,
                           bool freeStart, bool freeEnd) {
  if (!(halfWidth > 0) || !std::isfinite(ax + ay + bx + by + halfWidth)) return;
  // Walked along its longer axis ("along"), one pixel column or row at a
  // time, the strip crossing it ("across") is 2 * halfWidth / cos(slope)
  // thick; each pixel takes the share of its side that the strip covers.
  const bool steep = std::fabs(by - ay) > std::fabs(bx - ax);
  if (steep) {
    std::swap(ax, ay);
    std::swap(bx, by);
  }
  if (ax > bx) {
    std::swap(ax, bx);
    std::swap(ay, by);
    std::swap(freeStart, freeEnd);
  }
  if (!(bx > ax)) return;
  const double slope = (by - ay) / (bx - ax);
  const double half = halfWidth * std::sqrt(1 + slope * slope);
  const int alongFrom = steep ? clipTop_ : clipLeft_, alongTo = steep ? clipBottom_ : clipRight_;
  const int acrossFrom = steep ? clipLeft_ : clipTop_, acrossTo = steep ? clipRight_ : clipBottom_;
  // The columns whose centre lies in [ax, bx): consecutive segments of a
  // line share their ends, so each column is walked once. A free end (a
  // dash's, an open line's) instead covers the columns it reaches into by
  // the share of each that it spans.
  const double start = freeStart ? std::floor(ax) : std::ceil(ax - 0.5);
  const double end = freeEnd ? std::ceil(bx) : std::ceil(bx - 0.5);
  const double spanFrom = freeStart ? ax : -INFINITY, spanTo = freeEnd ? bx : INFINITY;
  const int first = static_cast<int>(
      std::clamp(start, static_cast<double>(alongFrom), static_cast<double>(alongTo)));
  const int last = static_cast<int>(
      std::clamp(end, static_cast<double>(alongFrom), static_cast<double>(alongTo)));
  if (first >= last) return;
  if (coverage_.empty()) coverage_.assign(static_cast<size_t>(width_) * height_, 0);
  for (int along = first; along < last; ++along) {
    const double spanned = std::clamp(std::min<double>(along + 1, spanTo) -
                                          std::max<double>(along, spanFrom),
                                      0.0, 1.0);
    const double centre = ay + (along + 0.5 - ax) * slope;
    const double low = centre - half, high = centre + half;
    const int from = static_cast<int>(std::clamp(std::floor(low), static_cast<double>(acrossFrom),
                                                 static_cast<double>(acrossTo)));
    const int to = static_cast<int>(std::clamp(
        std::floor(high) + 1, static_cast<double>(acrossFrom), static_cast<double>(acrossTo)));
    for (int across = from; across < to; ++across) {
      const double covered = std::min<double>(across + 1, high) - std::max<double>(across, low);
      const int level = static_cast<int>(std::min(covered, 1.0) * spanned * 255 + 0.5);
      const size_t at = steep ? static_cast<size_t>(along) * width_ + across
                              : static_cast<size_t>(across) * width_ + along;
      if (level <= coverage_[at]) continue;
      if (coverage_[at] == 0) touched_.push_back(static_cast<uint32_t>(at));
      coverage_[at] = static_cast<uint8_t>(level);
    }
  }
}

void ThinLines::paint(const double colour[3], double opacity) {
  const uint32_t alpha = static_cast<uint32_t>(std::clamp(opacity, 0.0, 1.0) * 255 + 0.5);
  uint32_t channel[3];
  for (int i = 0; i < 3; ++i)
    channel[i] = static_cast<uint32_t>(std::clamp(colour[i], 0.0, 1.0) * 255 + 0.5);
  for (uint32_t at : touched_) {
    const uint32_t c = (coverage_[at] * alpha + 127) / 255;
    coverage_[at] = 0;
    auto* pixel =
        reinterpret_cast<uint32_t*>(pixels_ + static_cast<size_t>(at / width_) * stride_) +
        at % width_;
    const uint32_t keep = 255 - c, under = *pixel;
    // Premultiplied "over" with the colour at coverage c.
    auto mix = [&](uint32_t ink, int shift) {
      return (ink * c + ((under >> shift) & 0xFF) * keep + 127) / 255;
    };
    *pixel = mix(255, 24) << 24 | mix(channel[0], 16) << 16 | mix(channel[1], 8) << 8 |
             mix(channel[2], 0);
  }
  touched_.clear();
}

}  // namespace heart
