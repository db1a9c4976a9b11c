#include "document/envelope_warp.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace heart {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The deformation of a style in the bounds' own coordinates: u across, v up.
void deform(int16_t style, double b, double& u, double& v) {
  const double across = 1.0 - u * u;  // 1 in the middle, 0 at the side edges
  switch (style) {
    case kWarpArc:
      v += b * across;
      break;
    case kWarpArcLower:
      v -= b * across * (1.0 - v) * 0.5;
      break;
    case kWarpArcUpper:
      v += b * across * (1.0 + v) * 0.5;
      break;
    case kWarpArch:
      v += b * (1.0 - std::fabs(u));
      break;
    case kWarpBulge:
      v *= 1.0 + b * across;
      break;
    case kWarpShellLower:
      v -= b * across * (1.0 - v) * 0.5;
      u *= 1.0 - 0.25 * b * (1.0 - v);
      break;
    case kWarpShellUpper:
      v += b * across * (1.0 + v) * 0.5;
      u *= 1.0 - 0.25 * b * (1.0 + v);
      break;
    case kWarpFlag:
      v += 0.5 * b * std::sin(kPi * u);
      break;
    case kWarpWave:
      v += 0.35 * b * std::sin(2.0 * kPi * u) * (0.5 + 0.5 * v);
      break;
    case kWarpFish:
      v *= 1.0 + b * (0.5 * across - 0.25 * (u + 1.0));
      break;
    case kWarpRise:
      v += 0.5 * b * u;
      break;
    case kWarpFisheye: {
      double r2 = u * u + v * v;
      if (r2 < 1.0) {
        double s = 1.0 + 0.5 * b * (1.0 - r2);
        u *= s;
        v *= s;
      }
      break;
    }
    case kWarpInflate: {
      double su = 1.0 + 0.5 * b * (1.0 - v * v);
      double sv = 1.0 + 0.5 * b * across;
      u *= su;
      v *= sv;
      break;
    }
    case kWarpSqueeze: {
      double su = 1.0 - 0.5 * b * (1.0 - v * v);
      double sv = 1.0 + 0.5 * b * across;
      u *= su;
      v *= sv;
      break;
    }
    case kWarpTwist: {
      double r = std::sqrt(u * u + v * v) / std::sqrt(2.0);
      double angle = b * kPi * 0.5 * std::max(0.0, 1.0 - r);
      double c = std::cos(angle), s = std::sin(angle);
      double nu = u * c - v * s;
      v = u * s + v * c;
      u = nu;
      break;
    }
    default:
      break;
  }
}

AIRealPoint midpoint(AIRealPoint a, AIRealPoint b) {
  return AIRealPoint{(a.h + b.h) * 0.5f, (a.v + b.v) * 0.5f};
}

}  // namespace

const char* warpStyleName(int16_t style) {
  static const char* const kNames[] = {
      "None", "Arc",  "Arc Lower", "Arc Upper", "Arch",    "Bulge",   "Shell Lower", "Shell Upper",
      "Flag", "Wave", "Fish",      "Rise",      "Fisheye", "Inflate", "Squeeze",     "Twist"};
  if (style < 0 || style > kLastWarpStyle) return kNames[0];
  return kNames[style];
}

AIRealPoint warpPoint(const EnvelopeWarp& warp, const AIRealRect& bounds, AIRealPoint p) {
  if (warp.style < 1 || warp.style > kLastWarpStyle) return p;
  double cx = (static_cast<double>(bounds.left) + bounds.right) * 0.5;
  double cy = (static_cast<double>(bounds.bottom) + bounds.top) * 0.5;
  double hw = (static_cast<double>(bounds.right) - bounds.left) * 0.5;
  double hh = (static_cast<double>(bounds.top) - bounds.bottom) * 0.5;
  double u = hw > 0 ? (p.h - cx) / hw : 0.0;
  double v = hh > 0 ? (p.v - cy) / hh : 0.0;
  if (warp.vertical) std::swap(u, v);
  deform(warp.style, warp.bend, u, v);
  if (warp.vertical) std::swap(u, v);
  // Perspective-like distortions: the height grows toward one side, the width
  // toward the top or the bottom.
  double nv = v * (1.0 + 0.5 * warp.horizontalDistortion * u);
  double nu = u * (1.0 + 0.5 * warp.verticalDistortion * v);
  return AIRealPoint{static_cast<AIReal>(cx + nu * hw), static_cast<AIReal>(cy + nv * hh)};
}

void warpOutline(const EnvelopeWarp& warp, const AIRealRect& bounds, const AIPathSegment* segments,
                 int32_t count, bool closed, SegmentList& out) {
  if (count <= 1) {
    out.assign(segments, std::max(count, 0));
  } else {
    // Anchor i goes to position 2i, the middle of the curve leaving it to 2i + 1.
    int32_t curves = closed ? count : count - 1;
    out.resize(count + curves);
    for (int32_t i = 0; i < count; ++i) out[2 * i] = segments[i];
    for (int32_t i = 0; i < curves; ++i) {
      const AIPathSegment& from = segments[i];
      int32_t next = (i + 1) % count;
      const AIPathSegment& to = segments[next];
      AIRealPoint m01 = midpoint(from.p, from.out);
      AIRealPoint m12 = midpoint(from.out, to.in);
      AIRealPoint m23 = midpoint(to.in, to.p);
      AIRealPoint m012 = midpoint(m01, m12);
      AIRealPoint m123 = midpoint(m12, m23);
      AIRealPoint mid = midpoint(m012, m123);
      out[2 * i].out = m01;
      out[2 * i + 1] = AIPathSegment{mid, m012, m123, false};
      out[2 * next].in = m23;
    }
  }
  for (AIPathSegment& s : out) {
    s.p = warpPoint(warp, bounds, s.p);
    s.in = warpPoint(warp, bounds, s.in);
    s.out = warpPoint(warp, bounds, s.out);
  }
}

}  // namespace heart
