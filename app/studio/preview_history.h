// The variations a studio session has shown, oldest first: for each preview
// the page showed, the parameter record as it was, where the host's random
// source stood when that preview's run began, what made it ("Tumble",
// "heartCount 40", "Preset: Sketchy heart 1") and a small picture of it.
// Bringing an entry back hands its record to the dialog and runs the
// preview again from that place of the random source, which draws the same
// picture again.
//
// Going back and then making a change starts a new branch: the entries
// after the current one are dropped and the new variation follows the
// current one, as an editor's undo does. The history is bounded by a count
// of entries and by the bytes its records and pictures take; the oldest
// entries go first, the newest one always stays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart::studio {

struct PreviewPicture;

struct HistoryEntry {
  std::vector<unsigned char> record;  // the parameter record's bytes
  uint32_t seed = 0;                  // the random source's seed
  uint64_t randomStart = 0;           // values drawn from the seed when its run began
  std::string cause;
  std::shared_ptr<const std::vector<unsigned char>> thumbnail;  // a PNG; may be null
  uint64_t serial = 0;  // set by the history: grows with every entry, never reused
  size_t bytes() const;
};

struct HistoryBounds {
  size_t entries = 200;
  size_t bytes = size_t{64} << 20;  // 64 MiB of records and pictures
};

class PreviewHistory {
 public:
  explicit PreviewHistory(HistoryBounds bounds = {});

  // The new variation follows the current one and becomes current; entries
  // after the current one are dropped first, then the oldest ones while the
  // bounds are exceeded. Answers the entry's serial.
  uint64_t add(HistoryEntry entry);
  // Makes entry `index` (0: the oldest kept) current; refused, changing
  // nothing, when there is no such entry.
  Result<const HistoryEntry*> select(int64_t index);

  size_t size() const { return entries_.size(); }
  std::optional<size_t> current() const { return current_; }
  const HistoryEntry& at(size_t index) const { return entries_.at(index); }
  size_t bytes() const { return bytes_; }
  const HistoryBounds& bounds() const { return bounds_; }

  // What the page lists: {"entries": [[serial, cause], ...], "current": N}.
  nlohmann::json summary() const;

 private:
  HistoryBounds bounds_;
  std::deque<HistoryEntry> entries_;
  std::optional<size_t> current_;
  size_t bytes_ = 0;
  uint64_t nextSerial_ = 1;
};

// A small copy of the picture, `height` pixels high (or the picture's own
// height when it is lower), as a PNG; nothing when it cannot be made.
std::shared_ptr<const std::vector<unsigned char>> thumbnailPng(const PreviewPicture& picture,
                                                               int height = 96);

}  // namespace heart::studio
