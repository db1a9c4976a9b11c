#include "resource_encoder.h"

#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "blob_writer.h"
#include "plugin/resources/resource_format.h"

namespace rescomp {
namespace {

using nlohmann::json;
namespace fmt = heart_resources;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

const json& member(const json& object, const std::string& where, const char* key) {
  if (!object.is_object()) fail(where, "expected an object");
  auto found = object.find(key);
  if (found == object.end()) fail(where, std::string("missing \"") + key + "\"");
  return *found;
}

std::string textOf(const json& value, const std::string& where) {
  if (!value.is_string()) fail(where, "expected a text");
  return value.get<std::string>();
}

int32_t integerOf(const json& value, const std::string& where, int64_t low, int64_t high) {
  if (!value.is_number_integer()) fail(where, "expected a whole number");
  const int64_t number = value.get<int64_t>();
  if (number < low || number > high)
    fail(where, std::to_string(number) + " is outside " + std::to_string(low) + " to " +
                    std::to_string(high));
  return static_cast<int32_t>(number);
}

const json& arrayOf(const json& value, const std::string& where) {
  if (!value.is_array()) fail(where, "expected a list");
  return value;
}

std::string fourChars(const json& value, const std::string& where) {
  std::string text = textOf(value, where);
  if (text.size() != 4) fail(where, "expected four characters, got \"" + text + "\"");
  return text;
}

std::string at(const std::string& where, size_t index) {
  return where + "[" + std::to_string(index) + "]";
}

std::string dot(const std::string& where, const char* key) { return where + "." + key; }

constexpr int64_t kInt32Min = INT32_MIN;
constexpr int64_t kInt32Max = INT32_MAX;

// Each (type, id) pair appears once in the block.
class EntryWriter {
 public:
  void add(const char type[4], int32_t id, const BlobWriter& payload, const std::string& where) {
    if (!seen_.insert({std::string(type, 4), id}).second)
      fail(where, "a " + std::string(type, 4) + " resource with id " + std::to_string(id) +
                      " is already described");
    entries_.fourChars(type);
    entries_.i32(id);
    entries_.u32(static_cast<uint32_t>(payload.size()));
    entries_.append(payload.bytes());
    ++count_;
  }
  uint32_t count() const { return count_; }
  const BlobWriter& bytes() const { return entries_; }

 private:
  BlobWriter entries_;
  uint32_t count_ = 0;
  std::set<std::pair<std::string, int32_t>> seen_;
};

void encodePropertyList(const json& list, const std::string& where, EntryWriter& out) {
  const int32_t id = integerOf(member(list, where, "id"), dot(where, "id"), kInt32Min, kInt32Max);
  const json& properties = arrayOf(member(list, where, "properties"), dot(where, "properties"));
  BlobWriter payload;
  payload.u32(static_cast<uint32_t>(properties.size()));
  for (size_t i = 0; i < properties.size(); ++i) {
    const std::string here = at(dot(where, "properties"), i);
    const json& property = properties[i];
    payload.fourChars(fourChars(member(property, here, "vendor"), dot(here, "vendor")).c_str());
    payload.fourChars(fourChars(member(property, here, "key"), dot(here, "key")).c_str());
    payload.i32(integerOf(member(property, here, "id"), dot(here, "id"), kInt32Min, kInt32Max));
    const int kinds =
        property.contains("number") + property.contains("code") + property.contains("text");
    if (kinds != 1) fail(here, "expected exactly one of \"number\", \"code\" or \"text\"");
    if (property.contains("number")) {
      payload.u8(fmt::kPropertyNumber);
      payload.i32(integerOf(property["number"], dot(here, "number"), kInt32Min, kInt32Max));
    } else if (property.contains("code")) {
      payload.u8(fmt::kPropertyCode);
      payload.fourChars(fourChars(property["code"], dot(here, "code")).c_str());
    } else {
      payload.u8(fmt::kPropertyText);
      payload.text(textOf(property["text"], dot(here, "text")));
    }
  }
  out.add(fmt::kPropertyListType, id, payload, where);
}

void encodeStringList(const json& list, const std::string& where, EntryWriter& out) {
  const int32_t id = integerOf(member(list, where, "id"), dot(where, "id"), kInt32Min, kInt32Max);
  const json& strings = arrayOf(member(list, where, "strings"), dot(where, "strings"));
  BlobWriter payload;
  payload.u32(static_cast<uint32_t>(strings.size()));
  for (size_t i = 0; i < strings.size(); ++i)
    payload.text(textOf(strings[i], at(dot(where, "strings"), i)));
  out.add(fmt::kStringListType, id, payload, where);
}

void encodeDialog(const json& dialog, const std::string& where, EntryWriter& out) {
  const int32_t id = integerOf(member(dialog, where, "id"), dot(where, "id"), kInt32Min, kInt32Max);
  BlobWriter payload;
  payload.text(textOf(member(dialog, where, "name"), dot(where, "name")));
  payload.text(textOf(member(dialog, where, "title"), dot(where, "title")));
  payload.text(textOf(member(dialog, where, "font"), dot(where, "font")));
  payload.i32(integerOf(member(dialog, where, "pointSize"), dot(where, "pointSize"), 1, 144));
  payload.i32(integerOf(member(dialog, where, "width"), dot(where, "width"), 1, 32767));
  payload.i32(integerOf(member(dialog, where, "height"), dot(where, "height"), 1, 32767));
  payload.text(textOf(member(dialog, where, "frame"), dot(where, "frame")));
  const json& items = arrayOf(member(dialog, where, "items"), dot(where, "items"));
  payload.u32(static_cast<uint32_t>(items.size()));
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string here = at(dot(where, "items"), i);
    const json& item = items[i];
    if (!item.is_object()) fail(here, "expected an object");
    payload.i32(item.contains("id") ? integerOf(item["id"], dot(here, "id"), 0, 32767)
                                    : fmt::kNoItemId);
    payload.text(textOf(member(item, here, "kind"), dot(here, "kind")));
    const json& rect = arrayOf(member(item, here, "rect"), dot(here, "rect"));
    if (rect.size() != 4) fail(dot(here, "rect"), "expected 4 numbers (x, y, width, height)");
    for (size_t k = 0; k < 4; ++k)
      payload.i32(integerOf(rect[k], at(dot(here, "rect"), k), k < 2 ? -32768 : 0, 32767));
    payload.text(item.contains("text") ? textOf(item["text"], dot(here, "text")) : std::string());
  }
  out.add(fmt::kDialogType, id, payload, where);
}

uint32_t colourOf(const json& value, const std::string& where) {
  const std::string text = textOf(value, where);
  if (text.size() != 7 || text[0] != '#') fail(where, "expected a colour \"#RRGGBB\"");
  uint32_t colour = 0;
  for (size_t i = 1; i < 7; ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit < 0) fail(where, "expected a colour \"#RRGGBB\", got \"" + text + "\"");
    colour = colour << 4 | static_cast<uint32_t>(digit);
  }
  return colour;
}

// An icon or a cursor. Pixel rows are texts of one character per pixel: a
// hexadecimal digit is a palette index, "." a transparent pixel.
void encodeImage(const json& image, const std::string& where, const char type[4], bool isCursor,
                 EntryWriter& out) {
  const int32_t id = integerOf(member(image, where, "id"), dot(where, "id"), kInt32Min, kInt32Max);
  const int32_t width = integerOf(member(image, where, "width"), dot(where, "width"), 1, 256);
  const int32_t height = integerOf(member(image, where, "height"), dot(where, "height"), 1, 256);
  int32_t hotspotX = 0, hotspotY = 0;
  if (isCursor) {
    const json& hotspot = arrayOf(member(image, where, "hotspot"), dot(where, "hotspot"));
    if (hotspot.size() != 2) fail(dot(where, "hotspot"), "expected 2 numbers (x, y)");
    hotspotX = integerOf(hotspot[0], at(dot(where, "hotspot"), 0), 0, width - 1);
    hotspotY = integerOf(hotspot[1], at(dot(where, "hotspot"), 1), 0, height - 1);
  }
  const json& palette = arrayOf(member(image, where, "palette"), dot(where, "palette"));
  if (palette.empty() || palette.size() > 16)
    fail(dot(where, "palette"), "expected 1 to 16 colours");
  const json& rows = arrayOf(member(image, where, "pixels"), dot(where, "pixels"));
  if (rows.size() != static_cast<size_t>(height))
    fail(dot(where, "pixels"), "expected " + std::to_string(height) + " rows");

  BlobWriter payload;
  payload.i32(width);
  payload.i32(height);
  payload.i32(hotspotX);
  payload.i32(hotspotY);
  payload.u32(static_cast<uint32_t>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i)
    payload.u32(colourOf(palette[i], at(dot(where, "palette"), i)));
  std::vector<uint8_t> mask;
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::string here = at(dot(where, "pixels"), r);
    const std::string row = textOf(rows[r], here);
    if (row.size() != static_cast<size_t>(width))
      fail(here, "expected " + std::to_string(width) + " pixels");
    for (char c : row) {
      int index = -1;
      if (c >= '0' && c <= '9') index = c - '0';
      if (c >= 'A' && c <= 'F') index = c - 'A' + 10;
      if (c == '.') index = 0;
      if (index < 0 || static_cast<size_t>(index) >= palette.size())
        fail(here, std::string("pixel '") + c + "' is not a palette index or '.'");
      payload.u8(static_cast<uint8_t>(index));
      mask.push_back(c == '.' ? 1 : 0);
    }
  }
  payload.append(mask);
  out.add(type, id, payload, where);
}

void encodeVersion(const json& version, const std::string& where, EntryWriter& out) {
  const int32_t id =
      integerOf(member(version, where, "id"), dot(where, "id"), kInt32Min, kInt32Max);
  BlobWriter payload;
  for (const char* key : {"fileVersion", "productVersion"}) {
    const json& parts = arrayOf(member(version, where, key), dot(where, key));
    if (parts.size() != 4) fail(dot(where, key), "expected 4 numbers");
    for (size_t i = 0; i < 4; ++i)
      payload.u16(static_cast<uint16_t>(integerOf(parts[i], at(dot(where, key), i), 0, 65535)));
  }
  payload.text(textOf(member(version, where, "fileType"), dot(where, "fileType")));
  payload.text(textOf(member(version, where, "language"), dot(where, "language")));
  payload.u32(static_cast<uint32_t>(
      integerOf(member(version, where, "codePage"), dot(where, "codePage"), 0, 65535)));
  const json& strings = arrayOf(member(version, where, "strings"), dot(where, "strings"));
  payload.u32(static_cast<uint32_t>(strings.size()));
  for (size_t i = 0; i < strings.size(); ++i) {
    const std::string here = at(dot(where, "strings"), i);
    const json& pair = arrayOf(strings[i], here);
    if (pair.size() != 2) fail(here, "expected [key, value]");
    payload.text(textOf(pair[0], at(here, 0)));
    payload.text(textOf(pair[1], at(here, 1)));
  }
  out.add(fmt::kVersionType, id, payload, where);
}

template <typename Encode>
void encodeEach(const json& description, const char* key, Encode encode) {
  if (!description.contains(key)) return;
  const json& list = arrayOf(description[key], key);
  for (size_t i = 0; i < list.size(); ++i) encode(list[i], at(key, i));
}

}  // namespace

std::vector<uint8_t> encodeResources(const json& description) {
  if (!description.is_object()) fail("description", "expected an object");
  static const std::set<std::string> kKnownKeys = {"propertyLists", "stringLists", "dialogs",
                                                   "icons",         "cursors",     "version"};
  for (const auto& [key, value] : description.items())
    if (!kKnownKeys.count(key)) fail(key, "unknown resource kind");

  EntryWriter entries;
  encodeEach(description, "propertyLists",
             [&](const json& v, const std::string& w) { encodePropertyList(v, w, entries); });
  encodeEach(description, "stringLists",
             [&](const json& v, const std::string& w) { encodeStringList(v, w, entries); });
  encodeEach(description, "dialogs",
             [&](const json& v, const std::string& w) { encodeDialog(v, w, entries); });
  encodeEach(description, "icons", [&](const json& v, const std::string& w) {
    encodeImage(v, w, fmt::kIconType, false, entries);
  });
  encodeEach(description, "cursors", [&](const json& v, const std::string& w) {
    encodeImage(v, w, fmt::kCursorType, true, entries);
  });
  if (description.contains("version")) encodeVersion(description["version"], "version", entries);

  BlobWriter block;
  for (uint8_t byte : fmt::kMagic) block.u8(byte);
  block.u16(fmt::kFormatVersion);
  block.u16(0);
  block.u32(entries.count());
  const size_t lengthAt = block.size();
  block.u32(0);
  block.append(entries.bytes().bytes());
  block.patchU32(lengthAt, static_cast<uint32_t>(block.size()));
  return block.bytes();
}

}  // namespace rescomp
