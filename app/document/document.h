// The host's document: a page, a colour model, the art tree (layers in paint
// order and on each layer a tree of paths, groups and envelopes), plus the
// document's swatches, art styles, symbol definitions, tags, views and the
// undo journal of the current filter invocation.
//
// Every change to the art goes through the document, which records it in the
// journal as it makes it; readers walk the tree directly through tree().
// Storage is built for documents of a hundred thousand paths (see ArtTree).
//
// Undo: between beginInvocation() and endInvocation() every change is
// recorded (see UndoJournal). Reverting walks the journal backwards, which
// restores the document exactly (structure, content and handles of the art
// that was there) and gives the slots of the removed art back for reuse.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/result.h"
#include "document/art_style_list.h"
#include "document/art_tree.h"
#include "document/bezier_bounds.h"
#include "document/document_settings.h"
#include "document/document_view.h"
#include "document/envelope_warp.h"
#include "document/path_geometry.h"
#include "document/segment_list.h"
#include "document/swatch_list.h"
#include "document/undo_journal.h"
#include "plugin/host/ai_art_suites.h"
#include "plugin/host/ai_document_suites.h"

namespace heart {

// A symbol definition: the art it was made from, as drawn (paths inside
// envelopes are stored with their warp applied), in paint order.
struct SymbolDefinition {
  std::string name;
  bool unlisted = false;
  std::vector<ArtContent> paths;
};

class Document {
 public:
  // Refuses a page size that is not finite and above 0 (at most 1,000,000
  // points) or an unknown colour model.
  static Result<void> check(const DocumentSettings& settings);
  // Throws std::invalid_argument, with check()'s message, where check()
  // refuses: check settings that come from outside first.
  explicit Document(DocumentSettings settings = {});
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // --- Page, colour model and the paint of new paths -----------------------
  AIRealPoint pageSize() const { return AIRealPoint{settings_.pageWidth, settings_.pageHeight}; }
  int16_t colorModel() const { return settings_.colorModel; }
  // New paths are painted with the current paint: by default a white fill and
  // a black 1-point stroke in the document's colour model.
  static AIPathStyle defaultPaint(int16_t colorModel);
  const AIPathStyle& currentPaint() const { return currentPaint_; }
  void setCurrentPaint(const AIPathStyle& paint) { currentPaint_ = paint; }

  // --- Views ---------------------------------------------------------------
  // View 0, the front view, is centred on the page at zoom 1.
  int32_t viewCount() const { return static_cast<int32_t>(views_.size()); }
  DocumentView& view(int32_t n = 0) { return views_.at(n); }
  const DocumentView& view(int32_t n = 0) const { return views_.at(n); }

  // --- The art, for reading ------------------------------------------------
  // Layers, art, handles and the walks over them. Changes go through the
  // document, which journals them.
  const ArtTree& tree() const { return tree_; }

  // --- Layers --------------------------------------------------------------
  // A new document has one layer, "Layer 1".
  LayerId currentLayer() const { return currentLayer_; }
  // A new layer placed above or below `reference` (paint orders 1 and 2), or
  // above or below all layers (5 and 6, or 1 and 2 without a reference). It
  // becomes the current layer.
  ASErr insertLayer(LayerId reference, int16_t paintOrder, LayerId* layer);
  void setLayerLocked(LayerId id, bool locked) { tree_.layer(id).locked = locked; }
  void setLayerVisible(LayerId id, bool visible) { tree_.layer(id).visible = visible; }

  // --- Art -----------------------------------------------------------------
  // Paint orders as in the art suite. Above all (5) and below all (6) place
  // in the current layer; above (1) and below (2) place beside the reference,
  // and beside the envelope when the reference lies in one; inside (3, 4)
  // need a group. A locked or hidden target layer answers "SEGM".
  ASErr newArt(int16_t type, int16_t paintOrder, ArtId reference, ArtId* art);
  // A deep copy placed like newArt. The copy of an art that lies in an
  // envelope gets an envelope of its own with the same warp, placed where the
  // copy was asked to go, so copies of warped art look warped too.
  ASErr duplicateArt(ArtId art, int16_t paintOrder, ArtId reference, ArtId* copy);
  ASErr disposeArt(ArtId art);
  // Paths: the exact bounds of the outline (handles excluded), before any
  // envelope warp. Groups: the union of their art. Envelopes: the bounds of
  // their contents as warped. Empty art answers all zeros.
  ASErr artBounds(ArtId art, AIRealRect* bounds) const;
  // Moves every anchor and handle of the art (and of the art inside it) by
  // the matrix and multiplies stroke widths by lineScale. Without the
  // objects flag nothing moves. A matrix or line scale that is not finite, a
  // negative line scale, or a result that would not be finite answer "PARM"
  // and leave the art as it was.
  ASErr transformArt(ArtId art, const AIRealMatrix& matrix, AIReal lineScale, int32_t flags);

  // --- Paths ---------------------------------------------------------------
  ASErr segmentCount(ArtId path, int16_t* count) const;
  ASErr setSegmentCount(ArtId path, int32_t count);
  ASErr getSegments(ArtId path, int32_t index, int32_t count, AIPathSegment* segments) const;
  // Writing at the current count appends; a gap after the end answers "PARM";
  // points that are not finite answer "PARM".
  ASErr setSegments(ArtId path, int32_t index, int32_t count, const AIPathSegment* segments);
  ASErr getClosed(ArtId path, bool* closed) const;
  ASErr setClosed(ArtId path, bool closed);
  ASErr pathStyle(ArtId path, AIPathStyle* style) const;
  // A stroke width that is not finite answers "PARM". Colour components are
  // kept as given, even outside 0 to 1; export limits them.
  ASErr setPathStyle(ArtId path, const AIPathStyle& style);
  ASErr opacity(ArtId art, AIReal* opacity) const;
  // Limited to 0..1; not a number answers "PARM".
  ASErr setOpacity(ArtId art, AIReal opacity);
  // A closed rectangle of four corners above all art of the current layer.
  ASErr newRect(AIReal left, AIReal bottom, AIReal width, AIReal height, bool reversed,
                ArtId* rect);

  // --- Envelopes -----------------------------------------------------------
  // A new envelope where the first art was; the arts move into it, in the
  // given order, and the shape is disposed. The arts keep answering every art
  // call as themselves.
  ASErr makeEnvelope(const ArtId* arts, int32_t count, ArtId shape,
                     const AIEnvelopeOptions& options, ArtId* envelope);
  // Styles 1 to 15; bend and distortions are limited to -1..1.
  ASErr setEnvelopeWarp(ArtId envelope, const EnvelopeWarp& warp);
  // The union of the bounds of the envelope's contents, which the warp maps.
  AIRealRect envelopeContentBounds(ArtId envelope) const;
  // The outline of a path as drawn: warped by every envelope it lies in,
  // innermost first.
  void drawnOutline(ArtId path, SegmentList& outline) const;

  // --- Swatches, art styles, symbols, tags ---------------------------------
  const std::vector<Swatch>& swatches() const { return swatches_; }
  const std::vector<ArtStyle>& artStyles() const { return artStyles_; }
  ASErr setArtStyle(ArtId art, int32_t styleIndex);
  // Records a definition made from a copy of the art, as drawn.
  ASErr newSymbolFromArt(ArtId art, bool unlisted, int32_t* symbolIndex);
  const std::vector<SymbolDefinition>& symbols() const { return symbols_; }
  ASErr setTag(ArtId art, const std::string& name, const std::string& value);
  // Null when the art has no tag of that name.
  const std::string* tag(ArtId art, const std::string& name) const;

  // --- Undo ----------------------------------------------------------------
  // The changes of the open invocation and the name of its step.
  const UndoJournal& journal() const { return journal_; }
  // Begins recording; a new begin while one is open keeps the changes so far.
  void beginInvocation() { journal_.begin(); }
  // Keeps every change and stops recording.
  void endInvocation();
  // Discards every change since beginInvocation (or since the last revert);
  // recording goes on. Without an open invocation nothing changes.
  ASErr revertInvocation();
  // The name of the invocation's step in the Edit menu, as the plug-in set it.
  void setUndoText(std::string undo, std::string redo) {
    journal_.setUndoText(std::move(undo), std::move(redo));
  }

  // --- The drawing beneath -------------------------------------------------
  // The SVG text of the designer's drawing this document stands for (empty
  // for a new document). Pictures of the document draw it beneath the art,
  // its top left corner at the page's, 0.75 points a CSS pixel.
  const std::string& backdropSvg() const { return backdropSvg_; }
  void setBackdropSvg(std::string svg);
  // Which drawing that is: a number no other drawing set on any document in
  // this process has had, so that a picture of one is never taken for a
  // picture of another that happens to sit at the same address.
  uint64_t backdropVersion() const { return backdropVersion_; }

  // --- Redraw --------------------------------------------------------------
  void redraw();
  uint64_t redrawCount() const { return redraws_; }
  void setRedrawListener(std::function<void()> listener) { redrawListener_ = std::move(listener); }

 private:
  using ChangeKind = UndoJournal::ChangeKind;
  using TagList = std::vector<std::pair<std::string, std::string>>;

  // Art lookup for the operations: the live art of a type, or null.
  ArtNode* liveNode(ArtId id);
  const ArtNode* liveNode(ArtId id) const;
  ArtNode* livePath(ArtId id);
  const ArtNode* livePath(ArtId id) const;

  ASErr placeFor(int16_t paintOrder, ArtId reference, ArtPlace* place) const;
  // The warps of the envelopes the art lies in, outermost first.
  EnvelopeWarps warpsAround(ArtId art) const;
  // A new art in the tree, journaled as created.
  ArtId create(int16_t type, LayerId layer);
  // Releases the art and forgets its tags.
  void release(ArtId id);
  void releaseSubtree(ArtId id);
  ArtId copyDetached(ArtId source, LayerId layer);
  // Saves the content of art that existed before the invocation, once.
  void touch(ArtId id) { journal_.saveContent(id, tree_.slot(id)); }
  // Takes back one change of the journal.
  void undo(const UndoJournal::Change& change);
  void addBounds(ArtId id, BoundsAccumulator& bounds) const;
  void addDrawnBounds(ArtId id, EnvelopeWarps& warps, BoundsAccumulator& bounds) const;
  void collectDrawn(ArtId id, EnvelopeWarps& warps, std::vector<ArtContent>& out) const;
  bool transformable(ArtId id, const AIRealMatrix& m, double lineScale) const;
  void applyTransform(ArtId id, const AIRealMatrix& m, double lineScale);

  DocumentSettings settings_;
  AIPathStyle currentPaint_;
  std::vector<DocumentView> views_;
  ArtTree tree_;
  LayerId currentLayer_ = 0;
  std::vector<Swatch> swatches_;
  std::vector<ArtStyle> artStyles_;
  std::vector<SymbolDefinition> symbols_;
  std::unordered_map<ArtId, TagList> tags_;
  UndoJournal journal_;

  std::string backdropSvg_;
  uint64_t backdropVersion_ = 0;
  uint64_t redraws_ = 0;
  std::function<void()> redrawListener_;
};

}  // namespace heart
