#include "plugin/generator/colour_rules.h"

#include "plugin/suites/random_draws.h"

namespace {

bool isProcessOrRgb(const AIColor& colour) {
  return colour.kind == kFourColor || colour.kind == kThreeColor;
}

// How many leading components the random and jitter rules touch.
int variedComponents(const AIColor& colour) {
  if (colour.kind == kGrayColor) return 1;
  if (isProcessOrRgb(colour)) return 3;
  return 0;
}

AIReal clampUnit(AIReal value) {
  if (value < 0.0f) value = 0.0f;
  if (value > 1.0f) value = 1.0f;
  return value;
}

}  // namespace

void randomiseColour(AIColor* colour) {
  const int count = variedComponents(*colour);
  for (int k = 0; k < count; ++k) colour->c[k] = drawReal();
}

void randomiseStrokeColour(AIColor* colour) {
  randomiseColour(colour);
  if (colour->kind == kFourColor) colour->c[3] = 0.0f;
}

void jitterColour(AIColor* colour) {
  const int count = variedComponents(*colour);
  for (int k = 0; k < count; ++k) {
    const AIReal size = drawReal() * 0.1f;
    colour->c[k] += size * drawJitterSign();
  }
  for (int k = 0; k < count; ++k) colour->c[k] = clampUnit(colour->c[k]);
}

namespace {

// Full ink (1) or none (0) in the colour's own model: every ink of a CMYK
// colour (rich black), the three lights of RGB the other way round, the one
// ink of gray. Other kinds stay as they are.
void setInk(AIColor* colour, AIReal ink) {
  switch (colour->kind) {
    case kFourColor:
      for (AIReal& each : colour->c) each = ink;
      break;
    case kThreeColor:
      for (int k = 0; k < 3; ++k) colour->c[k] = 1.0f - ink;
      break;
    case kGrayColor:
      colour->c[0] = ink;
      break;
    default:
      break;
  }
}

}  // namespace

void makeBlack(AIColor* colour) { setInk(colour, 1.0f); }

void makeWhite(AIColor* colour) { setInk(colour, 0.0f); }

void scaleColour(AIColor* colour, AIReal factor) {
  int count = 0;
  if (colour->kind == kFourColor) count = 4;
  if (colour->kind == kThreeColor) count = 3;
  if (colour->kind == kGrayColor) count = 1;
  for (int k = 0; k < count; ++k) colour->c[k] *= factor;
}

void takeRandomSwatchColour(ASInt32 swatchCount, AIColor* colour) {
  const ASInt32 n = swatchCount;
  ASInt32 index = static_cast<ASInt32>(drawReal() * static_cast<AIReal>(n)) + 1;
  if (index > n) index = n;
  if (index < 0) index = 0;
  if (index == 1 || index == 0) index = 2;
  AISwatchRef swatch = sAISwatchList->GetNthSwatch(nullptr, index);
  sAISwatchList->GetAIColor(swatch, colour);
}
