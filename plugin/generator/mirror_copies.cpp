#include "plugin/generator/mirror_copies.h"

#include "plugin/generator/transform_about.h"
#include "plugin/suites/held_suites.h"

namespace {

struct MirrorCopy {
  bool acrossVertical;    // reflected in x = W/2
  bool acrossHorizontal;  // reflected in y = H/2
};

// Copy 1 across the vertical line, copy 2 across both, copy 3 across the
// horizontal line.
constexpr MirrorCopy kMirrorCopies[3] = {{true, false}, {true, true}, {false, true}};

// Moves the copy so that its centre lands on the mirror image of `centre`.
ASErr moveToMirroredPlace(AIArtHandle copy, AIRealPoint centre, const MirrorCopy& mirror,
                          const RunValues& run) {
  const AIReal dx = mirror.acrossVertical ? 2.0f * (run.halfPageWidth - centre.h) : 0.0f;
  const AIReal dy = mirror.acrossHorizontal ? 2.0f * (run.halfPageHeight - centre.v) : 0.0f;
  AIRealMatrix matrix;
  beginAbout(&matrix, centre);
  endAbout(&matrix, centre);
  sAIRealMath->AIRealMatrixConcatTranslate(&matrix, dx, dy);
  return transformArt(copy, matrix);
}

}  // namespace

ASErr addMirrorCopies(AIArtHandle art, const RunValues& run) {
  AIArtHandle copies[3] = {nullptr, nullptr, nullptr};
  AIRealPoint centre{};
  for (int k = 0; k < 3; ++k) {
    if (ASErr error = sAIArt->DuplicateArt(art, kPlaceAboveAll, art, &copies[k])) return error;
    // All three copies share the centre of the first.
    if (k == 0) {
      if (ASErr error = artCentre(copies[0], &centre)) return error;
    }
    if (ASErr error = moveToMirroredPlace(copies[k], centre, kMirrorCopies[k], run)) return error;
  }
  for (int k = 0; k < 3; ++k) {
    AIRealPoint own;
    if (ASErr error = artCentre(copies[k], &own)) return error;
    const AIReal sx = kMirrorCopies[k].acrossVertical ? -1.0f : 1.0f;
    const AIReal sy = kMirrorCopies[k].acrossHorizontal ? -1.0f : 1.0f;
    if (ASErr error = scaleAbout(copies[k], own, sx, sy)) return error;
  }
  return kNoErr;
}
