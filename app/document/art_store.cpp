#include "document/art_store.h"

#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace heart {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
static_assert(ArtStore::kBlockBytes % kHugePage == 0, "blocks are whole huge pages");

}  // namespace

ArtStore::~ArtStore() {
  for (size_t b = 0; b < blocks_.size(); ++b) {
    size_t used = b + 1 < blocks_.size() ? kBlockSlots : size_ - b * kBlockSlots;
    for (size_t i = 0; i < used; ++i) blocks_[b][i].~ArtNode();
    std::free(blocks_[b]);
  }
}

ArtNode& ArtStore::emplace_back() {
  if (size_ == blocks_.size() * kBlockSlots) {
    void* memory = std::aligned_alloc(kHugePage, kBlockBytes);
    if (!memory) throw std::bad_alloc();
#ifdef __linux__
    madvise(memory, kBlockBytes, MADV_HUGEPAGE);
#endif
    blocks_.push_back(static_cast<ArtNode*>(memory));
  }
  ArtNode* slot = &blocks_[size_ / kBlockSlots][size_ % kBlockSlots];
  new (slot) ArtNode();
  ++size_;
  return *slot;
}

}  // namespace heart
