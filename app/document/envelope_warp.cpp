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
    case kWarpArch: {
      double c = std::cos(0.5 * kPi * u);  // a bell rather than an arc's parabola
      v += b * c * c;
      break;
    }
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

}  // namespace

const char* warpStyleName(int16_t style) {
  static const char* const kNames[] = {
      "None", "Arc",  "Arc Lower", "Arc Upper", "Arch",    "Bulge",   "Shell Lower", "Shell Upper",
      "Flag", "Wave", "Fish",      "Rise",      "Fisheye", "Inflate", "Squeeze",     "Twist"};
  if (style < 0 || style > kLastWarpStyle) return kNames[0];
  return kNames[style];
}

namespace {

// The bounds as a frame: centre, half sizes and their inverses.
struct WarpFrame {
  explicit WarpFrame(const AIRealRect& bounds)
      : cx((static_cast<double>(bounds.left) + bounds.right) * 0.5),
        cy((static_cast<double>(bounds.bottom) + bounds.top) * 0.5),
        hw((static_cast<double>(bounds.right) - bounds.left) * 0.5),
        hh((static_cast<double>(bounds.top) - bounds.bottom) * 0.5),
        inverseW(hw > 0 ? 1.0 / hw : 0.0),
        inverseH(hh > 0 ? 1.0 / hh : 0.0) {}
  double cx, cy, hw, hh, inverseW, inverseH;
};

AIRealPoint warpInFrame(const EnvelopeWarp& warp, const WarpFrame& frame, AIRealPoint p) {
  double u = (p.h - frame.cx) * frame.inverseW;
  double v = (p.v - frame.cy) * frame.inverseH;
  if (warp.vertical) std::swap(u, v);
  deform(warp.style, warp.bend, u, v);
  if (warp.vertical) std::swap(u, v);
  // Perspective-like distortions: the height grows toward one side, the width
  // toward the top or the bottom.
  double nv = v * (1.0 + 0.5 * warp.horizontalDistortion * u);
  double nu = u * (1.0 + 0.5 * warp.verticalDistortion * v);
  return AIRealPoint{static_cast<AIReal>(frame.cx + nu * frame.hw),
                     static_cast<AIReal>(frame.cy + nv * frame.hh)};
}

bool warps(const EnvelopeWarp& warp) { return warp.style >= 1 && warp.style <= kLastWarpStyle; }

}  // namespace

AIRealPoint warpPoint(const EnvelopeWarp& warp, const AIRealRect& bounds, AIRealPoint p) {
  if (!warps(warp)) return p;
  return warpInFrame(warp, WarpFrame(bounds), p);
}

void warpOutline(const EnvelopeWarp& warp, const AIRealRect& bounds, const AIPathSegment* segments,
                 int32_t count, SegmentList& out) {
  out.assign(segments, std::max(count, 0));
  if (!warps(warp)) return;
  WarpFrame frame(bounds);
  for (AIPathSegment& s : out) {
    s.p = warpInFrame(warp, frame, s.p);
    s.in = warpInFrame(warp, frame, s.in);
    s.out = warpInFrame(warp, frame, s.out);
  }
}

}  // namespace heart
