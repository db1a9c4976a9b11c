#include "services/memory_handles.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace heart {
namespace {

std::unique_ptr<char[]> zeroedBytes(size_t size) {
  return std::unique_ptr<char[]>(new (std::nothrow) char[size ? size : 1]());
}

}  // namespace

AIMdMemoryHandle MemoryHandles::allocate(size_t size) {
  auto bytes = zeroedBytes(size);
  auto master = std::unique_ptr<char*>(new (std::nothrow) char*(bytes.get()));
  if (!bytes || !master) return nullptr;
  AIMdMemoryHandle handle = master.get();
  handles_[handle] = Entry{std::move(master), std::move(bytes), size};
  return handle;
}

bool MemoryHandles::dispose(AIMdMemoryHandle handle) { return handles_.erase(handle) == 1; }

bool MemoryHandles::owns(AIMdMemoryHandle handle) const { return handles_.count(handle) == 1; }

size_t MemoryHandles::size(AIMdMemoryHandle handle) const {
  auto found = handles_.find(handle);
  return found == handles_.end() ? 0 : found->second.size;
}

bool MemoryHandles::resize(AIMdMemoryHandle handle, size_t newSize) {
  auto found = handles_.find(handle);
  if (found == handles_.end()) return false;
  Entry& entry = found->second;
  auto bytes = zeroedBytes(newSize);
  if (!bytes) return false;
  std::memcpy(bytes.get(), entry.bytes.get(), std::min(entry.size, newSize));
  entry.bytes = std::move(bytes);
  entry.size = newSize;
  *entry.master = entry.bytes.get();
  return true;
}

}  // namespace heart
