#include "plugin/generator/random_warp.h"

#include "plugin/suites/random_draws.h"

namespace {

// Style 1 to 15; draws that land past 15 fall back to style 1, which so
// comes up four times as often as any other.
ASInt16 drawWarpStyle() {
  int style = static_cast<int>(drawReal() * 18.0f);
  if (style > 15 || style < 1) style = 1;
  return static_cast<ASInt16>(style);
}

AIReal drawSignedAmount() {
  const AIReal coin = drawCoin();
  return drawReal() * coin;
}

}  // namespace

ASErr randomlyWarpHeart(AIArtHandle path, AIRealPoint basePoint) {
  AIArtHandle shape = nullptr;
  sAIShapeConstruction->NewRect(basePoint.h, basePoint.v, 200.0f, 200.0f, false, &shape);
  AIEnvelopeOptions options{0, 50};
  AIArtHandle envelope = nullptr;
  AIArtHandle arts[1] = {path};
  if (ASErr error = sAIEnvelope->MakeEnvelope(arts, 1, shape, &options, &envelope)) return error;

  const ASInt16 style = drawWarpStyle();
  const AIReal bend = drawSignedAmount();
  const AIReal horizontal = drawSignedAmount();
  const AIReal vertical = drawSignedAmount();
  const bool verticalOrientation = drawReal() > 0.5f;
  sAIEnvelope->SetEnvelopeWarp(envelope, style, bend, horizontal, vertical, verticalOrientation);
  return kNoErr;
}
