// Ending and reverting a filter invocation: the journal lists every change
// since it began, and reverting undoes them in the opposite order they were
// made.
#include "document/document.h"

namespace heart {

void Document::endInvocation() {
  if (!journal_.isOpen()) return;
  // Art disposed during the invocation is gone for good now.
  for (ArtId id : journal_.disposed())
    if (tree_.slot(id).alive && tree_.slot(id).disposed) releaseSubtree(id);
  journal_.end();
}

ASErr Document::revertInvocation() {
  if (!journal_.isOpen()) return kNoErr;
  const std::vector<UndoJournal::Change>& changes = journal_.changes();
  for (auto change = changes.rbegin(); change != changes.rend(); ++change) undo(*change);
  journal_.clearAfterRevert();
  return kNoErr;
}

void Document::undo(const UndoJournal::Change& change) {
  switch (change.kind) {
    case ChangeKind::kArtCreated:
      tree_.unlink(change.art);
      release(change.art);
      break;
    case ChangeKind::kArtContentSaved: {
      ArtNode& node = tree_.slot(change.art);
      node.content = journal_.takeSavedContent(change.saved);
      node.savedEpoch = 0;
      break;
    }
    case ChangeKind::kArtDisposed:
      tree_.link(change.art, change.place);
      tree_.setSubtreeDisposed(change.art, false);
      break;
    case ChangeKind::kArtMoved:
      tree_.unlink(change.art);
      tree_.link(change.art, change.place);
      tree_.setSubtreeLayer(change.art, change.place.layer);
      break;
    case ChangeKind::kLayerCreated:
      // Layers are made and removed last in, first out.
      tree_.removeNewestLayer();
      break;
    case ChangeKind::kCurrentLayerChanged:
      currentLayer_ = change.saved;
      break;
    case ChangeKind::kSymbolCreated:
      symbols_.pop_back();
      break;
    case ChangeKind::kTagChanged: {
      UndoJournal::SavedTag& saved = journal_.savedTag(change.saved);
      auto& list = tags_[change.art];
      std::erase_if(list, [&](const auto& t) { return t.first == saved.name; });
      if (saved.value) list.emplace_back(saved.name, std::move(*saved.value));
      if (list.empty()) tags_.erase(change.art);
      break;
    }
  }
}

}  // namespace heart
