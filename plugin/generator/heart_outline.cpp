#include "plugin/generator/heart_outline.h"

#include "plugin/suites/random_draws.h"

namespace {

AIPathSegment segmentAt(AIRealPoint anchor, AIRealPoint in, AIRealPoint out) {
  AIPathSegment segment{};
  segment.p = anchor;
  segment.in = in;
  segment.out = out;
  segment.corner = false;
  return segment;
}

// The notch stands at the heart's height from the tip in the notch
// direction; a direction of exactly 0 means straight above the tip.
AIRealPoint notchPoint(const OutlineValues& outline, AIRealPoint base) {
  if (outline.notchDirection == 0.0f) return AIRealPoint{base.h, base.v + outline.height};
  const AIRealMathSuite& math = *sAIRealMath;
  return AIRealPoint{base.h + outline.height * math.AIRealCos(outline.notchDirection),
                     base.v + outline.height * math.AIRealSin(outline.notchDirection)};
}

}  // namespace

ASErr newHeartPath(AIArtHandle* path) {
  if (ASErr error = sAIArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, path)) return error;
  sAIPath->SetPathSegmentCount(*path, 0);
  return kNoErr;
}

AnchorChoice chooseAnchors(const OutlineValues& outline) {
  AnchorChoice choice{};
  for (bool& build : choice.build) {
    build = outline.randomCreatePoints ? drawReal() * 10.0f <= 5.0f : true;
  }
  return choice;
}

void computeOutlineSegments(const OutlineValues& outline, AIRealPoint base,
                            AIPathSegment segments[kOutlineAnchorCount]) {
  const AIRealMathSuite& math = *sAIRealMath;
  const AIReal* o = outline.handleOffsets;
  const AIRealPoint notch = notchPoint(outline, base);
  const AIReal x = base.h;
  const AIReal y = base.v;

  segments[0] = segmentAt(base, AIRealPoint{x + o[0], y + o[1]}, AIRealPoint{x + o[2], y + o[3]});

  const AIReal cosRight = math.AIRealCos(outline.angleRight);
  const AIReal sinRight = math.AIRealSin(outline.angleRight);
  const AIRealPoint right{notch.h + outline.distanceRight, notch.v + outline.heightRight};
  segments[1] = segmentAt(right,
                          AIRealPoint{right.h + outline.lengthRight2 * cosRight + o[10],
                                      right.v - outline.lengthRight2 * sinRight + o[11]},
                          AIRealPoint{right.h - outline.lengthRight1 * cosRight + o[8],
                                      right.v + outline.lengthRight1 * sinRight + o[9]});

  segments[2] = segmentAt(notch, AIRealPoint{notch.h + o[4], notch.v + o[5]},
                          AIRealPoint{notch.h + o[6], notch.v + o[7]});

  const AIReal cosLeft = math.AIRealCos(outline.angleLeft);
  const AIReal sinLeft = math.AIRealSin(outline.angleLeft);
  const AIRealPoint left{notch.h + outline.distanceLeft, notch.v + outline.heightLeft};
  segments[3] = segmentAt(left,
                          AIRealPoint{left.h - outline.lengthLeft2 * cosLeft + o[14],
                                      left.v + outline.lengthLeft2 * sinLeft + o[15]},
                          AIRealPoint{left.h + outline.lengthLeft1 * cosLeft + o[12],
                                      left.v - outline.lengthLeft1 * sinLeft + o[13]});
}

ASErr buildOutline(AIArtHandle path, const WorkingValues& values, const AnchorChoice& choice) {
  AIPathSegment segments[kOutlineAnchorCount];
  AIRealPoint base = values.basePoint;
  computeOutlineSegments(values.outline, base, segments);

  ASInt16 index = 0;
  for (int k = 0; k < kOutlineAnchorCount; ++k) {
    if (!choice.build[k]) continue;
    AIPathSegment segment = segments[k];
    AIRealPoint pulled;
    sAIRealMath->AIRealPointInterpolate(&base, &segment.p, values.interpolation, &pulled);
    segment.p = pulled;
    if (ASErr error = sAIPath->SetPathSegments(path, index, 1, &segment)) return error;
    ++index;
  }
  return sAIPath->SetPathClosed(path, true);
}
