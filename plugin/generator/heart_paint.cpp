#include "plugin/generator/heart_paint.h"

#include "plugin/generator/colour_rules.h"
#include "plugin/suites/random_draws.h"

namespace {

// One read-change-write round on the heart's path style. The host's answers
// are not examined: a failed read leaves the record as the last step left it.
template <typename Change>
void changeStyle(AIArtHandle path, AIPathStyle* style, Change change) {
  sAIPathStyle->GetPathStyle(path, style);
  change(style);
  sAIPathStyle->SetPathStyle(path, style);
}

void jitterWidth(AIPathStyle* style) {
  const AIReal size = drawReal() * 3.0f;
  style->strokeWidth += size * drawJitterSign();
  if (style->strokeWidth < 0.0f) style->strokeWidth = 0.0f;
}

}  // namespace

void paintHeart(AIArtHandle path, const ParameterRecord& record, const RunValues& run,
                AIPathStyle* style) {
  if (record.randomFill) {
    changeStyle(path, style, [](AIPathStyle* s) { randomiseColour(&s->fillColor); });
  }
  if (record.randomFillSwatches) {
    changeStyle(path, style, [&run](AIPathStyle* s) {
      takeRandomSwatchColour(run.swatchCount, &s->fillColor);
      s->fillPaint = true;
    });
  }
  if (record.randomStroke) {
    changeStyle(path, style, [](AIPathStyle* s) { randomiseStrokeColour(&s->strokeColor); });
  }
  if (record.randomWidth) {
    changeStyle(path, style, [](AIPathStyle* s) { s->strokeWidth = drawReal() * s->strokeWidth; });
  }
  if (record.randomOpacity) {
    changeStyle(path, style, [path](AIPathStyle*) { sAIBlendStyle->SetOpacity(path, drawReal()); });
  }
  if (record.jitterFill) {
    changeStyle(path, style, [](AIPathStyle* s) { jitterColour(&s->fillColor); });
  }
  if (record.jitterStroke) {
    changeStyle(path, style, [](AIPathStyle* s) { jitterColour(&s->strokeColor); });
  }
  if (record.jitterWidth) changeStyle(path, style, jitterWidth);
}

ASErr applyRandomArtStyle(AIArtHandle path, const RunValues& run) {
  const ASInt32 count = run.artStyleCount;
  ASInt32 index = static_cast<ASInt32>(drawReal() * static_cast<AIReal>(count));
  if (index == 0) index = count >= 1 ? 1 : 0;
  AIArtStyleHandle artStyle = nullptr;
  if (ASErr error = sAIArtStyle->GetNthArtStyle(index, &artStyle)) return error;
  return sAIArtStyle->SetArtStyle(path, artStyle);
}
