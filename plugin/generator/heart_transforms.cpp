#include "plugin/generator/heart_transforms.h"

#include "plugin/generator/transform_about.h"
#include "plugin/suites/random_draws.h"

ASErr rotateAndScaleHeart(AIArtHandle path, const WorkingValues& values) {
  AIRealPoint centre;
  if (ASErr error = artCentre(path, &centre)) return error;
  AIRealMatrix matrix;
  beginAbout(&matrix, centre);
  if (values.rotation != 0.0f) sAIRealMath->AIRealMatrixConcatRotate(&matrix, values.rotation);
  sAIRealMath->AIRealMatrixConcatScale(&matrix, values.scaleHorizontal, values.scaleVertical);
  endAbout(&matrix, centre);
  return transformArt(path, matrix);
}

ASErr randomlyTransformHeart(AIArtHandle path, const ParameterRecord& record) {
  AIRealPoint centre;
  if (record.randomAngle) {
    const AIReal radians = drawReal() * 10.0f;
    if (ASErr error = artCentre(path, &centre)) return error;
    if (ASErr error = rotateAbout(path, centre, radians)) return error;
  }
  if (record.randomScaling) {
    const AIReal factor = drawReal() + 0.01f;
    if (ASErr error = artCentre(path, &centre)) return error;
    if (ASErr error = scaleAbout(path, centre, factor, factor)) return error;
  }
  if (record.jitterScaling) {
    AIReal step = drawReal() * 0.1f;
    step *= drawJitterSign();
    if (ASErr error = artCentre(path, &centre)) return error;
    if (ASErr error = scaleAbout(path, centre, 1.0f + step, 1.0f + step)) return error;
  }
  if (record.jitterCenter) {
    AIReal coin = drawCoin();
    const AIReal dx = drawReal() * coin * 50.0f;
    coin = drawCoin();
    const AIReal dy = drawReal() * coin * 50.0f;
    // A plain move needs no centre, but the bounds are still asked for and
    // their answer decides whether the run goes on.
    if (ASErr error = artCentre(path, &centre)) return error;
    if (ASErr error = translateArt(path, dx, dy)) return error;
  }
  return kNoErr;
}
