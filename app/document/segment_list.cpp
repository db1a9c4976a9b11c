#include "document/segment_list.h"

#include <cstring>

namespace heart {

void SegmentList::grow(int32_t count) {
  int32_t grown = std::max(count, capacity_ * 2);
  std::unique_ptr<AIPathSegment[]> bigger(new AIPathSegment[static_cast<size_t>(grown)]);
  if (size_ > 0)
    std::memcpy(bigger.get(), data(), static_cast<size_t>(size_) * sizeof(AIPathSegment));
  heap_ = std::move(bigger);
  capacity_ = grown;
}

}  // namespace heart
