#include "resources/pe_image.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <stdexcept>

#include "resources/byte_reader.h"
#include "resources/utf16_text.h"

namespace heart {
namespace {

struct Corrupt : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr uint16_t kOptionalMagic32 = 0x10B;
constexpr uint16_t kOptionalMagic64 = 0x20B;
constexpr uint16_t kDllCharacteristic = 0x2000;
constexpr uint32_t kExportDirectory = 0, kImportDirectory = 1, kResourceDirectory = 2;
constexpr size_t kSectionHeaderSize = 40;
constexpr uint32_t kHighBit = 0x80000000u;
// Limits that no real module comes near; beyond them a file is taken as hostile.
constexpr size_t kMostNames = 65536;
constexpr size_t kMostResources = 65536;
constexpr size_t kLongestName = 4096;

struct Section {
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;
};

struct DataDirectory {
  uint32_t rva = 0;
  uint32_t size = 0;
};

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  ByteReader at(uint64_t offset, uint64_t count, const char* what) const {
    if (offset > bytes_.size() || count > bytes_.size() - offset)
      throw Corrupt(std::string(what) + " lies past the end of the file");
    return ByteReader(bytes_.data() + offset, static_cast<size_t>(count));
  }

  void addSection(const Section& section) { sections_.push_back(section); }

  // The file offset of `count` bytes at address `rva`, which must all lie in
  // the file-backed part of one section.
  uint64_t offsetOf(uint32_t rva, uint64_t count, const char* what) const {
    for (const Section& section : sections_) {
      if (rva < section.virtualAddress) continue;
      const uint64_t into = rva - section.virtualAddress;
      if (into >= section.rawSize) continue;
      if (count > section.rawSize - into)
        throw Corrupt(std::string(what) + " runs past the end of its section");
      const uint64_t offset = section.rawOffset + into;
      at(offset, count, what);
      return offset;
    }
    throw Corrupt(std::string(what) + " lies outside every section");
  }

  ByteReader atAddress(uint32_t rva, uint64_t count, const char* what) const {
    return at(offsetOf(rva, count, what), count, what);
  }

  // A zero-terminated name at `rva`, within its section.
  std::string name(uint32_t rva, const char* what) const {
    for (const Section& section : sections_) {
      if (rva < section.virtualAddress || rva - section.virtualAddress >= section.rawSize) continue;
      const uint64_t room = section.rawSize - (rva - section.virtualAddress);
      const uint64_t offset = section.rawOffset + (rva - section.virtualAddress);
      if (offset >= bytes_.size())
        throw Corrupt(std::string(what) + " lies past the end of the file");
      ByteReader text = at(offset, std::min<uint64_t>(room, bytes_.size() - offset), what);
      std::string out;
      while (text.remaining() > 0) {
        const char c = static_cast<char>(text.u8(what));
        if (c == '\0') return out;
        if (out.size() == kLongestName) break;
        out += c;
      }
      throw Corrupt(std::string(what) + " has no end");
    }
    throw Corrupt(std::string(what) + " lies outside every section");
  }

 private:
  const std::vector<uint8_t>& bytes_;
  std::vector<Section> sections_;
};

uint32_t checkedCount(uint64_t count, uint64_t room, uint64_t elementSize, const char* what) {
  if (count > room / elementSize || count > kMostNames)
    throw Corrupt(std::string(what) + " " + std::to_string(count) + " does not fit its table");
  return static_cast<uint32_t>(count);
}

std::vector<std::string> readExports(const Reader& file, const DataDirectory& directory) {
  std::vector<std::string> names;
  if (directory.rva == 0) return names;
  ByteReader table = file.atAddress(directory.rva, 40, "export directory");
  table.skip(24, "export directory");
  const uint32_t nameCount = table.u32("export name count");
  table.skip(4, "export address table");
  const uint32_t nameTable = table.u32("export name table");
  if (nameCount > kMostNames) throw Corrupt("export name count is absurd");
  ByteReader pointers = file.atAddress(nameTable, uint64_t{nameCount} * 4, "export name table");
  for (uint32_t i = 0; i < nameCount; ++i)
    names.push_back(file.name(pointers.u32("export name"), "export name"));
  return names;
}

std::vector<std::string> readImports(const Reader& file, const DataDirectory& directory) {
  std::vector<std::string> names;
  if (directory.rva == 0) return names;
  for (uint32_t i = 0;; ++i) {
    if (i == kMostNames) throw Corrupt("the import table has no end");
    ByteReader descriptor = file.atAddress(directory.rva + i * 20, 20, "import descriptor");
    const uint32_t lookup = descriptor.u32("import lookup table");
    descriptor.skip(8, "import descriptor");
    const uint32_t name = descriptor.u32("import name");
    const uint32_t addresses = descriptor.u32("import address table");
    if (lookup == 0 && name == 0 && addresses == 0) break;
    names.push_back(file.name(name, "imported module name"));
  }
  return names;
}

// The resource tree: three levels of directories (type, name, language),
// their offsets relative to the tree's start.
class ResourceTree {
 public:
  ResourceTree(const Reader& file, const DataDirectory& directory)
      : file_(file), base_(directory.rva), size_(directory.size) {
    file_.atAddress(base_, size_, "resource directory");
  }

  std::vector<PeResource> read() {
    std::vector<PeResource> out;
    PeResource current;
    walk(0, 0, current, out);
    return out;
  }

 private:
  ByteReader at(uint32_t offset, uint32_t count, const char* what) const {
    if (offset > size_ || count > size_ - offset)
      throw Corrupt(std::string(what) + " lies outside the resource directory");
    return file_.atAddress(base_ + offset, count, what);
  }

  std::string entryName(uint32_t offset) const {
    ByteReader length = at(offset, 2, "resource name");
    const uint16_t units = length.u16("resource name");
    ByteReader text = at(offset + 2, uint32_t{units} * 2, "resource name");
    std::u16string name;
    for (uint16_t i = 0; i < units; ++i) name += static_cast<char16_t>(text.u16("resource name"));
    return utf8FromUtf16(name);
  }

  void walk(uint32_t offset, int level, PeResource& current, std::vector<PeResource>& out) {
    if (!visited_.insert(offset).second) throw Corrupt("the resource directory loops");
    ByteReader header = at(offset, 16, "resource directory");
    header.skip(12, "resource directory");
    const uint32_t count = uint32_t{header.u16("named entry count")} + header.u16("entry count");
    checkedCount(count, size_ - offset - 16, 8, "resource entry count");
    ByteReader entries = at(offset + 16, count * 8, "resource entries");
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t nameField = entries.u32("resource entry");
      const uint32_t target = entries.u32("resource entry");
      std::string name;
      uint32_t number = 0;
      if (nameField & kHighBit)
        name = entryName(nameField & ~kHighBit);
      else
        number = nameField;
      if (level == 0) {
        current.typeName = name;
        current.typeId = number;
      } else if (level == 1) {
        current.name = name;
        current.id = number;
      } else {
        if (!name.empty() || number > 0xFFFF) throw Corrupt("a resource language is not a number");
        current.language = static_cast<uint16_t>(number);
      }
      const bool isDirectory = target & kHighBit;
      if (isDirectory != (level < 2))
        throw Corrupt(isDirectory ? "the resource directory is nested too deep"
                                  : "a resource directory ends early");
      if (isDirectory) {
        walk(target & ~kHighBit, level + 1, current, out);
        continue;
      }
      if (out.size() == kMostResources) throw Corrupt("the module holds too many resources");
      ByteReader leaf = at(target, 16, "resource data entry");
      const uint32_t rva = leaf.u32("resource data address");
      const uint32_t size = leaf.u32("resource data size");
      ByteReader data = file_.atAddress(rva, size, "resource data");
      PeResource resource = current;
      resource.data = data.bytes(size, "resource data");
      out.push_back(std::move(resource));
    }
  }

  const Reader& file_;
  uint32_t base_;
  uint32_t size_;
  std::set<uint32_t> visited_;
};

PeImage parseImage(const std::vector<uint8_t>& bytes) {
  Reader file(bytes);
  ByteReader dos = file.at(0, 64, "DOS header");
  if (dos.u16("DOS signature") != 0x5A4D) throw Corrupt("not a Windows module (no \"MZ\")");
  dos.skip(0x3C - 2, "DOS header");
  const uint32_t peOffset = dos.u32("PE header offset");
  ByteReader header = file.at(peOffset, 24, "PE header");
  if (header.u32("PE signature") != 0x00004550) throw Corrupt("the PE signature is missing");
  PeImage image;
  image.machine = header.u16("machine");
  const uint16_t sectionCount = header.u16("section count");
  header.skip(12, "file header");
  const uint16_t optionalSize = header.u16("optional header size");
  image.dll = header.u16("characteristics") & kDllCharacteristic;

  const uint64_t optionalOffset = uint64_t{peOffset} + 24;
  ByteReader optional = file.at(optionalOffset, optionalSize, "optional header");
  const uint16_t magic = optional.u16("optional header magic");
  if (magic != kOptionalMagic32 && magic != kOptionalMagic64)
    throw Corrupt("the optional header is neither PE32 nor PE32+");
  image.wide = magic == kOptionalMagic64;
  const size_t directoriesAt = image.wide ? 112 : 96;
  optional.skip(directoriesAt - 6, "optional header");
  const uint32_t directoryCount = optional.u32("data directory count");
  std::vector<DataDirectory> directories(3);
  for (uint32_t i = 0; i < directoryCount && i < directories.size(); ++i) {
    directories[i].rva = optional.u32("data directory");
    directories[i].size = optional.u32("data directory");
  }

  ByteReader sections = file.at(optionalOffset + optionalSize,
                                uint64_t{sectionCount} * kSectionHeaderSize, "section table");
  for (uint16_t i = 0; i < sectionCount; ++i) {
    sections.skip(12, "section name");
    Section section;
    section.virtualAddress = sections.u32("section address");
    section.rawSize = sections.u32("section size");
    section.rawOffset = sections.u32("section offset");
    sections.skip(16, "section header");
    file.addSection(section);
  }

  image.exports = readExports(file, directories[kExportDirectory]);
  image.imports = readImports(file, directories[kImportDirectory]);
  if (directories[kResourceDirectory].rva != 0)
    image.resources = ResourceTree(file, directories[kResourceDirectory]).read();
  return image;
}

}  // namespace

bool PeImage::looksLikePe(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z';
}

Result<PeImage> PeImage::parse(const std::vector<uint8_t>& bytes) {
  try {
    return parseImage(bytes);
  } catch (const std::runtime_error& failure) {
    return fail(failure.what());
  }
}

const PeResource* PeImage::find(uint32_t typeId, uint32_t id) const {
  for (const PeResource& resource : resources)
    if (resource.typeName.empty() && resource.typeId == typeId && resource.name.empty() &&
        resource.id == id)
      return &resource;
  return nullptr;
}

const PeResource* PeImage::find(const std::string& typeName, uint32_t id) const {
  for (const PeResource& resource : resources)
    if (resource.typeName == typeName && resource.name.empty() && resource.id == id)
      return &resource;
  return nullptr;
}

std::string PeImage::machineName() const {
  switch (machine) {
    case 0x14C:
      return "i386";
    case 0x8664:
      return "x86-64";
    case 0xAA64:
      return "ARM64";
    default: {
      char text[16];
      std::snprintf(text, sizeof text, "0x%04X", machine);
      return text;
    }
  }
}

}  // namespace heart
