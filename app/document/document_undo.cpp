// The undo journal of one filter invocation. Every change to the document
// goes through record() or touch(), so reverting is a walk backwards over
// the journal that undoes each change in the opposite order it was made.
#include "document/document.h"

namespace heart {

void Document::record(ChangeKind kind, ArtId art, const Place& place, uint32_t saved) {
  if (!journaling_) return;
  journal_.push_back(Change{kind, art, place, saved});
}

void Document::touch(ArtId id) {
  if (!journaling_) return;
  ArtNode& node = arts_[id];
  // Art made in this epoch goes away whole on revert, and art saved in this
  // epoch already has its earlier state in the journal.
  if (node.bornEpoch == epoch_ || node.savedEpoch == epoch_) return;
  node.savedEpoch = epoch_;
  savedContents_.push_back(node.content);
  record(ChangeKind::kArtContentSaved, id, {}, static_cast<uint32_t>(savedContents_.size() - 1));
}

void Document::beginInvocation() {
  if (journaling_) return;
  journaling_ = true;
  ++epoch_;
}

void Document::endInvocation() {
  if (!journaling_) return;
  // Art disposed during the invocation is gone for good now.
  for (ArtId id : disposedThisInvocation_)
    if (arts_[id].alive && arts_[id].disposed) releaseSubtree(id);
  disposedThisInvocation_.clear();
  journal_.clear();
  savedContents_.clear();
  savedTags_.clear();
  journaling_ = false;
  ++epoch_;
}

ASErr Document::revertInvocation() {
  if (!journaling_) return kNoErr;
  for (auto change = journal_.rbegin(); change != journal_.rend(); ++change) {
    switch (change->kind) {
      case ChangeKind::kArtCreated:
        unlink(change->art);
        release(change->art);
        break;
      case ChangeKind::kArtContentSaved: {
        ArtNode& node = arts_[change->art];
        node.content = std::move(savedContents_[change->saved]);
        node.savedEpoch = 0;
        break;
      }
      case ChangeKind::kArtDisposed:
        link(change->art, change->place);
        setSubtreeDisposed(change->art, false);
        break;
      case ChangeKind::kArtMoved:
        unlink(change->art);
        link(change->art, change->place);
        setSubtreeLayer(change->art, change->place.layer);
        break;
      case ChangeKind::kLayerCreated: {
        LayerId layer = change->saved;
        std::erase(layerOrder_, layer);
        layers_.pop_back();  // layers are made and removed last in, first out
        break;
      }
      case ChangeKind::kCurrentLayerChanged:
        currentLayer_ = change->saved;
        break;
      case ChangeKind::kSymbolCreated:
        symbols_.pop_back();
        break;
      case ChangeKind::kTagChanged: {
        SavedTag& saved = savedTags_[change->saved];
        auto& list = tags_[change->art];
        std::erase_if(list, [&](const auto& t) { return t.first == saved.name; });
        if (saved.value) list.emplace_back(saved.name, std::move(*saved.value));
        if (list.empty()) tags_.erase(change->art);
        break;
      }
    }
  }
  journal_.clear();
  savedContents_.clear();
  savedTags_.clear();
  disposedThisInvocation_.clear();
  // A new epoch: art kept from before must be saved again when it next changes.
  ++epoch_;
  return kNoErr;
}

}  // namespace heart
