/* Basic types shared by the plug-in and the host that loads it.
 *
 * Everything here is plain C so that either side can be written in any
 * language that can call C. Reals are single precision, as the host's
 * geometry and the parameter record use 32-bit reals throughout. */
#ifndef HEART_HOST_HEART_TYPES_H
#define HEART_HOST_HEART_TYPES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
#define HEART_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define HEART_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

/* A result code: 0 is success, anything else is a failure. Every operation
 * that answers one names the codes it answers beyond "PARM" (suites.h). */
typedef int32_t ASErr;
typedef int32_t ASInt32;
typedef int16_t ASInt16;
typedef uint8_t ASBoolean;
typedef uint8_t AIBoolean;
typedef float AIReal;

/* Four-character code: the four bytes, most significant first. */
#define HEART_FOUR_CC(a, b, c, d)                                                  \
  ((ASErr)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) |      \
           ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

/* Who answers each code: "!sel" heart, for a menu Go; "STOP" heart, for a
 * cancelled Get Parameters; "!MEM" the host, when memory cannot be had, and
 * heart, when Get Parameters gets no record; "S!Fd" the basic suite, for a
 * suite the host lacks or one not held; "SEGM" and "NESS" the art suites;
 * "PARM" any suite. This host never answers -108, 271 or "!IMP" itself;
 * its fault injector can make any operation answer any code. */
enum {
  kNoErr = 0,
  kBadSelectorErr = HEART_FOUR_CC('!', 's', 'e', 'l'),  /* 0x2173656C */
  kCanceledErr = HEART_FOUR_CC('S', 'T', 'O', 'P'),     /* 0x53544F50 */
  kOutOfMemoryErr = HEART_FOUR_CC('!', 'M', 'E', 'M'),  /* 0x214D454D */
  kSuiteNotFoundErr = HEART_FOUR_CC('S', '!', 'F', 'd'), /* 0x53214664 */
  /* Host codes that the error table knows. */
  kLayerLockedErr = HEART_FOUR_CC('S', 'E', 'G', 'M'),  /* a layer is locked or hidden */
  kTooManyPointsErr = HEART_FOUR_CC('N', 'E', 'S', 'S'), /* a path has too many anchors */
  kMemFullErr = -108,
  kHostMemoryErr = 271,
  /* Host codes without a row of their own in the error table. */
  kBadParameterErr = HEART_FOUR_CC('P', 'A', 'R', 'M'),
  kNotImplementedErr = HEART_FOUR_CC('!', 'I', 'M', 'P')
};

typedef struct AIRealPoint {
  AIReal h;
  AIReal v;
} AIRealPoint;

/* Page coordinates: the vertical axis points up, so top >= bottom. */
typedef struct AIRealRect {
  AIReal left;
  AIReal top;
  AIReal right;
  AIReal bottom;
} AIRealRect;

/* Affine matrix: x' = a*x + c*y + tx, y' = b*x + d*y + ty. */
typedef struct AIRealMatrix {
  AIReal a, b, c, d, tx, ty;
} AIRealMatrix;

/* Integer point and rectangle of the dialog manager and of document views. */
typedef struct ASPoint {
  ASInt32 h;
  ASInt32 v;
} ASPoint;

typedef struct ASRect {
  ASInt32 left;
  ASInt32 top;
  ASInt32 right;
  ASInt32 bottom;
} ASRect;

/* Opaque references handed out by the host. The plug-in never makes one
 * itself; each operation that hands one out says until when it holds. The
 * plug-in's own references back to the host are SPPluginRef, which comes
 * with every message, and ADMUserData, the plug-in's pointer that the host
 * only hands back. */
typedef struct _t_SPPlugin* SPPluginRef;
typedef struct _t_AIArt* AIArtHandle;
typedef struct _t_AILayer* AILayerHandle;
typedef struct _t_AIDocumentView* AIDocumentViewHandle;
typedef struct _t_AISwatchList* AISwatchListRef;
typedef struct _t_AISwatch* AISwatchRef;
typedef struct _t_AIArtStyle* AIArtStyleHandle;
typedef struct _t_AISymbol* AISymbolHandle;
typedef struct _t_AIFilter* AIFilterHandle;
typedef struct _t_AIMenuItem* AIMenuItemHandle;
typedef struct _t_ADMDialog* ADMDialogRef;
typedef struct _t_ADMItem* ADMItemRef;
typedef struct _t_ADMList* ADMListRef;
typedef struct _t_ADMEntry* ADMEntryRef;
typedef struct _t_ADMTracker* ADMTrackerRef;
typedef struct _t_ADMNotifier* ADMNotifierRef;
typedef struct _t_ADMIcon* ADMIconRef;
typedef void* ADMUserData;

/* A host memory handle: a pointer to the pointer to the block. The handle
 * stays the same while the block may move (ai_support_suites.h). */
typedef char** AIMdMemoryHandle;

#ifdef __cplusplus
}
#endif

#endif
