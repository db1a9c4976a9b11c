#include "plugin/generator/transform_about.h"

#include "plugin/suites/held_suites.h"

AIRealPoint boundsCentre(const AIRealRect& bounds) {
  return AIRealPoint{bounds.left - (bounds.right - bounds.left) * -0.5f,
                     bounds.bottom - (bounds.top - bounds.bottom) * -0.5f};
}

ASErr artCentre(AIArtHandle art, AIRealPoint* centre) {
  AIRealRect bounds{};
  if (ASErr error = sAIArt->GetArtBounds(art, &bounds)) return error;
  *centre = boundsCentre(bounds);
  return kNoErr;
}

void beginAbout(AIRealMatrix* matrix, AIRealPoint centre) {
  sAIRealMath->AIRealMatrixSetTranslate(matrix, -centre.h, -centre.v);
}

void endAbout(AIRealMatrix* matrix, AIRealPoint centre) {
  sAIRealMath->AIRealMatrixConcatTranslate(matrix, centre.h, centre.v);
}

ASErr transformArt(AIArtHandle art, const AIRealMatrix& matrix) {
  return sAITransformArt->TransformArt(art, &matrix, 1.0f, kTransformObjects);
}

ASErr rotateAbout(AIArtHandle art, AIRealPoint centre, AIReal radians) {
  AIRealMatrix matrix;
  beginAbout(&matrix, centre);
  sAIRealMath->AIRealMatrixConcatRotate(&matrix, radians);
  endAbout(&matrix, centre);
  return transformArt(art, matrix);
}

ASErr scaleAbout(AIArtHandle art, AIRealPoint centre, AIReal sx, AIReal sy) {
  AIRealMatrix matrix;
  beginAbout(&matrix, centre);
  sAIRealMath->AIRealMatrixConcatScale(&matrix, sx, sy);
  endAbout(&matrix, centre);
  return transformArt(art, matrix);
}

ASErr translateArt(AIArtHandle art, AIReal dx, AIReal dy) {
  AIRealMatrix matrix;
  sAIRealMath->AIRealMatrixSetTranslate(&matrix, dx, dy);
  return transformArt(art, matrix);
}
