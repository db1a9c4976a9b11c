/* Art suites: art objects, paths, paint, opacity, transformation, envelopes
 * and shape construction. */
#ifndef HEART_HOST_AI_ART_SUITES_H
#define HEART_HOST_AI_ART_SUITES_H

#include "heart_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Art types. */
enum { kUnknownArt = 0, kGroupArt = 1, kPathArt = 2, kSymbolArt = 3, kEnvelopeArt = 4 };

/* Paint orders: where new or duplicated art goes relative to a reference art. */
enum {
  kPlaceAbove = 1,       /* directly above the reference */
  kPlaceBelow = 2,       /* directly below the reference */
  kPlaceInsideOnTop = 3, /* inside a group reference, on top */
  kPlaceInsideOnBottom = 4,
  kPlaceAboveAll = 5,    /* above all art of the current layer */
  kPlaceBelowAll = 6
};

/* Colour kinds. Components are reals from 0 to 1. */
enum {
  kGrayColor = 0,      /* c[0] is gray ink: 1 is black, 0 white */
  kFourColor = 1,      /* cyan, magenta, yellow, black */
  kPattern = 2,        /* object names a host pattern */
  kCustomColor = 3,    /* object names a host custom colour; c[0] is its tint */
  kGradient = 4,       /* object names a host gradient */
  kThreeColor = 5,     /* red, green, blue */
  kNoneColor = 6
};

typedef struct AIColor {
  ASInt16 kind;
  AIReal c[4];
  ASInt32 object; /* for patterns, custom colours and gradients: the host's id */
} AIColor;

/* One anchor of a path: the in handle shapes the curve arriving at the anchor,
 * the out handle the curve leaving it. */
typedef struct AIPathSegment {
  AIRealPoint p;
  AIRealPoint in;
  AIRealPoint out;
  AIBoolean corner;
} AIPathSegment;

typedef struct AIPathStyle {
  AIBoolean fillPaint;
  AIBoolean strokePaint;
  AIColor fillColor;
  AIColor strokeColor;
  AIReal strokeWidth; /* points */
} AIPathStyle;

#define kAIArtSuite "AI Art Suite"
#define kAIArtSuiteVersion 9

typedef struct AIArtSuite {
  /* New empty art of `type`, placed by paintOrder relative to prep (null: the
   * current layer). A locked or hidden current layer answers "SEGM". */
  ASErr (*NewArt)(ASInt16 type, ASInt16 paintOrder, AIArtHandle prep, AIArtHandle* newArt);
  ASErr (*DisposeArt)(AIArtHandle art);
  /* A deep copy of art placed by paintOrder relative to prep. */
  ASErr (*DuplicateArt)(AIArtHandle art, ASInt16 paintOrder, AIArtHandle prep,
                        AIArtHandle* newArt);
  /* The exact bounds of the art's outline (handles excluded). */
  ASErr (*GetArtBounds)(AIArtHandle art, AIRealRect* bounds);
  ASErr (*GetArtType)(AIArtHandle art, ASInt16* type);
  ASErr (*GetArtParent)(AIArtHandle art, AIArtHandle* parent);
} AIArtSuite;

#define kAIPathSuite "AI Path Suite"
#define kAIPathSuiteVersion 4

typedef struct AIPathSuite {
  ASErr (*GetPathSegmentCount)(AIArtHandle path, ASInt16* count);
  /* Grow or shrink the path to `count` segments. */
  ASErr (*SetPathSegmentCount)(AIArtHandle path, ASInt16 count);
  ASErr (*GetPathSegments)(AIArtHandle path, ASInt16 index, ASInt16 count,
                           AIPathSegment* segments);
  /* Write `count` segments from `index`; writing at the current count appends. */
  ASErr (*SetPathSegments)(AIArtHandle path, ASInt16 index, ASInt16 count,
                           const AIPathSegment* segments);
  ASErr (*GetPathClosed)(AIArtHandle path, AIBoolean* closed);
  ASErr (*SetPathClosed)(AIArtHandle path, AIBoolean closed);
} AIPathSuite;

#define kAIPathStyleSuite "AI Path Style Suite"
#define kAIPathStyleSuiteVersion 5

typedef struct AIPathStyleSuite {
  ASErr (*GetPathStyle)(AIArtHandle path, AIPathStyle* style);
  ASErr (*SetPathStyle)(AIArtHandle path, const AIPathStyle* style);
} AIPathStyleSuite;

#define kAIBlendStyleSuite "AI Blend Style Suite"
#define kAIBlendStyleSuiteVersion 2

typedef struct AIBlendStyleSuite {
  /* Opacity from 0 (transparent) to 1 (opaque). */
  AIReal (*GetOpacity)(AIArtHandle art);
  ASErr (*SetOpacity)(AIArtHandle art, AIReal opacity);
} AIBlendStyleSuite;

#define kAITransformArtSuite "AI Transform Art Suite"
#define kAITransformArtSuiteVersion 1

enum { kTransformObjects = 1 };

typedef struct AITransformArtSuite {
  /* Transform the art's geometry by the matrix. Stroke widths are multiplied
   * by lineScale, so 1.0 keeps them. */
  ASErr (*TransformArt)(AIArtHandle art, const AIRealMatrix* matrix, AIReal lineScale,
                        ASInt32 flags);
} AITransformArtSuite;

#define kAIEnvelopeSuite "AI Envelope Suite"
#define kAIEnvelopeSuiteVersion 1

typedef struct AIEnvelopeOptions {
  ASInt32 deformOptions;
  ASInt32 fidelity; /* 0 to 100 */
} AIEnvelopeOptions;

typedef struct AIEnvelopeSuite {
  /* Put `count` arts into a new envelope shaped by `shape`, which the envelope
   * consumes. The arts stay addressable and keep answering every art call. */
  ASErr (*MakeEnvelope)(AIArtHandle* arts, ASInt32 count, AIArtHandle shape,
                        const AIEnvelopeOptions* options, AIArtHandle* envelope);
  /* Warp the envelope: style 1 to 15, bend and distortions from -1 to 1,
   * vertical orientation when non-zero. */
  ASErr (*SetEnvelopeWarp)(AIArtHandle envelope, ASInt16 warpStyle, AIReal bend,
                           AIReal horizontalDistortion, AIReal verticalDistortion,
                           AIBoolean vertical);
} AIEnvelopeSuite;

#define kAIShapeConstructionSuite "AI Shape Construction Suite"
#define kAIShapeConstructionSuiteVersion 4

typedef struct AIShapeConstructionSuite {
  /* A closed rectangular path with its lower left corner at (left, bottom). */
  ASErr (*NewRect)(AIReal left, AIReal bottom, AIReal width, AIReal height, AIBoolean reversed,
                   AIArtHandle* newArt);
} AIShapeConstructionSuite;

#ifdef __cplusplus
}
#endif

#endif
