/* Host support suites: memory handles, real maths, number strings, the
 * random source, undo and art tags. Calling contexts and ownership are
 * written as suites.h explains.
 *
 * The parameter record, the one memory handle heart allocates:
 *   Get Parameters, first use   the message's parameters is null; the
 *                               plug-in calls MdMemoryNewHandle(340,
 *                               &message->parameters) and fills the block
 *                               *parameters with the defaults.
 *   after the message           the host keeps the handle with the filter
 *                               and hands it back in every later filter
 *                               message, Go included; the plug-in never
 *                               disposes it.
 * The block stays where it is as long as nobody resizes the handle, so the
 * record pointer heart takes from *parameters at the start of a message
 * holds for the whole message, its dialog included. */
#ifndef HEART_HOST_AI_SUPPORT_SUITES_H
#define HEART_HOST_AI_SUPPORT_SUITES_H

#include "plugin/host/heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIMdMemorySuite "AI MdMemory Suite"
#define kAIMdMemorySuiteVersion 1

typedef struct AIMdMemorySuite {
  /* Allocate a zero-filled block of `size` bytes and a handle to it; "!MEM"
   * when the memory cannot be had. The handle is the host's, valid until
   * MdMemoryDisposeHandle (or, for a handle stored in a filter message's
   * parameters, as long as the host keeps the record: messages.h). The
   * block *handle points at is the plug-in's to read and write, valid until
   * the handle is resized or disposed.
   * [plug-in, while the suites are held]
   * Heart: Get Parameters, for a new parameter record. */
  ASErr (*MdMemoryNewHandle)(size_t size, AIMdMemoryHandle* handle);
  /* Free a handle and its block; "PARM" for a handle the host did not hand
   * out or already freed. Neither may be used afterwards.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*MdMemoryDisposeHandle)(AIMdMemoryHandle handle);
  /* The block's size in bytes into *size; "PARM" for a handle the host did
   * not hand out.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*MdMemoryGetSize)(AIMdMemoryHandle handle, size_t* size);
  /* Give the block `newSize` bytes, keeping the first min(old, new) and
   * zero-filling any new ones. The handle stays; the block may move, so a
   * pointer taken from *handle before is stale: read *handle again. "!MEM"
   * (the block unchanged) when the memory cannot be had, "PARM" for a
   * handle the host did not hand out.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*MdMemoryResize)(AIMdMemoryHandle handle, size_t newSize);
} AIMdMemorySuite;

#define kAIRealMathSuite "AI Real Math Suite"
#define kAIRealMathSuiteVersion 1

/* Plain arithmetic: no operation touches the document, so each may be
 * called whenever the suite is held. Points and matrices are the caller's,
 * read and written during the call only; a null pointer does nothing (and
 * an operation that answers a real answers 0). */
typedef struct AIRealMathSuite {
  /* a / b; division by zero gives 0.
   * [plug-in, while the suites are held]
   * Heart: the generator, for percentages, the sketch weight and sketch
   * colours. */
  AIReal (*AIRealDiv)(AIReal a, AIReal b);
  /* Sine and cosine of an angle in radians.
   * [plug-in, while the suites are held]
   * Heart: the generator, for the heart's outline. */
  AIReal (*AIRealSin)(AIReal radians);
  AIReal (*AIRealCos)(AIReal radians);
  /* [plug-in, while the suites are held]
   * Heart: the generator, for every angle of the record. */
  AIReal (*DegreeToRadian)(AIReal degrees);
  /* [plug-in, while the suites are held]
   * Heart: the point picker, for a picked slant. */
  AIReal (*RadianToDegree)(AIReal radians);
  /* The point at fraction t of the way from b back towards a:
   * result = b + t * (a - b). t = 0 gives b, t = 1 gives a. result may be a
   * or b.
   * [plug-in, while the suites are held]
   * Heart: the generator, for interpolated anchors. */
  void (*AIRealPointInterpolate)(const AIRealPoint* a, const AIRealPoint* b, AIReal t,
                                 AIRealPoint* result);
  /* The angle in radians, in (-pi, pi], of the direction in which point a lies
   * as seen from point b, counter-clockwise from the positive horizontal axis.
   * [plug-in, while the suites are held]
   * Heart: the point picker, for a picked slant. */
  AIReal (*AIRealPointAngle)(const AIRealPoint* a, const AIRealPoint* b);
  /* Matrix steps. SetTranslate starts a matrix; every Concat step appends a
   * transformation that applies after the steps already in the matrix.
   * [plug-in, while the suites are held]
   * Heart: the generator, for every transformation of a heart;
   * SetIdentity never. */
  void (*AIRealMatrixSetIdentity)(AIRealMatrix* m);
  void (*AIRealMatrixSetTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
  void (*AIRealMatrixConcatTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
  void (*AIRealMatrixConcatScale)(AIRealMatrix* m, AIReal sx, AIReal sy);
  void (*AIRealMatrixConcatRotate)(AIRealMatrix* m, AIReal radians);
  /* out = the point in, transformed by m; out may be in.
   * [plug-in, while the suites are held]
   * Heart: never. */
  void (*AIRealMatrixXformPoint)(const AIRealMatrix* m, const AIRealPoint* in, AIRealPoint* out);
} AIRealMathSuite;

#define kAIUserSuite "AI User Suite"
#define kAIUserSuiteVersion 5

typedef struct AIUserSuite {
  /* Parse a length-prefixed string as a real number: plain decimal text,
   * blanks around it allowed, whatever the locale. Text that is no number,
   * or one outside the range of a 32-bit real, answers "PARM" and leaves
   * *value as it was. The string is the caller's.
   * [plug-in, while the suites are held]
   * Heart: the error alert, reading the numeric keys of its error table. */
  ASErr (*PStringToReal)(const unsigned char* pstring, AIReal* value);
  /* Format a real with `places` decimals (0 to 20) as a length-prefixed
   * string into `buffer`, which holds at least 256 bytes and is the
   * caller's. A value that cannot be written (not finite, places out of
   * range, more than 255 characters) leaves the empty string and answers
   * "PARM".
   * [plug-in, while the suites are held]
   * Heart: the error alert, writing a numeric error code. */
  ASErr (*RealToPString)(AIReal value, ASInt16 places, unsigned char* buffer);
} AIUserSuite;

#define kAIRandomSuite "AI Random Suite"
#define kAIRandomSuiteVersion 3

typedef struct AIRandomSuite {
  /* One draw of a real uniformly distributed in [0, 1); 0 when the host has
   * no random source.
   * [plug-in, while the suites are held]
   * Heart: every random quantity, one draw at a time: the generator, and in
   * the options dialog "Tumble", "Tweak" and "Jitter". */
  AIReal (*FloatRnd)(void);
  /* Reseed the host's source.
   * [plug-in, while the suites are held]
   * Heart: never; the draws are the host's to seed. */
  void (*SetRndSeed)(ASInt32 seed);
} AIRandomSuite;

#define kAIUndoSuite "AI Undo Suite"
#define kAIUndoSuiteVersion 4

typedef struct AIUndoSuite {
  /* Discard every change made to the document since the current filter
   * invocation began (or since the last UndoChanges in it); the invocation
   * goes on recording. Outside an invocation nothing changes and the answer
   * is 0; with no document open, "PARM". Handles of art made since then go
   * stale; art that was there before keeps its handles and its content as
   * it was.
   * [plug-in, while the suites are held; during a filter invocation: Get
   * Parameters, its dialog included, and Go]
   * Heart: the generator begins every run with it, removing the last
   * preview; Get Parameters calls it when the dialog is cancelled. */
  ASErr (*UndoChanges)(void);
  /* Name the current invocation's undo step in the host's Edit menu. Both
   * texts are copied; a null one answers "PARM".
   * [plug-in, while the suites are held; during a filter invocation]
   * Heart: never. */
  ASErr (*SetUndoText)(const char* undoText, const char* redoText);
} AIUndoSuite;

#define kAITagSuite "AI Tag Suite"
#define kAITagSuiteVersion 2

typedef struct AITagSuite {
  /* Attach a named text value to an art, replacing one of the same name.
   * Name and value are copied; an empty name or an art the document does
   * not hold answers "PARM". The tag goes with the art: disposed with it,
   * copied with it by DuplicateArt, and taken back with the change that set
   * it by UndoChanges.
   * [plug-in, while the suites are held]
   * Heart: never; the suite is held only. */
  ASErr (*SetTag)(AIArtHandle art, const char* name, const char* value);
  /* Read a named text value into the caller's buffer; "NoTg" when the art
   * has no such tag. A value that does not fit is cut, zero-terminated, and
   * answers "PARM".
   * [plug-in, while the suites are held]
   * Heart: never; the suite is held only. */
  ASErr (*GetTag)(AIArtHandle art, const char* name, char* buffer, ASInt32 bufferSize);
} AITagSuite;

#ifdef __cplusplus
}
#endif

#endif
