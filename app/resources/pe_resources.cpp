#include "resources/pe_resources.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "plugin/resources/windows_resource_codes.h"
#include "resources/byte_reader.h"
#include "resources/utf16_text.h"

namespace heart {
namespace {

namespace codes = heart_resources::windows;

struct Corrupt : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr uint32_t kSetFontStyle = 0x40;
constexpr uint16_t kExtendedDialogMarker = 0xFFFF;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;

std::string code4(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

PropertyList decodePropertyList(const PeResource& resource) {
  ByteReader reader(resource.data.data(), resource.data.size());
  if (reader.u32("property list version") != codes::kPropertyListVersion)
    throw Corrupt("unknown property list version");
  const uint32_t count = reader.u32("property count");
  if (count > reader.remaining() / 16) throw Corrupt("property count is more than the bytes left");
  PropertyList list;
  list.id = static_cast<int32_t>(resource.id);
  for (uint32_t i = 0; i < count; ++i) {
    PluginProperty property;
    property.vendor = code4(reader.u32("property vendor"));
    property.key = code4(reader.u32("property key"));
    property.propertyId = reader.i32("property id");
    const uint32_t length = reader.u32("property length");
    ByteReader value = reader.sub(length, "property value");
    reader.skip((4 - length % 4) % 4, "property padding");
    switch (codes::propertyKind(property.key)) {
      case codes::PropertyKind::Number:
        if (length != 4) throw Corrupt("property \"" + property.key + "\" is not one number");
        property.isNumber = true;
        property.number = value.i32("property number");
        break;
      case codes::PropertyKind::Code:
        if (length != 4) throw Corrupt("property \"" + property.key + "\" is not one code");
        property.text = code4(value.u32("property code"));
        break;
      case codes::PropertyKind::Text: {
        std::string text;
        for (;;) {
          const char c = static_cast<char>(value.u8("property text"));
          if (c == '\0') break;
          text += c;
        }
        property.text = text;
        break;
      }
    }
    list.properties.push_back(std::move(property));
  }
  return list;
}

// String i of block b is string (b - 1) * 16 + i; runs of consecutive
// string ids are the string lists, each named by its first id.
std::vector<StringList> decodeStringTable(const std::vector<PeResource>& blocks) {
  std::map<uint32_t, std::string> strings;
  for (const PeResource& block : blocks) {
    if (block.id == 0 || block.id > 4096) throw Corrupt("string block id out of range");
    ByteReader reader(block.data.data(), block.data.size());
    for (uint32_t i = 0; i < 16; ++i) {
      const uint16_t units = reader.u16("string length");
      std::u16string text;
      for (uint16_t k = 0; k < units; ++k) text += static_cast<char16_t>(reader.u16("string"));
      if (!text.empty()) strings[(block.id - 1) * 16 + i] = utf8FromUtf16(text);
    }
  }
  std::vector<StringList> lists;
  uint32_t next = 0;
  for (const auto& [id, text] : strings) {
    if (lists.empty() || id != next) {
      lists.emplace_back();
      lists.back().id = static_cast<int32_t>(id);
    }
    lists.back().strings.push_back(text);
    next = id + 1;
  }
  return lists;
}

std::string wideString(ByteReader& reader, const char* what) {
  std::u16string text;
  for (;;) {
    const char16_t unit = reader.u16(what);
    if (unit == 0) return utf8FromUtf16(text);
    text += unit;
  }
}

// A name or number field of a dialog template: 0, 0xFFFF and a number, or a
// zero-terminated text.
struct NameOrNumber {
  uint16_t number = 0;
  std::string text;
};
NameOrNumber nameOrNumber(ByteReader& reader, const char* what) {
  NameOrNumber out;
  const uint16_t first = reader.u16(what);
  if (first == 0) return out;
  if (first == 0xFFFF) {
    out.number = reader.u16(what);
    return out;
  }
  std::u16string text(1, static_cast<char16_t>(first));
  for (;;) {
    const char16_t unit = reader.u16(what);
    if (unit == 0) break;
    text += unit;
  }
  out.text = utf8FromUtf16(text);
  return out;
}

void alignTo4(ByteReader& reader, const char* what) {
  reader.skip((4 - reader.position() % 4) % 4, what);
}

uint16_t classAtom(const NameOrNumber& name) {
  if (name.number != 0) return name.number;
  std::string lower;
  for (char c : name.text) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "button") return codes::kButtonClass;
  if (lower == "static") return codes::kStaticClass;
  return 0;
}

DialogTemplate decodeDialog(const PeResource& resource) {
  ByteReader reader(resource.data.data(), resource.data.size());
  const uint32_t style = reader.u32("dialog style");
  if ((style & 0xFFFF) == 1 && (style >> 16) == kExtendedDialogMarker)
    throw Corrupt("extended dialog templates are not read");
  reader.skip(4, "dialog extended style");
  const uint16_t itemCount = reader.u16("dialog item count");
  reader.skip(4, "dialog position");
  DialogTemplate dialog;
  dialog.id = static_cast<int32_t>(resource.id);
  dialog.width = static_cast<int16_t>(reader.u16("dialog width"));
  dialog.height = static_cast<int16_t>(reader.u16("dialog height"));
  dialog.frame = codes::frameText(style);
  nameOrNumber(reader, "dialog menu");
  nameOrNumber(reader, "dialog class");
  dialog.title = wideString(reader, "dialog title");
  if (style & kSetFontStyle) {
    dialog.pointSize = reader.u16("dialog font size");
    dialog.font = wideString(reader, "dialog font");
  }
  for (uint16_t i = 0; i < itemCount; ++i) {
    alignTo4(reader, "dialog item");
    const uint32_t itemStyle = reader.u32("item style");
    reader.skip(4, "item extended style");
    DialogTemplateItem item;
    item.x = static_cast<int16_t>(reader.u16("item x"));
    item.y = static_cast<int16_t>(reader.u16("item y"));
    item.width = static_cast<int16_t>(reader.u16("item width"));
    item.height = static_cast<int16_t>(reader.u16("item height"));
    const uint16_t id = reader.u16("item id");
    item.id = id == 0xFFFF ? -1 : id;
    const NameOrNumber itemClass = nameOrNumber(reader, "item class");
    const auto kind = codes::kindOfControl(classAtom(itemClass), itemStyle);
    item.kind = kind ? *kind
                     : "control " + (itemClass.text.empty() ? std::to_string(itemClass.number)
                                                            : itemClass.text);
    const NameOrNumber text = nameOrNumber(reader, "item text");
    item.text = text.text;
    reader.skip(reader.u16("item data length"), "item data");
    dialog.items.push_back(std::move(item));
  }
  return dialog;
}

// A device-independent bitmap of an icon or cursor: header, colour table,
// colour rows and mask rows, both from the bottom.
ResourceImage decodeBitmap(ByteReader reader, int32_t id) {
  const uint32_t headerSize = reader.u32("bitmap header size");
  if (headerSize < 40) throw Corrupt("bitmap header is too small");
  ResourceImage image;
  image.id = id;
  image.width = reader.i32("bitmap width");
  const int32_t doubledHeight = reader.i32("bitmap height");
  reader.skip(2, "bitmap planes");
  const uint16_t bits = reader.u16("bitmap depth");
  const uint32_t compression = reader.u32("bitmap compression");
  reader.skip(12, "bitmap header");
  uint32_t colours = reader.u32("bitmap colours used");
  reader.skip(4, "bitmap header");
  reader.skip(headerSize - 40, "bitmap header");
  if (image.width < 1 || image.width > 256 || doubledHeight < 2 || doubledHeight > 512 ||
      doubledHeight % 2 != 0)
    throw Corrupt("image size is out of range");
  image.height = doubledHeight / 2;
  if (bits != 1 && bits != 4) throw Corrupt("image depth " + std::to_string(bits) + " is not read");
  if (compression != 0) throw Corrupt("compressed images are not read");
  if (colours == 0) colours = 1u << bits;
  if (colours > (1u << bits)) throw Corrupt("image colour count is out of range");
  image.colours = static_cast<int32_t>(colours);
  for (uint32_t i = 0; i < colours; ++i) {
    const uint32_t bgr = reader.u32("image colour");
    image.palette.push_back(bgr & 0xFFFFFF);
  }
  const size_t pixelCount = static_cast<size_t>(image.width) * image.height;
  image.pixels.assign(pixelCount, 0);
  image.mask.assign(pixelCount, 0);
  auto readRows = [&](std::vector<uint8_t>& values, int valueBits, const char* what) {
    const size_t stride = (static_cast<size_t>(image.width) * valueBits + 31) / 32 * 4;
    for (int32_t y = image.height - 1; y >= 0; --y) {
      const std::vector<uint8_t> row = reader.bytes(stride, what);
      for (int32_t x = 0; x < image.width; ++x) {
        const size_t bit = static_cast<size_t>(x) * valueBits;
        values[static_cast<size_t>(y) * image.width + x] = static_cast<uint8_t>(
            row[bit / 8] >> (8 - valueBits - bit % 8) & ((1 << valueBits) - 1));
      }
    }
  };
  readRows(image.pixels, bits, "image colour rows");
  readRows(image.mask, 1, "image mask rows");
  for (uint8_t index : image.pixels)
    if (index >= colours) throw Corrupt("pixel refers past the palette");
  return image;
}

// The first image of an icon or cursor group.
ResourceImage decodeImageGroup(const PeImage& image, const PeResource& group, bool isCursor) {
  ByteReader reader(group.data.data(), group.data.size());
  reader.skip(2, "image group");
  if (reader.u16("image group kind") != (isCursor ? 2 : 1)) throw Corrupt("wrong image group kind");
  if (reader.u16("image count") < 1) throw Corrupt("the group holds no image");
  reader.skip(12, "image group entry");
  const uint16_t imageId = reader.u16("image id");
  const PeResource* member = image.find(isCursor ? codes::kCursorType : codes::kIconType, imageId);
  if (!member) throw Corrupt("image " + std::to_string(imageId) + " of the group is missing");
  ByteReader bitmap(member->data.data(), member->data.size());
  int32_t hotspotX = 0, hotspotY = 0;
  if (isCursor) {
    hotspotX = bitmap.u16("cursor hotspot");
    hotspotY = bitmap.u16("cursor hotspot");
  }
  ResourceImage decoded = decodeBitmap(bitmap, static_cast<int32_t>(group.id));
  if (hotspotX >= decoded.width || hotspotY >= decoded.height)
    throw Corrupt("hotspot lies outside the image");
  decoded.hotspotX = hotspotX;
  decoded.hotspotY = hotspotY;
  return decoded;
}

// One node of the version record: length, value length, kind, key, value
// and children, each part starting on a 32-bit boundary of the record.
struct VersionNode {
  std::string key;
  size_t valueBegin = 0, valueEnd = 0;
  size_t childrenBegin = 0, end = 0;
};

size_t align4(size_t offset) { return (offset + 3) / 4 * 4; }

VersionNode versionNode(const std::vector<uint8_t>& data, size_t begin, size_t limit,
                        const char* what) {
  ByteReader header(data.data() + begin, limit - begin);
  const uint16_t length = header.u16(what);
  if (length < 6 || length > limit - begin)
    throw Corrupt(std::string(what) + " length " + std::to_string(length) + " does not fit");
  ByteReader node(data.data() + begin, length);
  node.skip(2, what);
  const uint16_t valueLength = node.u16(what);
  const uint16_t isText = node.u16(what);
  VersionNode out;
  out.key = wideString(node, what);
  out.end = begin + length;
  out.valueBegin = std::min(align4(begin + node.position()), out.end);
  const size_t valueBytes = isText ? size_t{valueLength} * 2 : valueLength;
  if (valueBytes > out.end - out.valueBegin)
    throw Corrupt(std::string(what) + " value runs past its end");
  out.valueEnd = out.valueBegin + valueBytes;
  out.childrenBegin = std::min(align4(out.valueEnd), out.end);
  return out;
}

// Calls `visit` for each node between `begin` and `end`.
template <typename Visit>
void eachVersionNode(const std::vector<uint8_t>& data, size_t begin, size_t end, const char* what,
                     Visit visit) {
  for (size_t at = begin; at < end;) {
    const VersionNode node = versionNode(data, at, end, what);
    visit(node);
    at = std::min(align4(node.end), end);
  }
}

VersionRecord decodeVersion(const PeResource& resource) {
  const std::vector<uint8_t>& data = resource.data;
  const VersionNode root = versionNode(data, 0, data.size(), "version record");
  if (root.key != "VS_VERSION_INFO") throw Corrupt("the version record has no VS_VERSION_INFO");
  ByteReader fixed(data.data() + root.valueBegin, root.valueEnd - root.valueBegin);
  if (fixed.u32("fixed version") != kFixedInfoSignature)
    throw Corrupt("the fixed version information is missing");
  fixed.skip(4, "fixed version");
  VersionRecord version;
  version.id = static_cast<int32_t>(resource.id);
  uint32_t parts[4];
  for (uint32_t& part : parts) part = fixed.u32("version number");
  for (int i = 0; i < 2; ++i) {
    version.fileVersion[2 * i] = static_cast<uint16_t>(parts[i] >> 16);
    version.fileVersion[2 * i + 1] = static_cast<uint16_t>(parts[i]);
    version.productVersion[2 * i] = static_cast<uint16_t>(parts[2 + i] >> 16);
    version.productVersion[2 * i + 1] = static_cast<uint16_t>(parts[2 + i]);
  }
  fixed.skip(12, "fixed version flags and system");
  const uint32_t fileType = fixed.u32("file type");
  const auto typeName = codes::nameOf(codes::kFileTypes, fileType);
  version.fileType = typeName ? *typeName : "type " + std::to_string(fileType);

  eachVersionNode(
      data, root.childrenBegin, root.end, "version block", [&](const VersionNode& info) {
        if (info.key != "StringFileInfo") return;
        eachVersionNode(
            data, info.childrenBegin, info.end, "version string table",
            [&](const VersionNode& table) {
              uint32_t language = 0, codePage = 0;
              if (table.key.size() != 8 ||
                  std::sscanf(table.key.c_str(), "%4x%4x", &language, &codePage) != 2)
                throw Corrupt("version string table key \"" + table.key + "\" is not 8 hex digits");
              const auto languageName = codes::nameOf(codes::kLanguages, language);
              version.language =
                  languageName ? *languageName : "language " + std::to_string(language);
              version.codePage = static_cast<int32_t>(codePage);
              eachVersionNode(data, table.childrenBegin, table.end, "version string",
                              [&](const VersionNode& entry) {
                                ByteReader text(data.data() + entry.valueBegin,
                                                entry.valueEnd - entry.valueBegin);
                                std::u16string units;
                                while (text.remaining() >= 2) {
                                  const char16_t unit = text.u16("version string");
                                  if (unit == 0) break;
                                  units += unit;
                                }
                                version.strings.emplace_back(entry.key, utf8FromUtf16(units));
                              });
            });
      });
  return version;
}

}  // namespace

Result<PluginResources> decodePeResources(const PeImage& image) {
  PluginResources resources;
  std::string context = "resources";
  try {
    std::vector<PeResource> stringBlocks;
    for (const PeResource& resource : image.resources) {
      context = "resource " +
                (resource.typeName.empty() ? std::to_string(resource.typeId)
                                           : "\"" + resource.typeName + "\"") +
                " " + (resource.name.empty() ? std::to_string(resource.id) : resource.name);
      if (!resource.name.empty()) continue;  // the plug-in's resources are numbered
      if (resource.typeName == codes::kPropertyListTypeName) {
        resources.propertyLists.push_back(decodePropertyList(resource));
      } else if (!resource.typeName.empty()) {
        continue;
      } else if (resource.typeId == codes::kStringType) {
        stringBlocks.push_back(resource);
      } else if (resource.typeId == codes::kDialogType) {
        resources.dialogs.push_back(decodeDialog(resource));
      } else if (resource.typeId == codes::kIconGroupType) {
        resources.icons.push_back(decodeImageGroup(image, resource, false));
      } else if (resource.typeId == codes::kCursorGroupType) {
        resources.cursors.push_back(decodeImageGroup(image, resource, true));
      } else if (resource.typeId == codes::kVersionType) {
        if (resources.versionRecord) throw Corrupt("a second version record");
        resources.versionRecord = decodeVersion(resource);
      }
    }
    context = "string table";
    resources.stringLists = decodeStringTable(stringBlocks);
  } catch (const std::runtime_error& failure) {
    return fail(context + ": " + failure.what());
  }
  return resources;
}

}  // namespace heart
