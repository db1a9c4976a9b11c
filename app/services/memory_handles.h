// The memory handles of "AI MdMemory Suite": a handle is a pointer to the
// pointer to a zero-filled block, so the block may move when it is resized
// while the handle stays the same. The host keeps every handle it handed out
// and refuses operations on any other pointer.
#pragma once

#include <cstddef>
#include <map>
#include <memory>

#include "plugin/host/heart_types.h"

namespace heart {

class MemoryHandles {
 public:
  // A new handle to `size` zero-filled bytes; null when the memory cannot be had.
  AIMdMemoryHandle allocate(size_t size);
  // False for a handle this host did not hand out.
  bool dispose(AIMdMemoryHandle handle);
  bool owns(AIMdMemoryHandle handle) const;
  // The block's size; 0 for a handle this host does not own.
  size_t size(AIMdMemoryHandle handle) const;
  // Keeps the first min(old, new) bytes and zero-fills any new ones. False
  // for an unknown handle or when the memory cannot be had (then the block is
  // unchanged).
  bool resize(AIMdMemoryHandle handle, size_t newSize);

  size_t liveCount() const { return handles_.size(); }

 private:
  struct Entry {
    std::unique_ptr<char*> master;  // what the handle points to
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
  };
  std::map<AIMdMemoryHandle, Entry> handles_;
};

}  // namespace heart
