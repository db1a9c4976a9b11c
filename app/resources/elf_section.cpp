#include "resources/elf_section.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "resources/byte_reader.h"

namespace heart {
namespace {

constexpr size_t kElfHeaderSize = 64;  // the 32-bit header (52 bytes) is read within it
constexpr uint8_t kElfClass32 = 1;
constexpr uint8_t kElfClass64 = 2;
constexpr uint8_t kElfLittleEndian = 1;
constexpr uint32_t kSectionNoBits = 8;       // a section that occupies no file space
constexpr uint16_t kExtendedIndex = 0xFFFF;  // the real index is in section 0's link

struct SectionHeader {
  uint32_t nameOffset = 0;
  uint32_t type = 0;
  uint64_t offset = 0;
  uint64_t size = 0;
  uint32_t link = 0;
};

class ElfFile {
 public:
  explicit ElfFile(const std::string& path) : in_(path, std::ios::binary) {
    if (in_) {
      in_.seekg(0, std::ios::end);
      const std::streamoff end = in_.tellg();
      fileSize_ = end > 0 ? static_cast<uint64_t>(end) : 0;
    }
  }
  bool opened() const { return static_cast<bool>(in_); }
  uint64_t size() const { return fileSize_; }

  // `count` bytes at `offset`, or nothing when they are not all in the file.
  std::optional<std::vector<uint8_t>> read(uint64_t offset, uint64_t count) {
    if (offset > fileSize_ || count > fileSize_ - offset) return std::nullopt;
    std::vector<uint8_t> bytes(count);
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    if (count > 0 &&
        !in_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count)))
      return std::nullopt;
    return bytes;
  }

 private:
  std::ifstream in_;
  uint64_t fileSize_ = 0;
};

// A section header of a 64-bit file (64 bytes) or of a 32-bit one (40 bytes).
SectionHeader parseSectionHeader(const std::vector<uint8_t>& bytes, bool wide) {
  ByteReader reader(bytes.data(), bytes.size());
  SectionHeader header;
  header.nameOffset = reader.u32("section name");
  header.type = reader.u32("section type");
  if (wide) {
    reader.skip(16, "section flags and address");
    header.offset = reader.u64("section offset");
    header.size = reader.u64("section size");
  } else {
    reader.skip(8, "section flags and address");
    header.offset = reader.u32("section offset");
    header.size = reader.u32("section size");
  }
  header.link = reader.u32("section link");
  return header;
}

}  // namespace

Result<std::vector<uint8_t>> readElfSection(const std::string& path, const std::string& name) {
  auto failed = [&path](const std::string& why) { return fail(path + ": " + why); };
  ElfFile file(path);
  if (!file.opened()) return failed("cannot open the file");

  auto header = file.read(0, std::min<uint64_t>(kElfHeaderSize, file.size()));
  if (!header || header->size() < 52 || (*header)[0] != 0x7F || (*header)[1] != 'E' ||
      (*header)[2] != 'L' || (*header)[3] != 'F')
    return failed("not an ELF file");
  const bool wide = (*header)[4] == kElfClass64;
  if ((!wide && (*header)[4] != kElfClass32) || (*header)[5] != kElfLittleEndian)
    return failed("not a little-endian ELF file of 32 or 64 bits");
  if (wide && header->size() < kElfHeaderSize) return failed("not an ELF file");
  const size_t kSectionHeaderSize = wide ? 64 : 40;

  ByteReader fields(header->data(), header->size());
  uint64_t sectionTable = 0;
  if (wide) {
    fields.skip(0x28, "identification");
    sectionTable = fields.u64("section table offset");
    fields.skip(0x3A - 0x30, "flags and sizes");
  } else {
    fields.skip(0x20, "identification");
    sectionTable = fields.u32("section table offset");
    fields.skip(0x2E - 0x24, "flags and sizes");
  }
  const uint16_t entrySize = fields.u16("section header size");
  uint64_t sectionCount = fields.u16("section count");
  uint32_t namesIndex = fields.u16("section-name table index");

  if (sectionTable == 0) return failed("the file has no section headers");
  if (entrySize < kSectionHeaderSize) return failed("section headers are too small");

  auto sectionAt = [&](uint64_t index) -> std::optional<SectionHeader> {
    auto bytes = file.read(sectionTable + index * entrySize, kSectionHeaderSize);
    if (!bytes) return std::nullopt;
    return parseSectionHeader(*bytes, wide);
  };

  // Files with very many sections keep the real count and name-table index
  // in the first section header.
  if (sectionCount == 0 || namesIndex == kExtendedIndex) {
    auto first = sectionAt(0);
    if (!first) return failed("truncated: section headers lie past the end of the file");
    if (sectionCount == 0) sectionCount = first->size;
    if (namesIndex == kExtendedIndex) namesIndex = first->link;
  }
  // The whole table must lie in the file; this also bounds the count.
  if (sectionTable > file.size() || sectionCount > (file.size() - sectionTable) / entrySize)
    return failed("truncated: section headers lie past the end of the file");
  if (namesIndex >= sectionCount) return failed("the section-name table index is out of range");

  auto namesHeader = sectionAt(namesIndex);
  if (!namesHeader || namesHeader->type == kSectionNoBits)
    return failed("the section-name table has no contents");
  auto names = file.read(namesHeader->offset, namesHeader->size);
  if (!names) return failed("truncated: the section-name table lies past the end of the file");

  for (uint64_t i = 0; i < sectionCount; ++i) {
    auto section = sectionAt(i);
    if (!section) return failed("truncated section header");
    if (section->nameOffset >= names->size()) continue;
    const char* begin = reinterpret_cast<const char*>(names->data()) + section->nameOffset;
    const size_t room = names->size() - section->nameOffset;
    const size_t length = std::string(begin, room).find('\0');
    if (length == std::string::npos || std::string(begin, length) != name) continue;

    if (section->type == kSectionNoBits) return failed("section " + name + " has no contents");
    auto bytes = file.read(section->offset, section->size);
    if (!bytes) return failed("truncated: section " + name + " lies past the end of the file");
    return std::move(*bytes);
  }
  return failed("no section " + name);
}

}  // namespace heart
