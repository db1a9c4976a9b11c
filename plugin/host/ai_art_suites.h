/* Art suites: art objects, paths, paint, opacity, transformation, envelopes
 * and shape construction. Calling contexts and ownership are written as
 * suites.h explains.
 *
 * All art belongs to the current document. An art handle is the host's,
 * valid until the art is disposed (DisposeArt, or the shape MakeEnvelope
 * consumes) or until UndoChanges takes back the change that made it; then
 * the host refuses it. The host records every change for UndoChanges only
 * during a filter invocation: a change made outside one cannot be taken
 * back. A failing operation leaves the art as it was; art that an earlier
 * operation built stays in the document.
 *
 * One heart, as heart's generator builds it (in Go, or in a preview inside
 * the options dialog, after the run's UndoChanges):
 *   NewArt(kPathArt, kPlaceAboveAll, null, &path)   above all art of the
 *                                                   current layer
 *   SetPathSegmentCount(path, 0); SetPathSegments(path, i, 1, &segment) for
 *   each anchor, appending; SetPathClosed(path, 1)
 *   GetArtBounds, the matrix steps, TransformArt(path, &m, 1, kTransformObjects)
 *                                                   rotate and scale about
 *                                                   its centre
 *   GetPathStyle, SetPathStyle, SetOpacity           paint
 *   NewRect, MakeEnvelope(&path, 1, rect, ...), SetEnvelopeWarp
 *                                                   with "Random warp"; the
 *                                                   path keeps its handle
 *   DuplicateArt(path, kPlaceBelow, path, &shadow)  the drop shadow; mirror
 *                                                   and sketch copies are
 *                                                   duplicates above all
 * A preview's hearts are taken back by the next run's UndoChanges, or by
 * the one a cancel makes; Go's stay when the invocation ends. Either way the
 * plug-in keeps no art handle past the run. */
#ifndef HEART_HOST_AI_ART_SUITES_H
#define HEART_HOST_AI_ART_SUITES_H

#include "plugin/host/heart_types.h"

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

/* Colour kinds. Components are reals from 0 to 1. A colour is a value: the
 * suites copy it in and out. */
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
  /* New empty art of `type`, placed by paintOrder relative to prep: above
   * (1) and below (2) need prep, and place beside the envelope when prep
   * lies in one; inside (3, 4) need a group; above all (5) and below all (6)
   * place at the top or the bottom of the current layer, whatever prep is
   * (a prep given must still be art of the document). A locked or hidden
   * target layer answers "SEGM". Only kPathArt and kGroupArt can be made
   * so; a new path carries the document's current paint. *newArt receives
   * the art's handle.
   * [plug-in, while the suites are held]
   * Heart: the generator, one path per heart. */
  ASErr (*NewArt)(ASInt16 type, ASInt16 paintOrder, AIArtHandle prep, AIArtHandle* newArt);
  /* Take the art and everything in it out of the document; its handles go
   * stale. During a filter invocation UndoChanges brings it back, with the
   * same handles.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*DisposeArt)(AIArtHandle art);
  /* A deep copy of art placed by paintOrder relative to prep.
   * The copy has new handles and copies of the art's tags. The copy of art
   * that lies in an envelope gets an envelope of its own with the same warp,
   * so it looks warped too. Placing and "SEGM" as for NewArt.
   * [plug-in, while the suites are held]
   * Heart: the generator, for the drop shadow (below the heart) and the
   * mirror and sketch copies (above all). */
  ASErr (*DuplicateArt)(AIArtHandle art, ASInt16 paintOrder, AIArtHandle prep,
                        AIArtHandle* newArt);
  /* The exact bounds of the art's outline (handles excluded).
   * For a path, before any envelope warp; for a group, the union of its
   * art; for an envelope, its contents as warped; all zeros for empty art.
   * [plug-in, while the suites are held]
   * Heart: the generator, for the centre a heart turns about and the bottom
   * edge a drop shadow keeps. */
  ASErr (*GetArtBounds)(AIArtHandle art, AIRealRect* bounds);
  /* One of the art types above into *type.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetArtType)(AIArtHandle art, ASInt16* type);
  /* The group or envelope that holds the art into *parent; null for art at
   * the top of a layer. The handle is valid as the parent's own.
   * [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetArtParent)(AIArtHandle art, AIArtHandle* parent);
} AIArtSuite;

#define kAIPathSuite "AI Path Suite"
#define kAIPathSuiteVersion 4

/* Every operation takes path art only; other art answers "PARM". A path
 * holds at most 32000 segments: more answers "NESS". */
typedef struct AIPathSuite {
  /* [plug-in, while the suites are held]
   * Heart: the generator, for the anchor switches and the sketch copies. */
  ASErr (*GetPathSegmentCount)(AIArtHandle path, ASInt16* count);
  /* Grow or shrink the path to `count` segments.
   * New segments are all zeros.
   * [plug-in, while the suites are held]
   * Heart: the generator, emptying each new path before its anchors are
   * written. */
  ASErr (*SetPathSegmentCount)(AIArtHandle path, ASInt16 count);
  /* Copy `count` segments from `index` into the caller's array; a range
   * past the end answers "PARM".
   * [plug-in, while the suites are held]
   * Heart: the generator, one segment at a time, for the anchor switches and
   * the sketch copies. */
  ASErr (*GetPathSegments)(AIArtHandle path, ASInt16 index, ASInt16 count,
                           AIPathSegment* segments);
  /* Write `count` segments from `index`; writing at the current count appends.
   * The segments are copied from the caller's array. An index past the
   * count, or a point that is not finite, answers "PARM" and writes
   * nothing.
   * [plug-in, while the suites are held]
   * Heart: the generator, one segment at a time, for the outline, the
   * anchor switches and the sketch copies. */
  ASErr (*SetPathSegments)(AIArtHandle path, ASInt16 index, ASInt16 count,
                           const AIPathSegment* segments);
  /* [plug-in, while the suites are held]
   * Heart: never. */
  ASErr (*GetPathClosed)(AIArtHandle path, AIBoolean* closed);
  /* [plug-in, while the suites are held]
   * Heart: the generator closes every heart. */
  ASErr (*SetPathClosed)(AIArtHandle path, AIBoolean closed);
} AIPathSuite;

#define kAIPathStyleSuite "AI Path Style Suite"
#define kAIPathStyleSuiteVersion 5

typedef struct AIPathStyleSuite {
  /* The path's paint, copied into the caller's *style; other art answers
   * "PARM", leaving *style as it was.
   * [plug-in, while the suites are held]
   * Heart: the generator, reading the paint it then changes, for the heart,
   * its drop shadow and its sketch copies. */
  ASErr (*GetPathStyle)(AIArtHandle path, AIPathStyle* style);
  /* Paint the path with a copy of *style. A stroke width that is not finite
   * answers "PARM"; colour components are kept as given, even outside 0
   * to 1.
   * [plug-in, while the suites are held]
   * Heart: the generator, after GetPathStyle. */
  ASErr (*SetPathStyle)(AIArtHandle path, const AIPathStyle* style);
} AIPathStyleSuite;

#define kAIBlendStyleSuite "AI Blend Style Suite"
#define kAIBlendStyleSuiteVersion 2

typedef struct AIBlendStyleSuite {
  /* Opacity from 0 (transparent) to 1 (opaque).
   * Art the host does not know counts as opaque.
   * [plug-in, while the suites are held]
   * Heart: the generator, for a sketch copy of reducing opacity. */
  AIReal (*GetOpacity)(AIArtHandle art);
  /* Limited to 0 to 1; a value that is not a number answers "PARM".
   * [plug-in, while the suites are held]
   * Heart: the generator, for random opacities of hearts, shadows and
   * sketch copies. */
  ASErr (*SetOpacity)(AIArtHandle art, AIReal opacity);
} AIBlendStyleSuite;

#define kAITransformArtSuite "AI Transform Art Suite"
#define kAITransformArtSuiteVersion 1

enum { kTransformObjects = 1 };

typedef struct AITransformArtSuite {
  /* Transform the art's geometry by the matrix. Stroke widths are multiplied
   * by lineScale, so 1.0 keeps them.
   * Every anchor and handle of the art and of the art inside it moves; the
   * matrix is the caller's, read during the call. Without kTransformObjects
   * in flags nothing moves. A matrix or line scale that is not finite, a
   * negative line scale, or a result that would not be finite answers
   * "PARM" and leaves the art as it was.
   * [plug-in, while the suites are held]
   * Heart: the generator, for every transformation, with line scale 1 and
   * kTransformObjects. */
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
   * consumes. The arts stay addressable and keep answering every art call.
   * The array and the options are the caller's, read during the call (null
   * options: no deform options, fidelity 50). The envelope goes where the
   * first art was and holds the arts in the given order; the shape, a path,
   * is disposed and its handle goes stale. An art given twice, the shape
   * among the arts, or an art inside another of them answers "PARM"; a
   * locked or hidden layer "SEGM". *envelope receives the envelope's handle.
   * [plug-in, while the suites are held]
   * Heart: the generator with "Random warp" on, one heart per envelope,
   * shaped by a rectangle from NewRect. */
  ASErr (*MakeEnvelope)(AIArtHandle* arts, ASInt32 count, AIArtHandle shape,
                        const AIEnvelopeOptions* options, AIArtHandle* envelope);
  /* Warp the envelope: style 1 to 15, bend and distortions from -1 to 1,
   * vertical orientation when non-zero.
   * Another style, or a value that is not a number, answers "PARM"; bend
   * and distortions outside -1 to 1 are limited to it.
   * [plug-in, while the suites are held]
   * Heart: the generator, right after MakeEnvelope, with random values. */
  ASErr (*SetEnvelopeWarp)(AIArtHandle envelope, ASInt16 warpStyle, AIReal bend,
                           AIReal horizontalDistortion, AIReal verticalDistortion,
                           AIBoolean vertical);
} AIEnvelopeSuite;

#define kAIShapeConstructionSuite "AI Shape Construction Suite"
#define kAIShapeConstructionSuiteVersion 4

typedef struct AIShapeConstructionSuite {
  /* A closed rectangular path with its lower left corner at (left, bottom).
   * Four corner anchors, counter-clockwise from the lower left (clockwise
   * when reversed), placed above all art of the current layer with the
   * current paint; a corner that is not finite answers "PARM", a locked or
   * hidden layer "SEGM". *newArt receives the path's handle.
   * [plug-in, while the suites are held]
   * Heart: the generator, for the shape of a random warp's envelope, which
   * MakeEnvelope consumes at once. */
  ASErr (*NewRect)(AIReal left, AIReal bottom, AIReal width, AIReal height, AIBoolean reversed,
                   AIArtHandle* newArt);
} AIShapeConstructionSuite;

#ifdef __cplusplus
}
#endif

#endif
