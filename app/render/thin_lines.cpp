#include "render/thin_lines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace heart {

ThinLines::ThinLines(unsigned char* pixels, int width, int height, int stride, int clipLeft,
                     int clipTop, int clipRight, int clipBottom)
    : pixels_(pixels),
      height_(height),
      rowWords_(stride / 4),
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
  if (coverage_.empty()) coverage_.assign(static_cast<size_t>(rowWords_) * height_, 0);
  for (int along = first; along < last; ++along) {
    const double spanned = std::clamp(
        std::min<double>(along + 1, spanTo) - std::max<double>(along, spanFrom), 0.0, 1.0);
    const double centre = ay + (along + 0.5 - ax) * slope;
    const double low = centre - half, high = centre + half;
    const int from = static_cast<int>(std::clamp(std::floor(low), static_cast<double>(acrossFrom),
                                                 static_cast<double>(acrossTo)));
    const int to = static_cast<int>(std::clamp(
        std::floor(high) + 1, static_cast<double>(acrossFrom), static_cast<double>(acrossTo)));
    for (int across = from; across < to; ++across) {
      const double covered = std::min<double>(across + 1, high) - std::max<double>(across, low);
      const int level = static_cast<int>(std::min(covered, 1.0) * spanned * 255 + 0.5);
      const size_t at = steep ? static_cast<size_t>(along) * rowWords_ + across
                              : static_cast<size_t>(across) * rowWords_ + along;
      cover(at, level);
    }
  }
}

void ThinLines::cover(size_t at, int level) {
  if (level <= coverage_[at]) return;
  if (coverage_[at] == 0) touched_.push_back(static_cast<uint32_t>(at));
  coverage_[at] = static_cast<uint8_t>(level);
}

bool ThinLines::pixelsNear(double ax, double ay, double bx, double by, double reach, int* left,
                           int* top, int* right, int* bottom) {
  const auto clampTo = [](double value, int low, int high) {
    return static_cast<int>(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
  };
  *left = clampTo(std::floor(std::min(ax, bx) - reach), clipLeft_, clipRight_);
  *right = clampTo(std::ceil(std::max(ax, bx) + reach), clipLeft_, clipRight_);
  *top = clampTo(std::floor(std::min(ay, by) - reach), clipTop_, clipBottom_);
  *bottom = clampTo(std::ceil(std::max(ay, by) + reach), clipTop_, clipBottom_);
  if (*left >= *right || *top >= *bottom) return false;
  if (coverage_.empty()) coverage_.assign(static_cast<size_t>(rowWords_) * height_, 0);
  return true;
}

void ThinLines::addDash(double ax, double ay, double bx, double by, double halfWidth,
                        bool freeStart, bool freeEnd) {
  const double dx = bx - ax, dy = by - ay, length = std::sqrt(dx * dx + dy * dy);
  if (!(halfWidth > 0) || !(length > 0) || !std::isfinite(ax + ay + bx + by + halfWidth + length))
    return;
  const double ux = dx / length, uy = dy / length;
  // Along the dash, from a: a free end stops where it is; one that meets the
  // next piece at a corner reaches half a pixel on, as a join would.
  const double from = freeStart ? 0 : -0.5, to = freeEnd ? length : length + 0.5;
  // A pixel whose centre lies further than this from the dash's line
  // (across, or along beyond an end) is not covered.
  const double reach = halfWidth + 0.5;
  int left, top, right, bottom;
  if (!pixelsNear(ax, ay, bx, by, reach, &left, &top, &right, &bottom)) return;
  // The offsets x (of a pixel centre from a, in a row y from a) where the
  // value x * k + y * l lies within (low, high), narrowed into [*first, *last).
  const auto narrow = [](double k, double l, double y, double low, double high, double* first,
                         double* last) {
    const double fixed = y * l;
    if (std::fabs(k) < 1e-12) {
      if (!(fixed > low && fixed < high)) *last = *first;
      return;
    }
    double a = (low - fixed) / k, b = (high - fixed) / k;
    if (a > b) std::swap(a, b);
    *first = std::max(*first, a);
    *last = std::min(*last, b);
  };
  for (int row = top; row < bottom; ++row) {
    // Only the columns whose centres can lie within the dash, grown by half
    // a pixel all round.
    const double py = row + 0.5 - ay;
    double first = left + 0.5 - ax, last = right + 0.5 - ax;
    narrow(ux, uy, py, from - 0.5, to + 0.5, &first, &last);
    narrow(uy, -ux, py, -reach, reach, &first, &last);
    if (!(first < last)) continue;
    const int columnFrom = std::max(left, static_cast<int>(std::floor(first + ax - 0.5)));
    const int columnTo = std::min(right, static_cast<int>(std::ceil(last + ax - 0.5)) + 1);
    for (int column = columnFrom; column < columnTo; ++column) {
      // The pixel as a unit square turned to the dash: the share of its
      // extent along the dash that the dash spans, times the share across.
      const double px = column + 0.5 - ax;
      const double along = px * ux + py * uy, across = px * uy - py * ux;
      const double spanned = std::min(along + 0.5, to) - std::max(along - 0.5, from);
      const double covered = std::min(across + 0.5, halfWidth) - std::max(across - 0.5, -halfWidth);
      if (spanned <= 0 || covered <= 0) continue;
      cover(static_cast<size_t>(row) * rowWords_ + column,
            static_cast<int>(std::min(spanned, 1.0) * std::min(covered, 1.0) * 255 + 0.5));
    }
  }
}

void ThinLines::addCapsule(double ax, double ay, double bx, double by, double halfWidth) {
  if (!(halfWidth > 0) || !std::isfinite(ax + ay + bx + by + halfWidth)) return;
  int left, top, right, bottom;
  if (!pixelsNear(ax, ay, bx, by, halfWidth, &left, &top, &right, &bottom)) return;
  const double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
  // Along the segment, t = 0 at a and 1 at b; a dot has only a.
  const double alongX = length2 > 1e-12 ? dx / length2 : 0,
               alongY = length2 > 1e-12 ? dy / length2 : 0;
  const double r2 = halfWidth * halfWidth;
  // Squared distances from the segment; a pixel's corners lie within 0.71
  // of its centre, so one whose centre is nearer or further by that much is
  // wholly inside or outside and needs no samples.
  const double inner = halfWidth > 0.71 ? (halfWidth - 0.71) * (halfWidth - 0.71) : -1;
  const double outer = (halfWidth + 0.71) * (halfWidth + 0.71);
  const auto distance2 = [&](double x, double y) {
    const double t = std::clamp(x * alongX + y * alongY, 0.0, 1.0);
    const double ex = x - t * dx, ey = y - t * dy;
    return ex * ex + ey * ey;
  };
  for (int row = top; row < bottom; ++row)
    for (int column = left; column < right; ++column) {
      const double cx = column + 0.5 - ax, cy = row + 0.5 - ay;
      const double centre = distance2(cx, cy);
      if (centre >= outer) continue;
      const size_t at = static_cast<size_t>(row) * rowWords_ + column;
      if (centre <= inner) {
        cover(at, 255);
        continue;
      }
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
          inside += distance2(cx + (sx - 1.5) / 4, cy + (sy - 1.5) / 4) <= r2;
      if (inside) cover(at, (inside * 255 + 8) / 16);
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
    auto* pixel = reinterpret_cast<uint32_t*>(pixels_) + at;
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
