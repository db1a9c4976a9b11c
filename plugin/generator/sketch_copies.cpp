#include "plugin/generator/sketch_copies.h"

#include "plugin/generator/colour_rules.h"
#include "plugin/generator/mirror_copies.h"
#include "plugin/suites/random_draws.h"

namespace {

// The jitter of one coordinate: a sign and a size when every coordinate is
// shifted on its own, 1 (no draws) when the copy moves rigidly.
AIReal coordinateFactor(bool jittered) {
  if (!jittered) return 1.0f;
  const AIReal sign = drawCoin();
  return sign * drawReal();
}

// Moves every segment of the copy by (sx, sy), each coordinate scaled by its
// own factor, and remembers the deltas of the last segment moved.
ASErr shiftSegments(AIArtHandle copy, AIReal sx, AIReal sy, bool jittered,
                    SketchShiftDeltas* deltas) {
  ASInt16 count = 0;
  if (ASErr error = sAIPath->GetPathSegmentCount(copy, &count)) return error;
  for (ASInt16 i = 0; i < count; ++i) {
    AIPathSegment segment{};
    if (ASErr error = sAIPath->GetPathSegments(copy, i, 1, &segment)) return error;
    segment.p.h += coordinateFactor(jittered) * sx;
    const AIReal anchorY = coordinateFactor(jittered) * sy;
    segment.p.v += anchorY;
    const AIReal inX = coordinateFactor(jittered) * sx;
    segment.in.h += inX;
    segment.in.v += coordinateFactor(jittered) * sy;
    segment.out.h += coordinateFactor(jittered) * sx;
    const AIReal outY = coordinateFactor(jittered) * sy;
    segment.out.v += outY;
    if (ASErr error = sAIPath->SetPathSegments(copy, i, 1, &segment)) return error;
    *deltas = SketchShiftDeltas{anchorY, inX, outY};
  }
  return kNoErr;
}

void colourFromShift(const SketchShiftDeltas& deltas, AIReal shift, AIColor* colour) {
  const AIRealMathSuite& math = *sAIRealMath;
  if (shift == 0.0f) {
    makeBlack(colour);
  } else if (colour->kind == kFourColor || colour->kind == kThreeColor) {
    colour->c[0] = math.AIRealDiv(deltas.outY, shift);
    colour->c[1] = math.AIRealDiv(deltas.anchorY, shift);
    colour->c[2] = math.AIRealDiv(deltas.inX, shift);
  } else if (colour->kind == kGrayColor) {
    colour->c[0] = math.AIRealDiv(deltas.outY, shift);
  }
}

void applySketchColour(AIArtHandle copy, const ParameterRecord& record, const RunValues& run,
                       const SketchShiftDeltas& deltas, AIColor* stroke) {
  switch (record.sketchColorMode) {
    case kSketchBlack:
      makeBlack(stroke);
      break;
    case kSketchSameColour:
      break;
    case kSketchRandomColour:
      randomiseColour(stroke);
      break;
    case kSketchRandomSwatch:
      takeRandomSwatchColour(run.swatchCount, stroke);
      break;
    case kSketchReduced:
      scaleColour(stroke, 0.8f);
      break;
    case kSketchRandomReduced:
      if (drawReal() > 0.5f) scaleColour(stroke, 0.8f);
      break;
    case kSketchRandomBlackOrColour:
      if (drawReal() > 0.5f) {
        makeBlack(stroke);
      } else {
        randomiseColour(stroke);
      }
      break;
    case kSketchColourFromShift:
      colourFromShift(deltas, record.sketchShift, stroke);
      break;
    case kSketchBlackRandomOpacity:
      sAIBlendStyle->SetOpacity(copy, drawReal());
      makeBlack(stroke);
      break;
    case kSketchRandomColourRandomOpacity:
      sAIBlendStyle->SetOpacity(copy, drawReal());
      randomiseColour(stroke);
      break;
    case kSketchReducingOpacity:
      sAIBlendStyle->SetOpacity(copy, sAIBlendStyle->GetOpacity(copy) * 0.8f);
      break;
    case kSketchWhiteRandomOpacity:
      sAIBlendStyle->SetOpacity(copy, drawReal());
      makeWhite(stroke);
      break;
    default:
      break;
  }
}

ASErr addSketchCopy(AIArtHandle heart, const ParameterRecord& record, const WorkingValues& values,
                    SketchShiftDeltas* deltas, AIPathStyle* style) {
  AIArtHandle copy = nullptr;
  if (ASErr error = sAIArt->DuplicateArt(heart, kPlaceAboveAll, heart, &copy)) return error;

  AIReal coin = drawCoin();
  const AIReal sx = drawReal() * record.sketchShift * coin;
  coin = drawCoin();
  const AIReal sy = drawReal() * record.sketchShift * coin;
  if (sx != 0.0f || sy != 0.0f) {
    if (ASErr error = shiftSegments(copy, sx, sy, record.randomSketchShift != 0, deltas)) {
      return error;
    }
  }

  sAIPathStyle->GetPathStyle(copy, style);
  style->strokePaint = true;
  applySketchColour(copy, record, values.run, *deltas, &style->strokeColor);
  style->fillPaint = false;
  style->strokeWidth =
      record.randomSketchWeight ? drawReal() * values.sketchStrokeWidth : values.sketchStrokeWidth;
  sAIPathStyle->SetPathStyle(copy, style);

  if (record.basicPattern) return addMirrorCopies(copy, values.run);
  return kNoErr;
}

}  // namespace

ASErr addSketchCopies(AIArtHandle heart, const ParameterRecord& record, const WorkingValues& values,
                      AIPathStyle* style) {
  // A copy that was not shifted takes the previous copy's deltas; the first
  // copies of every heart start from none.
  SketchShiftDeltas deltas{0.0f, 0.0f, 0.0f};
  for (int32_t j = 0; j < record.sketchRepeats; ++j) {
    if (ASErr error = addSketchCopy(heart, record, values, &deltas, style)) return error;
  }
  return kNoErr;
}
