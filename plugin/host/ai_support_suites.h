/* Host support suites: memory handles, real maths, number strings, the
 * random source, undo and art tags. */
#ifndef HEART_HOST_AI_SUPPORT_SUITES_H
#define HEART_HOST_AI_SUPPORT_SUITES_H

#include "heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIMdMemorySuite "AI MdMemory Suite"
#define kAIMdMemorySuiteVersion 1

typedef struct AIMdMemorySuite {
  /* Allocate a zero-filled block of `size` bytes and a handle to it. */
  ASErr (*MdMemoryNewHandle)(size_t size, AIMdMemoryHandle* handle);
  ASErr (*MdMemoryDisposeHandle)(AIMdMemoryHandle handle);
  ASErr (*MdMemoryGetSize)(AIMdMemoryHandle handle, size_t* size);
  ASErr (*MdMemoryResize)(AIMdMemoryHandle handle, size_t newSize);
} AIMdMemorySuite;

#define kAIRealMathSuite "AI Real Math Suite"
#define kAIRealMathSuiteVersion 1

typedef struct AIRealMathSuite {
  /* a / b; division by zero gives 0. */
  AIReal (*AIRealDiv)(AIReal a, AIReal b);
  /* Sine and cosine of an angle in radians. */
  AIReal (*AIRealSin)(AIReal radians);
  AIReal (*AIRealCos)(AIReal radians);
  AIReal (*DegreeToRadian)(AIReal degrees);
  AIReal (*RadianToDegree)(AIReal radians);
  /* The point at fraction t of the way from b back towards a:
   * result = b + t * (a - b). t = 0 gives b, t = 1 gives a. */
  void (*AIRealPointInterpolate)(const AIRealPoint* a, const AIRealPoint* b, AIReal t,
                                 AIRealPoint* result);
  /* The angle in radians, in (-pi, pi], of the direction in which point a lies
   * as seen from point b, counter-clockwise from the positive horizontal axis. */
  AIReal (*AIRealPointAngle)(const AIRealPoint* a, const AIRealPoint* b);
  /* Matrix steps. SetTranslate starts a matrix; every Concat step appends a
   * transformation that applies after the steps already in the matrix. */
  void (*AIRealMatrixSetIdentity)(AIRealMatrix* m);
  void (*AIRealMatrixSetTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
  void (*AIRealMatrixConcatTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
  void (*AIRealMatrixConcatScale)(AIRealMatrix* m, AIReal sx, AIReal sy);
  void (*AIRealMatrixConcatRotate)(AIRealMatrix* m, AIReal radians);
  void (*AIRealMatrixXformPoint)(const AIRealMatrix* m, const AIRealPoint* in, AIRealPoint* out);
} AIRealMathSuite;

#define kAIUserSuite "AI User Suite"
#define kAIUserSuiteVersion 5

typedef struct AIUserSuite {
  /* Parse a length-prefixed string as a real number. */
  ASErr (*PStringToReal)(const unsigned char* pstring, AIReal* value);
  /* Format a real with `places` decimals as a length-prefixed string into
   * `buffer`, which holds at least 256 bytes. */
  ASErr (*RealToPString)(AIReal value, ASInt16 places, unsigned char* buffer);
} AIUserSuite;

#define kAIRandomSuite "AI Random Suite"
#define kAIRandomSuiteVersion 3

typedef struct AIRandomSuite {
  /* One draw of a real uniformly distributed in [0, 1). */
  AIReal (*FloatRnd)(void);
  /* Reseed the host's source. The heart filter never calls this. */
  void (*SetRndSeed)(ASInt32 seed);
} AIRandomSuite;

#define kAIUndoSuite "AI Undo Suite"
#define kAIUndoSuiteVersion 4

typedef struct AIUndoSuite {
  /* Discard every change made to the document since the current filter
   * invocation began. */
  ASErr (*UndoChanges)(void);
  /* Name the current invocation's undo step in the host's Edit menu. */
  ASErr (*SetUndoText)(const char* undoText, const char* redoText);
} AIUndoSuite;

#define kAITagSuite "AI Tag Suite"
#define kAITagSuiteVersion 2

typedef struct AITagSuite {
  /* Attach a named text value to an art. */
  ASErr (*SetTag)(AIArtHandle art, const char* name, const char* value);
  /* Read a named text value; "NoTg" when the art has no such tag. */
  ASErr (*GetTag)(AIArtHandle art, const char* name, char* buffer, ASInt32 bufferSize);
} AITagSuite;

#ifdef __cplusplus
}
#endif

#endif
