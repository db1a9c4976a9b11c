// The module's resource block: the constants that the resource compiler
// writes and the host's reader checks. The layout is described in FORMAT.md
// beside this file.
#pragma once

#include <cstdint>

namespace heart_resources {

// The ELF section of the module that carries the block.
constexpr const char* kSectionName = ".heart_resources";

// "HRES", the block's first four bytes.
constexpr uint8_t kMagic[4] = {'H', 'R', 'E', 'S'};
constexpr uint16_t kFormatVersion = 1;
constexpr uint32_t kHeaderSize = 16;
constexpr uint32_t kEntryHeaderSize = 12;

// Entry types: four characters, stored in this order.
constexpr char kPropertyListType[4] = {'P', 'I', 'P', 'L'};
constexpr char kStringListType[4] = {'S', 'T', 'R', '#'};
constexpr char kDialogType[4] = {'D', 'L', 'O', 'G'};
constexpr char kIconType[4] = {'I', 'C', 'O', 'N'};
constexpr char kCursorType[4] = {'C', 'U', 'R', 'S'};
constexpr char kVersionType[4] = {'V', 'E', 'R', 'S'};

// How a property's value is stored.
enum PropertyValueKind : uint8_t { kPropertyNumber = 0, kPropertyCode = 1, kPropertyText = 2 };

// A dialog item without an id.
constexpr int32_t kNoItemId = -1;

}  // namespace heart_resources
