#include "plugin/generator/placement.h"

#include "plugin/suites/random_draws.h"

namespace {

AIRealPoint anyCorner(AIReal width, AIReal height) {
  const AIReal u = drawReal() * 20.0f;
  if (u < 5.0f) return AIRealPoint{0.0f, 0.0f};
  if (u < 10.0f) return AIRealPoint{width, 0.0f};
  if (u < 15.0f) return AIRealPoint{0.0f, height};
  return AIRealPoint{width, height};
}

// A point on the page's edge: first which pair of edges, then which of the
// two, then where along it.
AIRealPoint onFrame(AIReal width, AIReal height) {
  const AIReal u = drawReal() * 20.0f;
  const AIReal v = drawReal() * 20.0f;
  AIRealPoint point;
  if (u <= 10.0f) {
    point.v = v <= 10.0f ? height : 0.0f;
    point.h = drawReal() * width;
  } else {
    point.h = v <= 10.0f ? width : 0.0f;
    point.v = drawReal() * height;
  }
  return point;
}

}  // namespace

void placeHeart(int32_t placementMode, WorkingValues* values) {
  const AIReal width = values->run.pageWidth;
  const AIReal height = values->run.pageHeight;
  AIRealPoint& base = values->basePoint;
  switch (placementMode) {
    case kPlaceAtUserCentre:
      base = values->userBasePoint;
      break;
    case kPlaceAtPageCentre:
      base = AIRealPoint{width * 0.5f, height * 0.5f};
      break;
    case kPlaceAnywhere:
      base.h = drawReal() * width;
      base.v = drawReal() * height;
      break;
    case kPlaceAtBottomLeft:
      base = AIRealPoint{0.0f, 0.0f};
      break;
    case kPlaceRandomHorizontally:
      base = AIRealPoint{drawReal() * width, values->userBasePoint.v};
      break;
    case kPlaceRandomVertically:
      base = AIRealPoint{values->userBasePoint.h, drawReal() * height};
      break;
    case kPlaceAtAnyCorner:
      base = anyCorner(width, height);
      break;
    case kPlaceAsFrame:
      base = onFrame(width, height);
      break;
    default:
      break;
  }
}
