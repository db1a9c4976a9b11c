// The named memory blocks of "SP Blocks Suite". Every block is zero-filled
// and remembered with its name and size until it is freed, so a block that a
// plug-in never frees shows up in live(). Freeing a block the host did not
// hand out (or one already freed) is refused instead of corrupting the heap.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace heart {

class MemoryBlocks {
 public:
  struct BlockInfo {
    std::string name;
    size_t size = 0;
  };

  // A new zero-filled block; null when the size cannot be had.
  void* allocate(size_t size, const std::string& name);
  // False for a block this host did not hand out.
  bool free(void* block);
  bool owns(const void* block) const;

  // The blocks allocated and not yet freed.
  std::vector<BlockInfo> live() const;
  size_t liveCount() const { return blocks_.size(); }

 private:
  struct Block {
    std::unique_ptr<unsigned char[]> bytes;
    BlockInfo info;
  };
  std::map<const void*, Block> blocks_;
};

}  // namespace heart
