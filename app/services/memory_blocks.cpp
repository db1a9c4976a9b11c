#include "services/memory_blocks.h"

#include <new>

namespace heart {

void* MemoryBlocks::allocate(size_t size, const std::string& name) {
  // A zero-sized block still gets its own address so it can be told apart
  // and freed like any other.
  std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[size ? size : 1]());
  if (!bytes) return nullptr;
  void* address = bytes.get();
  blocks_[address] = Block{std::move(bytes), BlockInfo{name, size}};
  return address;
}

bool MemoryBlocks::free(void* block) { return blocks_.erase(block) == 1; }

bool MemoryBlocks::owns(const void* block) const { return blocks_.count(block) == 1; }

std::vector<MemoryBlocks::BlockInfo> MemoryBlocks::live() const {
  std::vector<BlockInfo> result;
  for (const auto& [address, block] : blocks_) result.push_back(block.info);
  return result;
}

}  // namespace heart
