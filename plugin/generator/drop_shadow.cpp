#include "plugin/generator/drop_shadow.h"

#include "plugin/generator/colour_rules.h"
#include "plugin/generator/mirror_copies.h"
#include "plugin/generator/transform_about.h"
#include "plugin/suites/random_draws.h"

namespace {

ASInt16 kindOfModel(ASInt16 colourModel) {
  switch (colourModel) {
    case kDocGrayColor:
      return kGrayColor;
    case kDocRGBColor:
      return kThreeColor;
    case kDocCMYKColor:
      return kFourColor;
    default:
      return -1;
  }
}

// Squashes the shadow vertically to `factor` of its height, keeping its
// bottom edge and its width.
ASErr squashShadow(AIArtHandle shadow, AIReal factor) {
  AIRealRect bounds{};
  if (ASErr error = sAIArt->GetArtBounds(shadow, &bounds)) return error;
  const AIRealPoint anchor{boundsCentre(bounds).h, bounds.bottom};
  return scaleAbout(shadow, anchor, 1.0f, factor);
}

}  // namespace

void shadowFill(ASInt16 colourModel, bool halfFill, AIColor* fill) {
  const ASInt16 kind = kindOfModel(colourModel);
  if (kind < 0) return;
  fill->kind = kind;
  if (halfFill) {
    scaleColour(fill, 0.5f);
  } else {
    // Black in every model. Gray ink 1 is black; gray 0 would be a white
    // shadow, unlike the black RGB and CMYK shadows.
    makeBlack(fill);
  }
}

ASErr addDropShadow(AIArtHandle heart, const ParameterRecord& record, const RunValues& run,
                    AIPathStyle* style) {
  AIArtHandle shadow = nullptr;
  if (ASErr error = sAIArt->DuplicateArt(heart, kPlaceBelow, heart, &shadow)) return error;

  sAIPathStyle->GetPathStyle(heart, style);
  ASInt16 colourModel = -1;
  sAIDocument->GetDocumentColorModel(&colourModel);
  shadowFill(colourModel, record.halfFillShadow != 0, &style->fillColor);
  sAIPathStyle->SetPathStyle(shadow, style);

  AIReal dx = 20.0f;
  AIReal dy = -20.0f;
  if (record.randomShadowDirection) {
    AIReal coin = drawCoin();
    dx = drawReal() * coin * 20.0f;
    coin = drawCoin();
    dy = drawReal() * coin * -20.0f;
  }
  if (record.randomShadowOpacity) sAIBlendStyle->SetOpacity(shadow, drawReal());
  if (ASErr error = translateArt(shadow, dx, dy)) return error;

  if (record.randomShadowScaling) {
    if (ASErr error = squashShadow(shadow, drawReal())) return error;
  }
  if (record.basicPattern) return addMirrorCopies(shadow, run);
  return kNoErr;
}
