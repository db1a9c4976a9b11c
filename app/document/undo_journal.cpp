#include "document/undo_journal.h"

namespace heart {

bool UndoJournal::begin() {
  if (open_) return false;
  open_ = true;
  ++epoch_;
  return true;
}

bool UndoJournal::end() {
  if (!open_) return false;
  forget();
  open_ = false;
  ++epoch_;
  return true;
}

void UndoJournal::clearAfterRevert() {
  forget();
  // Art kept from before must be saved again when it next changes.
  ++epoch_;
}

void UndoJournal::forget() {
  changes_.clear();
  savedContents_.clear();
  savedTags_.clear();
  disposed_.clear();
}

void UndoJournal::record(ChangeKind kind, ArtId art, const ArtPlace& place, uint32_t saved) {
  if (!open_) return;
  changes_.push_back(Change{kind, art, place, saved});
}

void UndoJournal::saveContent(ArtId id, ArtNode& node) {
  if (!open_) return;
  // Art made in this epoch goes away whole on revert, and art saved in this
  // epoch already has its earlier state in the journal.
  if (node.bornEpoch == epoch_ || node.savedEpoch == epoch_) return;
  node.savedEpoch = epoch_;
  savedContents_.push_back(node.content);
  record(ChangeKind::kArtContentSaved, id, {}, static_cast<uint32_t>(savedContents_.size() - 1));
}

void UndoJournal::saveTag(ArtId art, SavedTag tag) {
  savedTags_.push_back(std::move(tag));
  record(ChangeKind::kTagChanged, art, {}, static_cast<uint32_t>(savedTags_.size() - 1));
}

}  // namespace heart
