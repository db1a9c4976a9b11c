#include "render/thin_lines.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

namespace heart {

namespace {

// value kept within [low, high], as std::clamp keeps it but compiled to a
// minimum and a maximum rather than branches.
inline double clampedTo(double value, double low, double high) {
  return std::min(std::max(value, low), high);
}

// max(value, 0) without a branch (which compilers make of a maximum with a
// constant 0): whether a pixel's share is cut to nothing is as good as
// random. A value whose sign bit is set becomes +0.
template <class Real, class Bits>
inline Real positivePartOf(Real value) {
  const Bits bits = std::bit_cast<Bits>(value);
  const Bits negative = static_cast<Bits>(-static_cast<Bits>(bits >> (sizeof(Bits) * 8 - 1)));
  return std::bit_cast<Real>(static_cast<Bits>(bits & ~negative));
}
inline double positivePart(double value) { return positivePartOf<double, uint64_t>(value); }
inline float positivePart(float value) { return positivePartOf<float, uint32_t>(value); }

// floor(value) kept within [low, high] (whole numbers), as one clamp and a
// truncation: the clamp first, so that the truncation stays within int and
// floors by correcting what it rounded up.
int floorWithin(double value, int low, int high) {
  const double within = clampedTo(value, low, high);
  const int truncated = static_cast<int>(within);
  return truncated - (within < truncated);
}

int ceilWithin(double value, int low, int high) { return -floorWithin(-value, -high, -low); }

// A capsule shorter than this is drawn as a dot at its middle: the ink the
// dot leaves out, its width times this, is a twentieth of a pixel's at most
// for the widths drawn as thin lines.
constexpr double kDotLength = 0.025;

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
  addStrip(ax, ay, bx, by, halfWidth, freeStart, freeEnd, nullptr);
}

void ThinLines::addDashedSegment(double ax, double ay, double bx, double by, double halfWidth,
                                 const DashPattern& pattern) {
  if (!(pattern.dash > 0) || !(pattern.period >= pattern.dash) ||
      !std::isfinite(pattern.period + pattern.offset))
    return;
  addStrip(ax, ay, bx, by, halfWidth, false, false, &pattern);
}

void ThinLines::addStrip(double ax, double ay, double bx, double by, double halfWidth,
                         bool freeStart, bool freeEnd, const DashPattern* pattern) {
  if (!(halfWidth > 0) || !std::isfinite(ax + ay + bx + by + halfWidth)) return;
  // Walked along its longer axis ("along"), one pixel column or row at a
  // time, the strip crossing it ("across") is 2 * halfWidth / cos(slope)
  // thick; each pixel takes the share of its side that the strip covers.
  const bool steep = std::fabs(by - ay) > std::fabs(bx - ax);
  if (steep) {
    std::swap(ax, ay);
    std::swap(bx, by);
  }
  // Where the segment starts, along, before it is turned to run forwards:
  // a dash pattern is laid from there.
  const double startAlong = ax;
  if (ax > bx) {
    std::swap(ax, bx);
    std::swap(ay, by);
    std::swap(freeStart, freeEnd);
  }
  if (!(bx > ax)) return;
  const double slope = (by - ay) / (bx - ax);
  const double stretch = std::sqrt(1 + slope * slope);  // length along the line a column spans
  const double half = halfWidth * stretch;
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
  // A dashed strip: each column also takes the share of its length along
  // the line that the dashes cover, the pattern's place at a column edge x
  // being offset plus stretch times how far x lies from startAlong in the
  // segment's direction (a place before the line's start, half a column
  // behind its first segment, holds no dash). dashedTo(place) is how much
  // of the line up to there the dashes cover.
  const double dash = pattern ? pattern->dash : 0, period = pattern ? pattern->period : 1;
  const double inversePeriod = 1 / period, offset = pattern ? pattern->offset : 0;
  const double placeStep = startAlong == ax ? stretch : -stretch;
  const double inverseStretch = 1 / stretch;
  const auto dashedTo = [&](double place) {
    place = positivePart(place);
    const double periods = static_cast<double>(static_cast<int64_t>(place * inversePeriod));
    return periods * dash + std::min(place - periods * period, dash);
  };
  double edgeDashed = pattern ? dashedTo(offset + (first - startAlong) * placeStep) : 0;
  // A pixel's place in the coverage: the column's own, and the step from
  // one pixel across to the next.
  const size_t alongStep = steep ? static_cast<size_t>(rowWords_) : 1;
  const size_t acrossStep = steep ? 1 : static_cast<size_t>(rowWords_);
  // A column's pixels: at most the strip's thickness, 2 * half, and one,
  // and no more than the clip's.
  const double columnPixels = std::min(2 * half + 2, static_cast<double>(acrossTo - acrossFrom));
  makeRoom(static_cast<size_t>(last - first) * static_cast<size_t>(columnPixels));
  Pen pen = this->pen();
  for (int along = first; along < last; ++along) {
    // At most 1: a column is one pixel long.
    double spanned =
        positivePart(std::min<double>(along + 1, spanTo) - std::max<double>(along, spanFrom));
    if (pattern) {
      const double nextDashed = dashedTo(offset + (along + 1 - startAlong) * placeStep);
      spanned *= std::fabs(nextDashed - edgeDashed) * inverseStretch;
      edgeDashed = nextDashed;
    }
    const double centre = ay + (along + 0.5 - ax) * slope;
    const double low = centre - half, high = centre + half;
    const int from = floorWithin(low, acrossFrom, acrossTo);
    const int to = floorWithin(high, acrossFrom - 1, acrossTo - 1) + 1;
    const size_t column = static_cast<size_t>(along) * alongStep;
    for (int across = from; across < to; ++across) {
      // Within 0 to 1: the pixel's side lies in [across, across + 1] and
      // meets the strip.
      const double covered = std::min<double>(across + 1, high) - std::max<double>(across, low);
      const int level = static_cast<int>(covered * spanned * 255 + 0.5);
      pen.cover(column + static_cast<size_t>(across) * acrossStep, level);
    }
  }
  touchedCount_ = pen.count;
}

[[gnu::always_inline]] inline bool ThinLines::pixelsNear(double ax, double ay, double bx, double by,
                                                         double reach, int* left, int* top,
                                                         int* right, int* bottom) {
  *left = floorWithin(std::min(ax, bx) - reach, clipLeft_, clipRight_);
  *right = ceilWithin(std::max(ax, bx) + reach, clipLeft_, clipRight_);
  *top = floorWithin(std::min(ay, by) - reach, clipTop_, clipBottom_);
  *bottom = ceilWithin(std::max(ay, by) + reach, clipTop_, clipBottom_);
  if (*left >= *right || *top >= *bottom) return false;
  if (coverage_.empty()) coverage_.assign(static_cast<size_t>(rowWords_) * height_, 0);
  makeRoom(static_cast<size_t>(*right - *left) * static_cast<size_t>(*bottom - *top));
  return true;
}

void ThinLines::addCapsule(double ax, double ay, double bx, double by, double halfWidth) {
  if (!(halfWidth > 0) || !std::isfinite(ax + ay + bx + by + halfWidth)) return;
  int left, top, right, bottom;
  if (!pixelsNear(ax, ay, bx, by, halfWidth, &left, &top, &right, &bottom)) return;
  // Points are seen in the capsule's own frame: u along the segment from a
  // (0 to length), v across it. A dot has only a, and any frame.
  const double dx = bx - ax, dy = by - ay, length = std::sqrt(dx * dx + dy * dy);
  if (length <= kDotLength && right - left <= kMostDotColumns) {
    addDot((ax + bx) / 2, (ay + by) / 2, halfWidth, left, top, right, bottom);
    return;
  }
  const double ux = length > 1e-6 ? dx / length : 1, uy = length > 1e-6 ? dy / length : 0;
  const float reach = static_cast<float>(length), r2 = static_cast<float>(halfWidth * halfWidth);
  // Squared distances from the segment. A pixel's samples lie within 0.5304
  // of its centre (the farthest at 0.375 across and down), so one whose
  // centre is nearer or further by 0.54 has all its samples inside or none,
  // and needs no sampling.
  constexpr double kSampleReach = 0.54;
  const float inner =
      halfWidth > kSampleReach
          ? static_cast<float>((halfWidth - kSampleReach) * (halfWidth - kSampleReach))
          : -1;
  const float outer = static_cast<float>((halfWidth + kSampleReach) * (halfWidth + kSampleReach));
  const auto distance2 = [reach](float u, float v) {
    const float beyond = positivePart(u - reach) - positivePart(-u);
    return beyond * beyond + v * v;
  };
  // The 16 samples, a 4 x 4 grid a quarter of a pixel apart about the
  // pixel's centre, as offsets in the capsule's frame.
  float sampleU[16], sampleV[16];
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) {
      const double ox = (sx - 1.5) / 4, oy = (sy - 1.5) / 4;
      sampleU[sy * 4 + sx] = static_cast<float>(ox * ux + oy * uy);
      sampleV[sy * 4 + sx] = static_cast<float>(oy * ux - ox * uy);
    }
  const float stepU = static_cast<float>(ux), stepV = static_cast<float>(-uy);
  Pen pen = this->pen();
  for (int row = top; row < bottom; ++row) {
    const double cx = left + 0.5 - ax, cy = row + 0.5 - ay;
    float u = static_cast<float>(cx * ux + cy * uy), v = static_cast<float>(cy * ux - cx * uy);
    size_t at = static_cast<size_t>(row) * rowWords_ + left;
    for (int column = left; column < right; ++column, ++at, u += stepU, v += stepV) {
      const float centre = distance2(u, v);
      if (centre >= outer) continue;
      if (centre <= inner) {
        pen.cover(at, 255);
        continue;
      }
      int inside = 0;
      for (int s = 0; s < 16; ++s) inside += distance2(u + sampleU[s], v + sampleV[s]) <= r2;
      pen.cover(at, (inside * 255 + 8) / 16);
    }
  }
  touchedCount_ = pen.count;
}

void ThinLines::addDot(double cx, double cy, double radius, int left, int top, int right,
                       int bottom) {
  // Each pixel column is cut into kDotStrips strips, and the disc covers
  // each from its centre less to its centre plus its half height at the
  // strip's middle: a pixel's coverage is the mean, over its strips, of the
  // share of its height within that. Heights are taken from the box's top.
  float low[kMostDotColumns][kDotStrips], high[kMostDotColumns][kDotStrips];
  const float centre = static_cast<float>(cy - top), r2 = static_cast<float>(radius * radius);
  const float first = static_cast<float>(left - cx);
  for (int column = 0; column < right - left; ++column)
    for (int strip = 0; strip < kDotStrips; ++strip) {
      const float x = first + static_cast<float>(column) + (strip + 0.5f) / kDotStrips;
      const float half = std::sqrt(positivePart(r2 - x * x));
      low[column][strip] = centre - half;
      high[column][strip] = centre + half;
    }
  Pen pen = this->pen();
  for (int row = top; row < bottom; ++row) {
    const float from = static_cast<float>(row - top), to = from + 1;
    size_t at = static_cast<size_t>(row) * rowWords_ + left;
    for (int column = 0; column < right - left; ++column, ++at) {
      float covered = 0;
      for (int strip = 0; strip < kDotStrips; ++strip)
        covered +=
            positivePart(std::min(to, high[column][strip]) - std::max(from, low[column][strip]));
      pen.cover(at, static_cast<int>(covered * (255.0f / kDotStrips) + 0.5f));
    }
  }
  touchedCount_ = pen.count;
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
  // In locals, as a piece's Pen holds them.
  uint8_t* const coverage = coverage_.data();
  const uint32_t* const touched = touched_.data();
  uint32_t* const pixels = reinterpret_cast<uint32_t*>(pixels_);
  for (size_t i = 0, count = touchedCount_; i < count; ++i) {
    const uint32_t at = touched[i];
    const uint32_t covered = coverage[at];
    const uint32_t c = alpha == 255 ? covered : (covered * alpha + 127) / 255;
    coverage[at] = 0;
    uint32_t* pixel = pixels + at;
    const uint32_t under = *pixel;
    *pixel = blend(under >> 8, inkAlphaGreen, c) << 8 | blend(under, inkRedBlue, c);
  }
  touchedCount_ = 0;
}

void ThinLines::growTouched(size_t least) {
  touched_.resize(std::max({least, size_t{4096}, 2 * touched_.size()}));
}

}  // namespace heart
