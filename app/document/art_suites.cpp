// "AI Art Suite", "AI Path Suite", "AI Path Style Suite", "AI Blend Style
// Suite", "AI Transform Art Suite", "AI Envelope Suite" and "AI Shape
// Construction Suite" over the current document.
#include <vector>

#include "core/fault_injector.h"
#include "core/suite_broker.h"
#include "document/suite_parts.h"
#include "plugin/host/suites.h"

namespace heart {

namespace {

// The art behind a handle in the current document, or kNoArt.
ArtId artFor(AIArtHandle handle) {
  Document* document = currentDocument();
  return document ? document->tree().artOf(handle) : kNoArt;
}

// --- AI Art Suite ------------------------------------------------------------

ASErr NewArt(ASInt16 type, ASInt16 paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
  if (ASErr e = injectedFault(kAIArtSuite, "NewArt")) return e;
  Document* document = currentDocument();
  if (!document || !newArt) return kBadParameterErr;
  ArtId reference = kNoArt;
  if (prep && (reference = document->tree().artOf(prep)) == kNoArt) return kBadParameterErr;
  ArtId art;
  if (ASErr e = document->newArt(type, paintOrder, reference, &art)) return e;
  *newArt = document->tree().handleOf(art);
  return kNoErr;
}

ASErr DisposeArt(AIArtHandle art) {
  if (ASErr e = injectedFault(kAIArtSuite, "DisposeArt")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->disposeArt(document->tree().artOf(art));
}

ASErr DuplicateArt(AIArtHandle art, ASInt16 paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
  if (ASErr e = injectedFault(kAIArtSuite, "DuplicateArt")) return e;
  Document* document = currentDocument();
  if (!document || !newArt) return kBadParameterErr;
  ArtId reference = kNoArt;
  if (prep && (reference = document->tree().artOf(prep)) == kNoArt) return kBadParameterErr;
  ArtId copy;
  if (ASErr e = document->duplicateArt(document->tree().artOf(art), paintOrder, reference, &copy))
    return e;
  *newArt = document->tree().handleOf(copy);
  return kNoErr;
}

ASErr GetArtBounds(AIArtHandle art, AIRealRect* bounds) {
  if (ASErr e = injectedFault(kAIArtSuite, "GetArtBounds")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->artBounds(document->tree().artOf(art), bounds);
}

ASErr GetArtType(AIArtHandle art, ASInt16* type) {
  if (ASErr e = injectedFault(kAIArtSuite, "GetArtType")) return e;
  Document* document = currentDocument();
  ArtId id = artFor(art);
  if (id == kNoArt || !type) return kBadParameterErr;
  *type = document->tree().node(id).type;
  return kNoErr;
}

ASErr GetArtParent(AIArtHandle art, AIArtHandle* parent) {
  if (ASErr e = injectedFault(kAIArtSuite, "GetArtParent")) return e;
  Document* document = currentDocument();
  ArtId id = artFor(art);
  if (id == kNoArt || !parent) return kBadParameterErr;
  ArtId up = document->tree().node(id).parent;
  *parent = up == kNoArt ? nullptr : document->tree().handleOf(up);
  return kNoErr;
}

constexpr AIArtSuite kArtSuite = {NewArt,       DisposeArt, DuplicateArt,
                                  GetArtBounds, GetArtType, GetArtParent};

// --- AI Path Suite -----------------------------------------------------------

ASErr GetPathSegmentCount(AIArtHandle path, ASInt16* count) {
  if (ASErr e = injectedFault(kAIPathSuite, "GetPathSegmentCount")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->segmentCount(document->tree().artOf(path), count);
}

ASErr SetPathSegmentCount(AIArtHandle path, ASInt16 count) {
  if (ASErr e = injectedFault(kAIPathSuite, "SetPathSegmentCount")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->setSegmentCount(document->tree().artOf(path), count);
}

ASErr GetPathSegments(AIArtHandle path, ASInt16 index, ASInt16 count, AIPathSegment* segments) {
  if (ASErr e = injectedFault(kAIPathSuite, "GetPathSegments")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->getSegments(document->tree().artOf(path), index, count, segments);
}

ASErr SetPathSegments(AIArtHandle path, ASInt16 index, ASInt16 count,
                      const AIPathSegment* segments) {
  if (ASErr e = injectedFault(kAIPathSuite, "SetPathSegments")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->setSegments(document->tree().artOf(path), index, count, segments);
}

ASErr GetPathClosed(AIArtHandle path, AIBoolean* closed) {
  if (ASErr e = injectedFault(kAIPathSuite, "GetPathClosed")) return e;
  Document* document = currentDocument();
  if (!document || !closed) return kBadParameterErr;
  bool value = false;
  if (ASErr e = document->getClosed(document->tree().artOf(path), &value)) return e;
  *closed = value ? 1 : 0;
  return kNoErr;
}

ASErr SetPathClosed(AIArtHandle path, AIBoolean closed) {
  if (ASErr e = injectedFault(kAIPathSuite, "SetPathClosed")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->setClosed(document->tree().artOf(path), closed != 0);
}

constexpr AIPathSuite kPathSuite = {GetPathSegmentCount, SetPathSegmentCount, GetPathSegments,
                                    SetPathSegments,     GetPathClosed,       SetPathClosed};

// --- AI Path Style Suite -----------------------------------------------------

ASErr GetPathStyle(AIArtHandle path, AIPathStyle* style) {
  if (ASErr e = injectedFault(kAIPathStyleSuite, "GetPathStyle")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->pathStyle(document->tree().artOf(path), style);
}

ASErr SetPathStyle(AIArtHandle path, const AIPathStyle* style) {
  if (ASErr e = injectedFault(kAIPathStyleSuite, "SetPathStyle")) return e;
  Document* document = currentDocument();
  if (!document || !style) return kBadParameterErr;
  return document->setPathStyle(document->tree().artOf(path), *style);
}

constexpr AIPathStyleSuite kPathStyleSuite = {GetPathStyle, SetPathStyle};

// --- AI Blend Style Suite ----------------------------------------------------

// Art that cannot be found counts as opaque.
AIReal GetOpacity(AIArtHandle art) {
  Document* document = currentDocument();
  AIReal opacity = 1;
  if (document) document->opacity(document->tree().artOf(art), &opacity);
  return opacity;
}

ASErr SetOpacity(AIArtHandle art, AIReal opacity) {
  if (ASErr e = injectedFault(kAIBlendStyleSuite, "SetOpacity")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  return document->setOpacity(document->tree().artOf(art), opacity);
}

constexpr AIBlendStyleSuite kBlendStyleSuite = {GetOpacity, SetOpacity};

// --- AI Transform Art Suite --------------------------------------------------

ASErr TransformArt(AIArtHandle art, const AIRealMatrix* matrix, AIReal lineScale, ASInt32 flags) {
  if (ASErr e = injectedFault(kAITransformArtSuite, "TransformArt")) return e;
  Document* document = currentDocument();
  if (!document || !matrix) return kBadParameterErr;
  return document->transformArt(document->tree().artOf(art), *matrix, lineScale, flags);
}

constexpr AITransformArtSuite kTransformArtSuite = {TransformArt};

// --- AI Envelope Suite -------------------------------------------------------

ASErr MakeEnvelope(AIArtHandle* arts, ASInt32 count, AIArtHandle shape,
                   const AIEnvelopeOptions* options, AIArtHandle* envelope) {
  if (ASErr e = injectedFault(kAIEnvelopeSuite, "MakeEnvelope")) return e;
  Document* document = currentDocument();
  if (!document || !arts || count < 1 || !envelope) return kBadParameterErr;
  std::vector<ArtId> ids(static_cast<size_t>(count));
  for (ASInt32 i = 0; i < count; ++i)
    if ((ids[i] = document->tree().artOf(arts[i])) == kNoArt) return kBadParameterErr;
  AIEnvelopeOptions chosen = options ? *options : AIEnvelopeOptions{0, 50};
  ArtId made;
  if (ASErr e =
          document->makeEnvelope(ids.data(), count, document->tree().artOf(shape), chosen, &made))
    return e;
  *envelope = document->tree().handleOf(made);
  return kNoErr;
}

ASErr SetEnvelopeWarp(AIArtHandle envelope, ASInt16 warpStyle, AIReal bend,
                      AIReal horizontalDistortion, AIReal verticalDistortion, AIBoolean vertical) {
  if (ASErr e = injectedFault(kAIEnvelopeSuite, "SetEnvelopeWarp")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  EnvelopeWarp warp{warpStyle, bend, horizontalDistortion, verticalDistortion, vertical != 0};
  return document->setEnvelopeWarp(document->tree().artOf(envelope), warp);
}

constexpr AIEnvelopeSuite kEnvelopeSuite = {MakeEnvelope, SetEnvelopeWarp};

// --- AI Shape Construction Suite ---------------------------------------------

ASErr NewRect(AIReal left, AIReal bottom, AIReal width, AIReal height, AIBoolean reversed,
              AIArtHandle* newArt) {
  if (ASErr e = injectedFault(kAIShapeConstructionSuite, "NewRect")) return e;
  Document* document = currentDocument();
  if (!document || !newArt) return kBadParameterErr;
  ArtId rect;
  if (ASErr e = document->newRect(left, bottom, width, height, reversed != 0, &rect)) return e;
  *newArt = document->tree().handleOf(rect);
  return kNoErr;
}

constexpr AIShapeConstructionSuite kShapeConstructionSuite = {NewRect};

}  // namespace

void registerArtSuites(SuiteBroker& broker) {
  broker.add(kAIArtSuite, kAIArtSuiteVersion, &kArtSuite);
  broker.add(kAIPathSuite, kAIPathSuiteVersion, &kPathSuite);
  broker.add(kAIPathStyleSuite, kAIPathStyleSuiteVersion, &kPathStyleSuite);
  broker.add(kAIBlendStyleSuite, kAIBlendStyleSuiteVersion, &kBlendStyleSuite);
  broker.add(kAITransformArtSuite, kAITransformArtSuiteVersion, &kTransformArtSuite);
  broker.add(kAIEnvelopeSuite, kAIEnvelopeSuiteVersion, &kEnvelopeSuite);
  broker.add(kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion, &kShapeConstructionSuite);
}

}  // namespace heart
