// Decoding of the module's resource block (layout in
// plugin/resources/FORMAT.md) and look-ups by id.
#include "resources/plugin_resources.h"

#include <algorithm>
#include <set>
#include <utility>

#include "plugin/resources/resource_format.h"
#include "resources/byte_reader.h"
#include "resources/elf_section.h"
#include "resources/module_file.h"
#include "resources/pe_image.h"
#include "resources/pe_resources.h"

namespace heart {
namespace {

namespace fmt = heart_resources;

struct Corrupt : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A count read from the block is believed only when the bytes left could
// hold that many elements of at least `minimumSize` bytes each.
size_t checkedCount(ByteReader& reader, size_t minimumSize, const char* what) {
  const uint32_t count = reader.u32(what);
  if (minimumSize > 0 && count > reader.remaining() / minimumSize)
    throw Corrupt(std::string(what) + " " + std::to_string(count) + " is more than the bytes left");
  return count;
}

PropertyList decodePropertyList(int32_t id, ByteReader& reader) {
  PropertyList list;
  list.id = id;
  const size_t count = checkedCount(reader, 15, "property count");
  for (size_t i = 0; i < count; ++i) {
    PluginProperty property;
    property.vendor = reader.code4("property vendor");
    property.key = reader.code4("property key");
    property.propertyId = reader.i32("property id");
    switch (reader.u8("property value kind")) {
      case fmt::kPropertyNumber:
        property.isNumber = true;
        property.number = reader.i32("property number");
        break;
      case fmt::kPropertyCode:
        property.text = reader.code4("property code");
        break;
      case fmt::kPropertyText:
        property.text = reader.text("property text");
        break;
      default:
        throw Corrupt("property \"" + property.key + "\" has an unknown value kind");
    }
    list.properties.push_back(std::move(property));
  }
  return list;
}

StringList decodeStringList(int32_t id, ByteReader& reader) {
  StringList list;
  list.id = id;
  const size_t count = checkedCount(reader, 2, "string count");
  for (size_t i = 0; i < count; ++i) list.strings.push_back(reader.text("string"));
  return list;
}

DialogTemplate decodeDialog(int32_t id, ByteReader& reader) {
  DialogTemplate dialog;
  dialog.id = id;
  dialog.name = reader.text("dialog name");
  dialog.title = reader.text("dialog title");
  dialog.font = reader.text("dialog font");
  dialog.pointSize = reader.i32("font size");
  dialog.width = reader.i32("dialog width");
  dialog.height = reader.i32("dialog height");
  dialog.frame = reader.text("dialog frame");
  if (dialog.width <= 0 || dialog.height <= 0) throw Corrupt("dialog size is not positive");
  const size_t count = checkedCount(reader, 24, "item count");
  for (size_t i = 0; i < count; ++i) {
    DialogTemplateItem item;
    item.id = reader.i32("item id");
    item.kind = reader.text("item kind");
    item.x = reader.i32("item x");
    item.y = reader.i32("item y");
    item.width = reader.i32("item width");
    item.height = reader.i32("item height");
    item.text = reader.text("item text");
    if (item.width < 0 || item.height < 0) throw Corrupt("dialog item size is negative");
    dialog.items.push_back(std::move(item));
  }
  return dialog;
}

constexpr int32_t kMaxImageSide = 256;
constexpr uint32_t kMaxPalette = 16;

ResourceImage decodeImage(int32_t id, ByteReader& reader) {
  ResourceImage image;
  image.id = id;
  image.width = reader.i32("image width");
  image.height = reader.i32("image height");
  image.hotspotX = reader.i32("hotspot x");
  image.hotspotY = reader.i32("hotspot y");
  if (image.width < 1 || image.width > kMaxImageSide || image.height < 1 ||
      image.height > kMaxImageSide)
    throw Corrupt("image size " + std::to_string(image.width) + " x " +
                  std::to_string(image.height) + " is out of range");
  if (image.hotspotX < 0 || image.hotspotX >= image.width || image.hotspotY < 0 ||
      image.hotspotY >= image.height)
    throw Corrupt("hotspot lies outside the image");
  const uint32_t paletteSize = reader.u32("palette size");
  if (paletteSize < 1 || paletteSize > kMaxPalette)
    throw Corrupt("palette size " + std::to_string(paletteSize) + " is out of range");
  image.colours = static_cast<int32_t>(paletteSize);
  for (uint32_t i = 0; i < paletteSize; ++i) {
    const uint32_t colour = reader.u32("palette colour");
    if (colour > 0xFFFFFF) throw Corrupt("palette colour is not 0xRRGGBB");
    image.palette.push_back(colour);
  }
  const size_t pixelCount = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  image.pixels = reader.bytes(pixelCount, "image pixels");
  image.mask = reader.bytes(pixelCount, "image mask");
  for (uint8_t index : image.pixels)
    if (index >= paletteSize) throw Corrupt("pixel refers past the palette");
  for (uint8_t bit : image.mask)
    if (bit > 1) throw Corrupt("mask byte is neither 0 nor 1");
  return image;
}

VersionRecord decodeVersion(int32_t id, ByteReader& reader) {
  VersionRecord version;
  version.id = id;
  for (uint16_t& part : version.fileVersion) part = reader.u16("file version");
  for (uint16_t& part : version.productVersion) part = reader.u16("product version");
  version.fileType = reader.text("file type");
  version.language = reader.text("language");
  version.codePage = static_cast<int32_t>(reader.u32("code page"));
  const size_t count = checkedCount(reader, 4, "version string count");
  for (size_t i = 0; i < count; ++i) {
    std::string key = reader.text("version key");
    std::string value = reader.text("version value");
    version.strings.emplace_back(std::move(key), std::move(value));
  }
  return version;
}

void decodeEntry(const std::string& type, int32_t id, ByteReader& payload,
                 PluginResources& resources) {
  if (type == std::string(fmt::kPropertyListType, 4)) {
    resources.propertyLists.push_back(decodePropertyList(id, payload));
  } else if (type == std::string(fmt::kStringListType, 4)) {
    resources.stringLists.push_back(decodeStringList(id, payload));
  } else if (type == std::string(fmt::kDialogType, 4)) {
    resources.dialogs.push_back(decodeDialog(id, payload));
  } else if (type == std::string(fmt::kIconType, 4)) {
    resources.icons.push_back(decodeImage(id, payload));
  } else if (type == std::string(fmt::kCursorType, 4)) {
    resources.cursors.push_back(decodeImage(id, payload));
  } else if (type == std::string(fmt::kVersionType, 4)) {
    if (resources.versionRecord) throw Corrupt("a second version record");
    resources.versionRecord = decodeVersion(id, payload);
  } else {
    throw Corrupt("unknown entry type");
  }
  if (payload.remaining() != 0)
    throw Corrupt(std::to_string(payload.remaining()) + " bytes left over after the entry");
}

// Printable form of an entry type for messages.
std::string printable(const std::string& type) {
  std::string out;
  for (char c : type) out += (c >= 0x20 && c < 0x7F) ? c : '?';
  return out;
}

template <typename T>
const T* findById(const std::vector<T>& list, int32_t id) {
  auto found = std::find_if(list.begin(), list.end(), [id](const T& e) { return e.id == id; });
  return found == list.end() ? nullptr : &*found;
}

}  // namespace

const PluginProperty* PropertyList::find(const std::string& key) const {
  for (const PluginProperty& property : properties)
    if (property.key == key) return &property;
  return nullptr;
}

Result<PluginResources> PluginResources::readFromBytes(const std::vector<uint8_t>& bytes) {
  PluginResources resources;
  std::string context = "resource block";
  try {
    ByteReader block(bytes.data(), bytes.size());
    const std::vector<uint8_t> magic = block.bytes(4, "magic");
    if (!std::equal(magic.begin(), magic.end(), fmt::kMagic)) throw Corrupt("bad magic");
    const uint16_t version = block.u16("format version");
    if (version != fmt::kFormatVersion)
      throw Corrupt("format version " + std::to_string(version) + " is not supported");
    block.skip(2, "reserved");
    const uint32_t entryCount = block.u32("entry count");
    const uint32_t length = block.u32("block length");
    if (length < fmt::kHeaderSize || length > bytes.size())
      throw Corrupt("block length " + std::to_string(length) + " does not fit its " +
                    std::to_string(bytes.size()) + " bytes");

    ByteReader entries(bytes.data() + fmt::kHeaderSize, length - fmt::kHeaderSize);
    if (entryCount > entries.remaining() / fmt::kEntryHeaderSize)
      throw Corrupt("entry count " + std::to_string(entryCount) + " is more than the bytes left");
    std::set<std::pair<std::string, int32_t>> seen;
    for (uint32_t i = 0; i < entryCount; ++i) {
      context = "resource entry " + std::to_string(i);
      const std::string type = entries.code4("entry type");
      const int32_t id = entries.i32("entry id");
      context += " (" + printable(type) + " " + std::to_string(id) + ")";
      const uint32_t payloadLength = entries.u32("entry length");
      ByteReader payload = entries.sub(payloadLength, "entry payload");
      if (!seen.insert({type, id}).second) throw Corrupt("appears twice");
      decodeEntry(type, id, payload, resources);
    }
    context = "resource block";
    if (entries.remaining() != 0)
      throw Corrupt(std::to_string(entries.remaining()) + " bytes after the last entry");
  } catch (const std::runtime_error& failure) {
    return fail(context + ": " + failure.what());
  }
  return resources;
}

Result<std::vector<uint8_t>> PluginResources::readResourceSection(const std::string& path) {
  return readElfSection(path, fmt::kSectionName);
}

Result<PluginResources> PluginResources::readFromModule(const std::string& path) {
  auto named = [&path](const Failure& failure) { return fail(path + ": " + failure.message); };
  if (isWindowsModule(path)) {
    Result<std::vector<uint8_t>> bytes = readModuleFile(path);
    if (!bytes) return named(bytes.failure());
    Result<PeImage> image = PeImage::parse(*bytes);
    if (!image) return named(image.failure());
    Result<PluginResources> resources = decodePeResources(*image);
    if (!resources) return named(resources.failure());
    return resources;
  }
  Result<std::vector<uint8_t>> section = readResourceSection(path);
  if (!section) return section.failure();
  Result<PluginResources> resources = readFromBytes(*section);
  if (!resources) return named(resources.failure());
  return resources;
}

const PropertyList* PluginResources::propertyList(int32_t id) const {
  return findById(propertyLists, id);
}
const StringList* PluginResources::stringList(int32_t id) const {
  return findById(stringLists, id);
}
const DialogTemplate* PluginResources::dialog(int32_t id) const { return findById(dialogs, id); }
const ResourceImage* PluginResources::icon(int32_t id) const { return findById(icons, id); }
const ResourceImage* PluginResources::cursor(int32_t id) const { return findById(cursors, id); }
const VersionRecord* PluginResources::version() const {
  return versionRecord ? &*versionRecord : nullptr;
}

std::string PluginResources::indexString(int32_t listId, int32_t index) const {
  const StringList* list = stringList(listId);
  if (list == nullptr || index < 0 || static_cast<size_t>(index) >= list->strings.size()) return {};
  return list->strings[index];
}

}  // namespace heart
