// Reads a Windows module (PE32 or PE32+) from its bytes, without loading or
// running it: the machine, the export and import tables and the resource
// tree. Every offset, size and count is checked against the file; a damaged
// or hostile file gives an error naming what is wrong, never a read outside
// the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart {

// One resource of the tree: type, name and language, and its bytes.
struct PeResource {
  uint32_t typeId = 0;   // the type's number, when it has no name
  std::string typeName;  // the type's name ("PIPL"), or empty
  uint32_t id = 0;       // the resource's number, when it has no name
  std::string name;      // the resource's name, or empty
  uint16_t language = 0;
  std::vector<uint8_t> data;
};

struct PeImage {
  bool wide = false;     // PE32+ (64-bit) rather than PE32
  uint16_t machine = 0;  // 0x14C i386, 0x8664 x86-64, ...
  bool dll = false;
  std::vector<std::string> exports;  // exported names, in table order
  std::vector<std::string> imports;  // names of the DLLs it imports from
  std::vector<PeResource> resources;

  // Whether `bytes` begin as a Windows module does ("MZ").
  static bool looksLikePe(const std::vector<uint8_t>& bytes);
  // The module in `bytes`, or why it cannot be read.
  static Result<PeImage> parse(const std::vector<uint8_t>& bytes);

  const PeResource* find(uint32_t typeId, uint32_t id) const;
  const PeResource* find(const std::string& typeName, uint32_t id) const;
  std::string machineName() const;
};

}  // namespace heart
