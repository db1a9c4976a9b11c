// "AI Document Suite", "AI Document View Suite", "AI Layer Suite", "AI Swatch
// List Suite", "AI Art Style Suite", "AI Symbol Suite", "AI Undo Suite" and
// "AI Tag Suite" over the current document.
#include "core/fault_injector.h"
#include "core/suite_broker.h"
#include "document/random_source.h"
#include "document/suite_parts.h"
#include "plugin/host/suites.h"

namespace heart {

namespace {

// The answer of GetTag for an art without a tag of that name.
constexpr ASErr kNoTagErr = HEART_FOUR_CC('N', 'o', 'T', 'g');

// --- AI Document Suite -------------------------------------------------------

ASErr GetDocumentPageSize(AIRealPoint* size) {
  if (ASErr e = injectedFault(kAIDocumentSuite, "GetDocumentPageSize")) return e;
  Document* document = currentDocument();
  if (!document || !size) return kBadParameterErr;
  *size = document->pageSize();
  return kNoErr;
}

ASErr RedrawDocument() {
  if (ASErr e = injectedFault(kAIDocumentSuite, "RedrawDocument")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  document->redraw();
  return kNoErr;
}

ASErr GetDocumentColorModel(ASInt16* colorModel) {
  if (ASErr e = injectedFault(kAIDocumentSuite, "GetDocumentColorModel")) return e;
  Document* document = currentDocument();
  if (!document || !colorModel) return kBadParameterErr;
  *colorModel = document->colorModel();
  return kNoErr;
}

constexpr AIDocumentSuite kDocumentSuite = {GetDocumentPageSize, RedrawDocument,
                                            GetDocumentColorModel};

// --- AI Document View Suite --------------------------------------------------

DocumentView* viewFor(AIDocumentViewHandle handle) {
  Document* document = currentDocument();
  size_t index;
  if (!document || !indexFromRef(handle, static_cast<size_t>(document->viewCount()), &index))
    return nullptr;
  return &document->view(static_cast<int32_t>(index));
}

ASErr GetNthDocumentView(ASInt32 n, AIDocumentViewHandle* view) {
  if (ASErr e = injectedFault(kAIDocumentViewSuite, "GetNthDocumentView")) return e;
  Document* document = currentDocument();
  if (!document || !view || n < 0 || n >= document->viewCount()) return kBadParameterErr;
  *view = refFromIndex<AIDocumentViewHandle>(static_cast<size_t>(n));
  return kNoErr;
}

ASErr GetDocumentViewCenter(AIDocumentViewHandle handle, AIRealPoint* center) {
  if (ASErr e = injectedFault(kAIDocumentViewSuite, "GetDocumentViewCenter")) return e;
  DocumentView* view = viewFor(handle);
  if (!view || !center) return kBadParameterErr;
  *center = view->centre();
  return kNoErr;
}

ASErr SetDocumentViewCenter(AIDocumentViewHandle handle, const AIRealPoint* center) {
  if (ASErr e = injectedFault(kAIDocumentViewSuite, "SetDocumentViewCenter")) return e;
  DocumentView* view = viewFor(handle);
  if (!view || !center || !view->setCentre(*center)) return kBadParameterErr;
  return kNoErr;
}

ASErr GetDocumentViewZoom(AIDocumentViewHandle handle, AIReal* zoom) {
  if (ASErr e = injectedFault(kAIDocumentViewSuite, "GetDocumentViewZoom")) return e;
  DocumentView* view = viewFor(handle);
  if (!view || !zoom) return kBadParameterErr;
  *zoom = view->zoom();
  return kNoErr;
}

ASErr SetDocumentViewZoom(AIDocumentViewHandle handle, AIReal zoom) {
  if (ASErr e = injectedFault(kAIDocumentViewSuite, "SetDocumentViewZoom")) return e;
  DocumentView* view = viewFor(handle);
  if (!view || !view->setZoom(zoom)) return kBadParameterErr;
  return kNoErr;
}

ASErr ViewPointToArtworkPoint(AIDocumentViewHandle handle, const ASPoint* viewPoint,
                              AIRealPoint* artworkPoint) {
  if (ASErr e = injectedFault(kAIDocumentViewSuite, "ViewPointToArtworkPoint")) return e;
  DocumentView* view = viewFor(handle);
  if (!view || !viewPoint || !artworkPoint) return kBadParameterErr;
  *artworkPoint = view->toArtwork(*viewPoint);
  return kNoErr;
}

ASErr ArtworkPointToViewPoint(AIDocumentViewHandle handle, const AIRealPoint* artworkPoint,
                              ASPoint* viewPoint) {
  if (ASErr e = injectedFault(kAIDocumentViewSuite, "ArtworkPointToViewPoint")) return e;
  DocumentView* view = viewFor(handle);
  if (!view || !artworkPoint || !viewPoint || !view->toView(*artworkPoint, viewPoint))
    return kBadParameterErr;
  return kNoErr;
}

constexpr AIDocumentViewSuite kDocumentViewSuite = {
    GetNthDocumentView,  GetDocumentViewCenter,   SetDocumentViewCenter,  GetDocumentViewZoom,
    SetDocumentViewZoom, ViewPointToArtworkPoint, ArtworkPointToViewPoint};

// --- AI Layer Suite ----------------------------------------------------------

ASErr InsertLayer(AILayerHandle reference, ASInt16 paintOrder, AILayerHandle* layer) {
  if (ASErr e = injectedFault(kAILayerSuite, "InsertLayer")) return e;
  Document* document = currentDocument();
  if (!document || !layer) return kBadParameterErr;
  LayerId beside = kNoLayer;
  if (reference && (beside = document->tree().layerOf(reference)) == kNoLayer)
    return kBadParameterErr;
  LayerId made;
  if (ASErr e = document->insertLayer(beside, paintOrder, &made)) return e;
  *layer = ArtTree::handleOfLayer(made);
  return kNoErr;
}

ASErr CountLayers(ASInt32* count) {
  if (ASErr e = injectedFault(kAILayerSuite, "CountLayers")) return e;
  Document* document = currentDocument();
  if (!document || !count) return kBadParameterErr;
  *count = static_cast<ASInt32>(document->tree().layerOrder().size());
  return kNoErr;
}

// Layer 0 is the top layer, as a layer list shows them.
ASErr GetNthLayer(ASInt32 n, AILayerHandle* layer) {
  if (ASErr e = injectedFault(kAILayerSuite, "GetNthLayer")) return e;
  Document* document = currentDocument();
  if (!document || !layer) return kBadParameterErr;
  const auto& order = document->tree().layerOrder();
  if (n < 0 || static_cast<size_t>(n) >= order.size()) return kBadParameterErr;
  *layer = ArtTree::handleOfLayer(order[order.size() - 1 - static_cast<size_t>(n)]);
  return kNoErr;
}

ASErr GetCurrentLayer(AILayerHandle* layer) {
  if (ASErr e = injectedFault(kAILayerSuite, "GetCurrentLayer")) return e;
  Document* document = currentDocument();
  if (!document || !layer) return kBadParameterErr;
  *layer = ArtTree::handleOfLayer(document->currentLayer());
  return kNoErr;
}

constexpr AILayerSuite kLayerSuite = {InsertLayer, CountLayers, GetNthLayer, GetCurrentLayer};

// --- AI Swatch List Suite ----------------------------------------------------
// Only the current document's list exists; it is named by the null list.
// Swatch references hold the index plus one. An index outside the list gives
// the null swatch, whose colour cannot be read ("PARM", colour untouched).

const Swatch* swatchFor(AISwatchRef swatch) {
  Document* document = currentDocument();
  size_t index;
  if (!document || !indexFromRef(swatch, document->swatches().size(), &index)) return nullptr;
  return &document->swatches()[index];
}

ASInt32 CountSwatches(AISwatchListRef list) {
  Document* document = currentDocument();
  if (!document || list) return 0;
  return static_cast<ASInt32>(document->swatches().size());
}

AISwatchRef GetNthSwatch(AISwatchListRef list, ASInt32 index) {
  Document* document = currentDocument();
  if (!document || list || index < 0 || static_cast<size_t>(index) >= document->swatches().size())
    return nullptr;
  return refFromIndex<AISwatchRef>(static_cast<size_t>(index));
}

ASErr GetAIColor(AISwatchRef swatch, AIColor* color) {
  if (ASErr e = injectedFault(kAISwatchListSuite, "GetAIColor")) return e;
  const Swatch* found = swatchFor(swatch);
  if (!found || !color) return kBadParameterErr;
  *color = found->color;
  return kNoErr;
}

ASErr GetSwatchName(AISwatchRef swatch, char* buffer, ASInt32 bufferSize) {
  if (ASErr e = injectedFault(kAISwatchListSuite, "GetSwatchName")) return e;
  const Swatch* found = swatchFor(swatch);
  if (!found) return kBadParameterErr;
  return copyTextOrRefuse(found->name, buffer, bufferSize);
}

constexpr AISwatchListSuite kSwatchListSuite = {CountSwatches, GetNthSwatch, GetAIColor,
                                                GetSwatchName};

// --- AI Art Style Suite ------------------------------------------------------

ASErr CountArtStyles(ASInt32* count) {
  if (ASErr e = injectedFault(kAIArtStyleSuite, "CountArtStyles")) return e;
  Document* document = currentDocument();
  if (!document || !count) return kBadParameterErr;
  *count = static_cast<ASInt32>(document->artStyles().size());
  return kNoErr;
}

ASErr GetNthArtStyle(ASInt32 index, AIArtStyleHandle* style) {
  if (ASErr e = injectedFault(kAIArtStyleSuite, "GetNthArtStyle")) return e;
  Document* document = currentDocument();
  if (!document || !style || index < 0 ||
      static_cast<size_t>(index) >= document->artStyles().size())
    return kBadParameterErr;
  *style = refFromIndex<AIArtStyleHandle>(static_cast<size_t>(index));
  return kNoErr;
}

ASErr SetArtStyle(AIArtHandle art, AIArtStyleHandle style) {
  if (ASErr e = injectedFault(kAIArtStyleSuite, "SetArtStyle")) return e;
  Document* document = currentDocument();
  size_t index;
  if (!document || !indexFromRef(style, document->artStyles().size(), &index))
    return kBadParameterErr;
  return document->setArtStyle(document->tree().artOf(art), static_cast<int32_t>(index));
}

ASErr GetArtStyleName(AIArtStyleHandle style, char* buffer, ASInt32 bufferSize) {
  if (ASErr e = injectedFault(kAIArtStyleSuite, "GetArtStyleName")) return e;
  Document* document = currentDocument();
  size_t index;
  if (!document || !indexFromRef(style, document->artStyles().size(), &index))
    return kBadParameterErr;
  return copyTextOrRefuse(document->artStyles()[index].name, buffer, bufferSize);
}

constexpr AIArtStyleSuite kArtStyleSuite = {CountArtStyles, GetNthArtStyle, SetArtStyle,
                                            GetArtStyleName};

// --- AI Symbol Suite ---------------------------------------------------------

ASErr NewSymbolFromArt(AIArtHandle art, AIBoolean unlisted, AISymbolHandle* symbol) {
  if (ASErr e = injectedFault(kAISymbolSuite, "NewSymbolFromArt")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  int32_t index;
  if (ASErr e = document->newSymbolFromArt(document->tree().artOf(art), unlisted != 0, &index))
    return e;
  if (symbol) *symbol = refFromIndex<AISymbolHandle>(static_cast<size_t>(index));
  return kNoErr;
}

ASErr CountSymbols(ASInt32* count) {
  if (ASErr e = injectedFault(kAISymbolSuite, "CountSymbols")) return e;
  Document* document = currentDocument();
  if (!document || !count) return kBadParameterErr;
  *count = static_cast<ASInt32>(document->symbols().size());
  return kNoErr;
}

constexpr AISymbolSuite kSymbolSuite = {NewSymbolFromArt, CountSymbols};

// --- AI Undo Suite -----------------------------------------------------------

ASErr UndoChanges() {
  if (ASErr e = injectedFault(kAIUndoSuite, "UndoChanges")) return e;
  Document* document = currentDocument();
  if (!document) return kBadParameterErr;
  // Reverting is the first thing every generator run does: the random
  // source's place now is where that run's draws start.
  if (RandomSource* random = currentHost().random) random->noteRunStart();
  return document->revertInvocation();
}

ASErr SetUndoText(const char* undoText, const char* redoText) {
  if (ASErr e = injectedFault(kAIUndoSuite, "SetUndoText")) return e;
  Document* document = currentDocument();
  if (!document || !undoText || !redoText) return kBadParameterErr;
  document->setUndoText(undoText, redoText);
  return kNoErr;
}

constexpr AIUndoSuite kUndoSuite = {UndoChanges, SetUndoText};

// --- AI Tag Suite ------------------------------------------------------------

ASErr SetTag(AIArtHandle art, const char* name, const char* value) {
  if (ASErr e = injectedFault(kAITagSuite, "SetTag")) return e;
  Document* document = currentDocument();
  if (!document || !name || !value) return kBadParameterErr;
  return document->setTag(document->tree().artOf(art), name, value);
}

ASErr GetTag(AIArtHandle art, const char* name, char* buffer, ASInt32 bufferSize) {
  if (ASErr e = injectedFault(kAITagSuite, "GetTag")) return e;
  Document* document = currentDocument();
  if (!document || !name) return kBadParameterErr;
  ArtId id = document->tree().artOf(art);
  if (id == kNoArt) return kBadParameterErr;
  const std::string* value = document->tag(id, name);
  if (!value) return kNoTagErr;
  return copyTextOrRefuse(*value, buffer, bufferSize);
}

constexpr AITagSuite kTagSuite = {SetTag, GetTag};

}  // namespace

void registerDocumentLevelSuites(SuiteBroker& broker) {
  broker.add(kAIDocumentSuite, kAIDocumentSuiteVersion, &kDocumentSuite);
  broker.add(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &kDocumentViewSuite);
  broker.add(kAILayerSuite, kAILayerSuiteVersion, &kLayerSuite);
  broker.add(kAISwatchListSuite, kAISwatchListSuiteVersion, &kSwatchListSuite);
  broker.add(kAIArtStyleSuite, kAIArtStyleSuiteVersion, &kArtStyleSuite);
  broker.add(kAISymbolSuite, kAISymbolSuiteVersion, &kSymbolSuite);
  broker.add(kAIUndoSuite, kAIUndoSuiteVersion, &kUndoSuite);
  broker.add(kAITagSuite, kAITagSuiteVersion, &kTagSuite);
}

}  // namespace heart
