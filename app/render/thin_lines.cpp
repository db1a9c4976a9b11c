#include "render/thin_lines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace heart {

namespace {

// floor(value) kept within [low, high] (whole numbers), as one clamp and a
// truncation: the clamp first, so that the truncation stays within int and
// floors by correcting what it rounded up.
int floorWithin(double value, int low, int high) {
  const double within = std::clamp(value, static_cast<double>(low), static_cast<double>(high));
  const int truncated = static_cast<int>(within);
  return truncated - (within < truncated);
}

int ceilWithin(double value, int low, int high) { return -floorWithin(-value, -high, -low); }

}  // namespace

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
  const int first =
      freeStart ? floorWithin(ax, alongFrom, alongTo) : ceilWithin(ax - 0.5, alongFrom, alongTo);
  const int last = ceilWithin(freeEnd ? bx : bx - 0.5, alongFrom, alongTo);
  const double spanFrom = freeStart ? ax : -INFINITY, spanTo = freeEnd ? bx : INFINITY;
  if (first >= last) return;
  if (coverage_.empty()) coverage_.assign(static_cast<size_t>(rowWords_) * height_, 0);
  // A pixel's place in the coverage: the column's own, and the step from
  // one pixel across to the next.
  const size_t alongStep = steep ? static_cast<size_t>(rowWords_) : 1;
  const size_t acrossStep = steep ? 1 : static_cast<size_t>(rowWords_);
  for (int along = first; along < last; ++along) {
    const double spanned = std::clamp(
        std::min<double>(along + 1, spanTo) - std::max<double>(along, spanFrom), 0.0, 1.0);
    const double centre = ay + (along + 0.5 - ax) * slope;
    const double low = centre - half, high = centre + half;
    const int from = floorWithin(low, acrossFrom, acrossTo);
    const int to = floorWithin(high, acrossFrom - 1, acrossTo - 1) + 1;
    const size_t column = static_cast<size_t>(along) * alongStep;
    if (to > from) makeRoom(static_cast<size_t>(to - from));
    for (int across = from; across < to; ++across) {
      const double covered = std::min<double>(across + 1, high) - std::max<double>(across, low);
      const int level = static_cast<int>(std::min(covered, 1.0) * spanned * 255 + 0.5);
      cover(column + static_cast<size_t>(across) * acrossStep, level);
    }
  }
}

bool ThinLines::pixelsNear(double ax, double ay, double bx, double by, double reach, int* left,
                           int* top, int* right, int* bottom) {
  *left = floorWithin(std::min(ax, bx) - reach, clipLeft_, clipRight_);
  *right = ceilWithin(std::max(ax, bx) + reach, clipLeft_, clipRight_);
  *top = floorWithin(std::min(ay, by) - reach, clipTop_, clipBottom_);
  *bottom = ceilWithin(std::max(ay, by) + reach, clipTop_, clipBottom_);
  if (*left >= *right || *top >= *bottom) return false;
  if (coverage_.empty()) coverage_.assign(static_cast<size_t>(rowWords_) * height_, 0);
  makeRoom(static_cast<size_t>(*right - *left) * static_cast<size_t>(*bottom - *top));
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
  // `inverse` is 1 / k, found once a dash rather than divided by each row.
  const auto narrow = [](double k, double inverse, double l, double y, double low, double high,
                         double* first, double* last) {
    const double fixed = y * l;
    if (std::fabs(k) < 1e-12) {
      if (!(fixed > low && fixed < high)) *last = *first;
      return;
    }
    double a = (low - fixed) * inverse, b = (high - fixed) * inverse;
    if (a > b) std::swap(a, b);
    *first = std::max(*first, a);
    *last = std::min(*last, b);
  };
  const double inverseUx = 1 / ux, inverseUy = 1 / uy;
  for (int row = top; row < bottom; ++row) {
    // Only the columns whose centres can lie within the dash, grown by half
    // a pixel all round.
    const double py = row + 0.5 - ay;
    double first = left + 0.5 - ax, last = right + 0.5 - ax;
    narrow(ux, inverseUx, uy, py, from - 0.5, to + 0.5, &first, &last);
    narrow(uy, inverseUy, -ux, py, -reach, reach, &first, &last);
    if (!(first < last)) continue;
    const int columnFrom = floorWithin(first + ax - 0.5, left, right);
    const int columnTo = ceilWithin(last + ax - 0.5, left - 1, right - 1) + 1;
    for (int column = columnFrom; column < columnTo; ++column) {
      // The pixel as a unit square turned to the dash: the share of its
      // extent along the dash that the dash spans, times the share across.
      const double px = column + 0.5 - ax;
      const double along = px * ux + py * uy, across = px * uy - py * ux;
      const double spanned = std::min(along + 0.5, to) - std::max(along - 0.5, from);
      const double covered = std::min(across + 0.5, halfWidth) - std::max(across - 0.5, -halfWidth);
      // A pixel the dash misses (either share at or below 0) takes level 0,
      // which covers nothing.
      cover(static_cast<size_t>(row) * rowWords_ + column,
            static_cast<int>(std::clamp(spanned, 0.0, 1.0) * std::clamp(covered, 0.0, 1.0) * 255 +
                             0.5));
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
  // Squared distances from the segment. A pixel's samples lie within 0.5304
  // of its centre (the farthest at 0.375 across and down), so one whose
  // centre is nearer or further by 0.54 has all its samples inside or none,
  // and needs no sampling.
  constexpr double kSampleReach = 0.54;
  const double inner =
      halfWidth > kSampleReach ? (halfWidth - kSampleReach) * (halfWidth - kSampleReach) : -1;
  const double outer = (halfWidth + kSampleReach) * (halfWidth + kSampleReach);
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
      // The samples' offsets and their parts of t, a column or row of
      // samples at a time, then each sample's distance as distance2 finds it.
      double xs[4], ys[4], xAlong[4], yAlong[4];
      for (int s = 0; s < 4; ++s) {
        xs[s] = cx + (s - 1.5) / 4;
        ys[s] = cy + (s - 1.5) / 4;
        xAlong[s] = xs[s] * alongX;
        yAlong[s] = ys[s] * alongY;
      }
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const double t = std::clamp(xAlong[sx] + yAlong[sy], 0.0, 1.0);
          const double ex = xs[sx] - t * dx, ey = ys[sy] - t * dy;
          inside += ex * ex + ey * ey <= r2;
        }
      if (inside) cover(at, (inside * 255 + 8) / 16);
    }
}

void ThinLines::paint(const double colour[3], double opacity) {
  const uint32_t alpha = static_cast<uint32_t>(std::clamp(opacity, 0.0, 1.0) * 255 + 0.5);
  uint32_t channel[3];
  for (int i = 0; i < 3; ++i)
    channel[i] = static_cast<uint32_t>(std::clamp(colour[i], 0.0, 1.0) * 255 + 0.5);
  // Premultiplied "over" with the colour at coverage c, two channels at a
  // time, 16 bits apart: each is (ink * c + under * (255 - c)) / 255 rounded
  // to nearest, which (x + 128 + ((x + 128) >> 8)) >> 8 gives exactly for
  // every x up to 255 * 255, within 16 bits.
  const uint32_t inkRedBlue = channel[0] << 16 | channel[2];
  const uint32_t inkAlphaGreen = 255u << 16 | channel[1];
  const auto blend = [](uint32_t under, uint32_t ink, uint32_t c) {
    uint32_t sum = (under & 0x00FF00FF) * (255 - c) + ink * c + 0x00800080;
    return ((sum + ((sum >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
  };
  for (size_t i = 0; i < touchedCount_; ++i) {
    const uint32_t at = touched_[i];
    const uint32_t covered = coverage_[at];
    const uint32_t c = alpha == 255 ? covered : (covered * alpha + 127) / 255;
    coverage_[at] = 0;
    uint32_t* pixel = reinterpret_cast<uint32_t*>(pixels_) + at;
    const uint32_t under = *pixel;
    *pixel = blend(under >> 8, inkAlphaGreen, c) << 8 | blend(under, inkRedBlue, c);
  }
  touchedCount_ = 0;
}

void ThinLines::growTouched(size_t least) {
  touched_.resize(std::max({least, size_t{4096}, 2 * touched_.size()}));
}

}  // namespace heart
