// The slots that hold a document's art. Slots live in fixed blocks that
// never move, so a growing document never copies its art, and each block is
// large enough for the system to back it with huge pages where it can: the
// first run that fills a fresh document costs little more than later ones.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <vector>

#include "document/art_node.h"

namespace heart {

class ArtStore {
 public:
  // A block fills two huge pages.
  static constexpr size_t kBlockBytes = size_t{4} << 20;
  static constexpr size_t kBlockSlots = kBlockBytes / sizeof(ArtNode);

  ArtStore() = default;
  ~ArtStore();
  ArtStore(const ArtStore&) = delete;
  ArtStore& operator=(const ArtStore&) = delete;

  size_t size() const { return size_; }
  ArtNode& operator[](size_t i) { return blocks_[i / kBlockSlots][i % kBlockSlots]; }
  const ArtNode& operator[](size_t i) const { return blocks_[i / kBlockSlots][i % kBlockSlots]; }
  ArtNode& at(size_t i) {
    if (i >= size_) throw std::out_of_range("no art in this slot");
    return (*this)[i];
  }
  const ArtNode& at(size_t i) const {
    if (i >= size_) throw std::out_of_range("no art in this slot");
    return (*this)[i];
  }
  // A new slot at the end, holding an empty art.
  ArtNode& emplace_back();

 private:
  std::vector<ArtNode*> blocks_;
  size_t size_ = 0;
};

}  // namespace heart
