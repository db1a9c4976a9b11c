#include "document/art_store.h"

#include <cstdlib>
#ifdef _WIN32
#include <malloc.h>
#endif
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace heart {

namespace {

// Blocks aligned to the huge-page size; Windows' C run-time keeps aligned
// blocks apart from malloc's.
void* allocateAligned(size_t alignment, size_t bytes) {
#ifdef _WIN32
  return _aligned_malloc(bytes, alignment);
#else
  return std::aligned_alloc(alignment, bytes);
#endif
}

void freeAligned(void* memory) {
#ifdef _WIN32
  _aligned_free(memory);
#else
  std::free(memory);
#endif
}

constexpr size_t kHugePage = size_t{2} << 20;
static_assert(ArtStore::kBlockBytes % kHugePage == 0, "blocks are whole huge pages");

}  // namespace

ArtStore::~ArtStore() {
  for (size_t b = 0; b < blocks_.size(); ++b) {
    size_t used = b + 1 < blocks_.size() ? kBlockSlots : size_ - b * kBlockSlots;
    for (size_t i = 0; i < used; ++i) blocks_[b][i].~ArtNode();
    freeAligned(blocks_[b]);
  }
}

ArtNode& ArtStore::emplace_back() {
  if (size_ == blocks_.size() * kBlockSlots) {
    void* memory = allocateAligned(kHugePage, kBlockBytes);
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
