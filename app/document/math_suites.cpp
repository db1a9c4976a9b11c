// "AI Real Math Suite" and "AI Random Suite".
//
// Matrices map x' = a*x + c*y + tx, y' = b*x + d*y + ty. SetTranslate starts
// a matrix; each Concat step appends a transformation that applies after
// the steps already in the matrix, so steps are written in the order they
// act on the art.
#include <cmath>

#include "core/suite_broker.h"
#include "document/random_source.h"
#include "document/suite_parts.h"
#include "plugin/host/suites.h"

namespace heart {

namespace {

constexpr double kPi = 3.14159265358979323846;

// --- AI Real Math Suite ------------------------------------------------------

AIReal RealDiv(AIReal a, AIReal b) { return b == 0 ? 0.0f : a / b; }
AIReal RealSin(AIReal radians) { return std::sin(radians); }
AIReal RealCos(AIReal radians) { return std::cos(radians); }
AIReal DegreeToRadian(AIReal degrees) { return static_cast<AIReal>(degrees * (kPi / 180.0)); }
AIReal RadianToDegree(AIReal radians) { return static_cast<AIReal>(radians * (180.0 / kPi)); }

void PointInterpolate(const AIRealPoint* a, const AIRealPoint* b, AIReal t, AIRealPoint* result) {
  if (!a || !b || !result) return;
  AIRealPoint from = *b, to = *a;  // read both before writing: result may alias either
  result->h = from.h + t * (to.h - from.h);
  result->v = from.v + t * (to.v - from.v);
}

AIReal PointAngle(const AIRealPoint* a, const AIRealPoint* b) {
  if (!a || !b) return 0;
  return std::atan2(a->v - b->v, a->h - b->h);
}

void MatrixSetIdentity(AIRealMatrix* m) {
  if (m) *m = AIRealMatrix{1, 0, 0, 1, 0, 0};
}

void MatrixSetTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
  if (m) *m = AIRealMatrix{1, 0, 0, 1, tx, ty};
}

void MatrixConcatTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
  if (!m) return;
  m->tx += tx;
  m->ty += ty;
}

void MatrixConcatScale(AIRealMatrix* m, AIReal sx, AIReal sy) {
  if (!m) return;
  m->a *= sx;
  m->c *= sx;
  m->tx *= sx;
  m->b *= sy;
  m->d *= sy;
  m->ty *= sy;
}

void MatrixConcatRotate(AIRealMatrix* m, AIReal radians) {
  if (!m) return;
  double c = std::cos(static_cast<double>(radians)), s = std::sin(static_cast<double>(radians));
  AIRealMatrix r = *m;
  m->a = static_cast<AIReal>(c * r.a - s * r.b);
  m->b = static_cast<AIReal>(s * r.a + c * r.b);
  m->c = static_cast<AIReal>(c * r.c - s * r.d);
  m->d = static_cast<AIReal>(s * r.c + c * r.d);
  m->tx = static_cast<AIReal>(c * r.tx - s * r.ty);
  m->ty = static_cast<AIReal>(s * r.tx + c * r.ty);
}

void MatrixXformPoint(const AIRealMatrix* m, const AIRealPoint* in, AIRealPoint* out) {
  if (!m || !in || !out) return;
  AIRealPoint p = *in;
  out->h = m->a * p.h + m->c * p.v + m->tx;
  out->v = m->b * p.h + m->d * p.v + m->ty;
}

constexpr AIRealMathSuite kRealMathSuite = {RealDiv,
                                            RealSin,
                                            RealCos,
                                            DegreeToRadian,
                                            RadianToDegree,
                                            PointInterpolate,
                                            PointAngle,
                                            MatrixSetIdentity,
                                            MatrixSetTranslate,
                                            MatrixConcatTranslate,
                                            MatrixConcatScale,
                                            MatrixConcatRotate,
                                            MatrixXformPoint};

// --- AI Random Suite ---------------------------------------------------------

AIReal FloatRnd() {
  RandomSource* random = currentHost().random;
  return random ? random->next() : 0.0f;
}

void SetRndSeed(ASInt32 seed) {
  if (RandomSource* random = currentHost().random) random->seed(static_cast<uint32_t>(seed));
}

constexpr AIRandomSuite kRandomSuite = {FloatRnd, SetRndSeed};

}  // namespace

void registerMathSuites(SuiteBroker& broker) {
  broker.add(kAIRealMathSuite, kAIRealMathSuiteVersion, &kRealMathSuite);
  broker.add(kAIRandomSuite, kAIRandomSuiteVersion, &kRandomSuite);
}

}  // namespace heart
