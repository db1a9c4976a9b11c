#include "plugin/generator/generator.h"

#include "plugin/generator/anchor_switches.h"
#include "plugin/generator/drop_shadow.h"
#include "plugin/generator/heart_outline.h"
#include "plugin/generator/heart_paint.h"
#include "plugin/generator/heart_transforms.h"
#include "plugin/generator/mirror_copies.h"
#include "plugin/generator/outline_randomisation.h"
#include "plugin/generator/placement.h"
#include "plugin/generator/random_warp.h"
#include "plugin/generator/sketch_copies.h"
#include "plugin/generator/working_values.h"
#include "plugin/suites/held_suites.h"

namespace {

// The generator calls nothing but these; without one of them a run could
// not even start.
bool generatorSuitesHeld() {
  return sAIArt && sAIPath && sAIPathStyle && sAIBlendStyle && sAITransformArt && sAIEnvelope &&
         sAIShapeConstruction && sAIRealMath && sAIRandom && sAIUndo && sAIDocument &&
         sAISwatchList && sAIArtStyle && sAISymbol && sAILayer;
}

ASErr fetchRunValues(RunValues* run) {
  AIRealPoint pageSize{};
  if (ASErr error = sAIDocument->GetDocumentPageSize(&pageSize)) return error;
  run->pageWidth = pageSize.h;
  run->pageHeight = pageSize.v;
  run->halfPageWidth = pageSize.h * 0.5f;
  run->halfPageHeight = pageSize.v * 0.5f;
  run->swatchCount = sAISwatchList->CountSwatches(nullptr);
  ASInt32 artStyles = 0;
  if (ASErr error = sAIArtStyle->CountArtStyles(&artStyles)) return error;
  run->artStyleCount = artStyles;
  return kNoErr;
}

// One heart, steps H1 to H14 in their fixed order; the order of the random
// draws follows from it.
ASErr buildHeart(const ParameterRecord& record, WorkingValues* values) {
  randomiseOutline(record, &values->outline);  // H1

  AIArtHandle path = nullptr;
  if (ASErr error = newHeartPath(&path)) return error;                         // H2
  const AnchorChoice choice = chooseAnchors(values->outline);                  // H3
  placeHeart(record.placementMode, values);                                    // H4
  if (ASErr error = buildOutline(path, *values, choice)) return error;         // H5
  if (ASErr error = applyAnchorSwitches(path, values->outline)) return error;  // H6
  if (ASErr error = rotateAndScaleHeart(path, *values)) return error;          // H7
  if (ASErr error = randomlyTransformHeart(path, record)) return error;        // H8
  paintHeart(path, record, values->run, &values->style);                       // H9
  if (record.randomStyle) {                                                    // H10
    if (ASErr error = applyRandomArtStyle(path, values->run)) return error;
  }
  if (record.symbolize) {  // H11: the symbol is made and not used further
    AISymbolHandle symbol = nullptr;
    if (ASErr error = sAISymbol->NewSymbolFromArt(path, false, &symbol)) return error;
  }
  if (record.randomWarp) {  // H12
    if (ASErr error = randomlyWarpHeart(path, values->basePoint)) return error;
  }
  if (record.dropShadow) {  // H13
    if (ASErr error = addDropShadow(path, record, values->run, &values->style)) return error;
  }
  if (record.basicPattern) {
    if (ASErr error = addMirrorCopies(path, values->run)) return error;
  }
  return addSketchCopies(path, record, *values, &values->style);  // H14
}

}  // namespace

ASErr generateHearts(ParameterRecord* record) {
  // Go right after a preview: the previewed hearts are the result.
  if (record->finalRun && record->previewDrawn) {
    record->previewDrawn = 0;
    return kNoErr;
  }
  if (!generatorSuitesHeld()) return kSuiteNotFoundErr;

  // Discard what the last preview drew.
  if (ASErr error = sAIUndo->UndoChanges()) return error;

  WorkingValues values{};
  if (ASErr error = fetchRunValues(&values.run)) return error;
  unpackWorkingValues(*record, &values);

  if (record->newLayer) {
    AILayerHandle layer = nullptr;
    if (ASErr error = sAILayer->InsertLayer(nullptr, kPlaceAboveAll, &layer)) return error;
  }

  for (ASInt32 i = 0; i < values.heartCount; ++i) {
    if (ASErr error = buildHeart(*record, &values)) return error;
  }

  if (record->finalRun == 0) return sAIDocument->RedrawDocument();
  return kNoErr;
}
