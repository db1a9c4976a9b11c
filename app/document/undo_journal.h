// The undo journal of one filter invocation: between begin() and end() every
// change to the document is listed here, in the order it was made, with what
// is needed to take it back. Its size follows the size of the change: created
// art, layers and symbols are listed by id, and art that existed before the
// invocation has its content saved the first time it changes.
//
// The journal only keeps the list; the document walks it backwards to revert,
// undoing each change in the opposite order it was made.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/art_node.h"
#include "document/art_tree.h"

namespace heart {

class UndoJournal {
 public:
  enum class ChangeKind : uint8_t {
    kArtCreated,
    kArtContentSaved,
    kArtDisposed,
    kArtMoved,
    kLayerCreated,
    kCurrentLayerChanged,
    kSymbolCreated,
    kTagChanged,
  };
  struct Change {
    ChangeKind kind;
    ArtId art = kNoArt;
    ArtPlace place;      // where disposed or moved art was
    uint32_t saved = 0;  // index of the saved content or tag, or a layer id
  };
  // A tag's value before the change; none when the art had no such tag.
  struct SavedTag {
    std::string name;
    std::optional<std::string> value;
  };

  // Whether an invocation is open: changes are recorded only then.
  bool isOpen() const { return open_; }
  // Each begin, end and revert starts a new epoch: art made or saved in the
  // current epoch needs no saving before it changes.
  uint32_t epoch() const { return epoch_; }
  // Answers false, changing nothing, when an invocation is already open.
  bool begin();
  // Forgets every change and stops recording; answers false when none was open.
  bool end();
  // The changes so far, oldest first.
  const std::vector<Change>& changes() const { return changes_; }
  size_t length() const { return changes_.size(); }
  // Forgets every change after a revert; recording goes on in a new epoch.
  void clearAfterRevert();

  void record(ChangeKind kind, ArtId art, const ArtPlace& place, uint32_t saved);
  void record(ChangeKind kind, ArtId art = kNoArt) { record(kind, art, ArtPlace{}, 0); }
  // Saves the content of art that existed before the invocation, once in
  // each epoch.
  void saveContent(ArtId id, ArtNode& node);
  ArtContent takeSavedContent(uint32_t index) { return std::move(savedContents_[index]); }
  // Saves a tag's value before it changes on art that existed before the
  // invocation.
  void saveTag(ArtId art, SavedTag tag);
  SavedTag& savedTag(uint32_t index) { return savedTags_[index]; }

  // Art taken out during the invocation, released for good when it ends.
  void noteDisposed(ArtId id) { disposed_.push_back(id); }
  const std::vector<ArtId>& disposed() const { return disposed_; }

  // The name of the invocation's step in the Edit menu, as the plug-in set it.
  void setUndoText(std::string undo, std::string redo) {
    undoText_ = std::move(undo);
    redoText_ = std::move(redo);
  }
  const std::string& undoText() const { return undoText_; }
  const std::string& redoText() const { return redoText_; }

 private:
  void forget();

  bool open_ = false;
  uint32_t epoch_ = 0;
  std::vector<Change> changes_;
  std::vector<ArtContent> savedContents_;
  std::vector<SavedTag> savedTags_;
  std::vector<ArtId> disposed_;
  std::string undoText_, redoText_;
};

}  // namespace heart
