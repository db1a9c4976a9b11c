// The resources a plug-in module carries: property lists, string lists,
// dialog templates, icons, cursors and the version record. The host reads
// them from the module file without running any of the module's code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace heart {

// One property of a plug-in property list.
struct PluginProperty {
  std::string vendor;  // four characters
  std::string key;     // four characters: "kind", "ivrs", "wx86"
  int32_t propertyId = 0;
  // A property holds either a four-character code or name (text) or a number.
  bool isNumber = false;
  int32_t number = 0;
  std::string text;
};

struct PropertyList {
  int32_t id = 0;
  std::vector<PluginProperty> properties;
  const PluginProperty* find(const std::string& key) const;
};

struct StringList {
  int32_t id = 0;
  std::vector<std::string> strings;  // index 0 is the list's first entry
};

struct DialogTemplateItem {
  int32_t id = -1;   // -1 for items without an id
  std::string kind;  // "default push button", "static text", "black frame", ...
  int32_t x = 0, y = 0, width = 0, height = 0;  // dialog units
  std::string text;
};

struct DialogTemplate {
  int32_t id = 0;
  std::string name;  // the dialog name, e.g. "About Dialog"
  std::string title;
  std::string font;
  int32_t pointSize = 0;
  int32_t width = 0, height = 0;  // dialog units
  std::string frame;              // "modal frame, caption, system menu"
  std::vector<DialogTemplateItem> items;
};

// An icon or cursor image: palette indices, row by row from the top.
struct ResourceImage {
  int32_t id = 0;
  int32_t width = 0, height = 0;
  int32_t colours = 0;                 // 16 for the icon, 2 for the monochrome cursor
  std::vector<uint32_t> palette;       // 0xRRGGBB
  std::vector<uint8_t> pixels;         // width * height palette indices
  std::vector<uint8_t> mask;           // width * height: 1 transparent, 0 opaque
  int32_t hotspotX = 0, hotspotY = 0;  // cursors only
};

struct VersionRecord {
  int32_t id = 1;
  uint16_t fileVersion[4] = {0, 0, 0, 0};
  uint16_t productVersion[4] = {0, 0, 0, 0};
  std::string fileType;                                      // "dynamic library"
  std::string language;                                      // "English (United Kingdom)"
  int32_t codePage = 0;                                      // 1200
  std::vector<std::pair<std::string, std::string>> strings;  // key, value in order
};

class PluginResources {
 public:
  // Reads the resources of a module file; a failure names the file and why.
  static Result<PluginResources> readFromModule(const std::string& path);
  // Reads the resource block itself (the bytes of the module's resource section).
  static Result<PluginResources> readFromBytes(const std::vector<uint8_t>& bytes);
  // The raw bytes of a module file's resource section, undecoded.
  static Result<std::vector<uint8_t>> readResourceSection(const std::string& path);

  const PropertyList* propertyList(int32_t id) const;
  const StringList* stringList(int32_t id) const;
  const DialogTemplate* dialog(int32_t id) const;
  const ResourceImage* icon(int32_t id) const;
  const ResourceImage* cursor(int32_t id) const;
  const VersionRecord* version() const;

  // String `index` of string list `listId`; empty past the end or for an unknown list.
  std::string indexString(int32_t listId, int32_t index) const;

  std::vector<PropertyList> propertyLists;
  std::vector<StringList> stringLists;
  std::vector<DialogTemplate> dialogs;
  std::vector<ResourceImage> icons;
  std::vector<ResourceImage> cursors;
  std::optional<VersionRecord> versionRecord;
};

}  // namespace heart
