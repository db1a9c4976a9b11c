#include "resource_script.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>

#include "blob_writer.h"
#include "plugin/resources/windows_resource_codes.h"
#include "windows_image_file.h"

namespace rcscript {
namespace {

using nlohmann::json;
namespace codes = heart_resources::windows;

[[noreturn]] void fail(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

std::string at(const std::string& where, size_t index) {
  return where + "[" + std::to_string(index) + "]";
}

int resourceId(const json& value, const std::string& where) {
  const int64_t id = value.get<int64_t>();
  if (id < 1 || id > 0xFFFF)
    fail(where, std::to_string(id) + " is not a Windows resource id (1 to 65535)");
  return static_cast<int>(id);
}

// A text as a quoted resource-script string. The script is read as UTF-8.
std::string quoted(const std::string& text, const std::string& where) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\"\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20)
          fail(where, "a control character cannot be written");
        out += c;
    }
  }
  return out + "\"";
}

std::string hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

uint32_t codeValue(const std::string& chars) {
  return static_cast<uint32_t>(static_cast<uint8_t>(chars[0])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(chars[1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(chars[2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(chars[3]));
}

// The property list in its binary form: version, count, then per property
// vendor, key, id, value length and the value padded to whole words.
std::vector<uint8_t> propertyListBytes(const json& list, const std::string& where) {
  rescomp::BlobWriter out;
  const json& properties = list["properties"];
  out.u32(codes::kPropertyListVersion);
  out.u32(static_cast<uint32_t>(properties.size()));
  for (size_t i = 0; i < properties.size(); ++i) {
    const json& property = properties[i];
    const std::string here = at(where + ".properties", i);
    const std::string key = property["key"].get<std::string>();
    out.u32(codeValue(property["vendor"].get<std::string>()));
    out.u32(codeValue(key));
    out.i32(property["id"].get<int32_t>());
    const codes::PropertyKind kind = codes::propertyKind(key);
    if (kind == codes::PropertyKind::Number) {
      if (!property.contains("number")) fail(here, "\"" + key + "\" holds a number");
      out.u32(4);
      out.i32(property["number"].get<int32_t>());
    } else if (kind == codes::PropertyKind::Code) {
      if (!property.contains("code")) fail(here, "\"" + key + "\" holds a four-character code");
      out.u32(4);
      out.u32(codeValue(property["code"].get<std::string>()));
    } else {
      if (!property.contains("text")) fail(here, "\"" + key + "\" holds a text");
      const std::string text = property["text"].get<std::string>();
      if (text.find('\0') != std::string::npos) fail(here, "the text holds a zero byte");
      out.u32(static_cast<uint32_t>(text.size() + 1));
      out.append(std::vector<uint8_t>(text.begin(), text.end()));
      out.u8(0);
      while (out.size() % 4 != 0) out.u8(0);
    }
  }
  return out.bytes();
}

// String list L's string i is string L + i of the string table; lists are
// told apart by the gap between them.
void writeStringTable(const json& lists, std::ostringstream& script) {
  std::map<int, std::pair<size_t, std::string>> ranges;  // first id -> count, place
  for (size_t i = 0; i < lists.size(); ++i) {
    const std::string where = at("stringLists", i);
    const int id = resourceId(lists[i]["id"], where + ".id");
    const size_t count = lists[i]["strings"].size();
    if (count == 0) fail(where, "an empty string list cannot be written");
    if (id + count - 1 > 0xFFFF) fail(where, "its strings run past string id 65535");
    ranges[id] = {count, where};
  }
  int end = -1;  // one past the last id of the list before
  for (const auto& [first, range] : ranges) {
    if (first <= end) fail(range.second, "its ids run into the list before it");
    end = first + static_cast<int>(range.first);
  }
  script << "STRINGTABLE\nBEGIN\n";
  for (size_t i = 0; i < lists.size(); ++i) {
    const int id = lists[i]["id"].get<int>();
    const json& strings = lists[i]["strings"];
    for (size_t k = 0; k < strings.size(); ++k) {
      const std::string here = at(at("stringLists", i) + ".strings", k);
      const std::string text = strings[k].get<std::string>();
      if (text.empty()) fail(here, "a string table holds no empty strings");
      script << "  " << id + static_cast<int>(k) << ", " << quoted(text, here) << "\n";
    }
  }
  script << "END\n\n";
}

void writeDialog(const json& dialog, const std::string& where, std::ostringstream& script) {
  const int id = resourceId(dialog["id"], where + ".id");
  const std::string frame = dialog["frame"].get<std::string>();
  const auto style = codes::frameStyle(frame);
  if (!style)
    fail(where + ".frame", "\"" + frame + "\" is not a frame of modal frame, caption, system menu");
  script << id << " DIALOG 0, 0, " << dialog["width"].get<int>() << ", "
         << dialog["height"].get<int>() << "\n"
         << "STYLE " << hex(*style) << "\n"
         << "CAPTION " << quoted(dialog["title"].get<std::string>(), where + ".title") << "\n"
         << "FONT " << dialog["pointSize"].get<int>() << ", "
         << quoted(dialog["font"].get<std::string>(), where + ".font") << "\nBEGIN\n";
  const json& items = dialog["items"];
  for (size_t i = 0; i < items.size(); ++i) {
    const json& item = items[i];
    const std::string here = at(where + ".items", i);
    const std::string kind = item["kind"].get<std::string>();
    const auto control = codes::controlOfKind(kind);
    if (!control)
      fail(here + ".kind", "\"" + kind + "\" is not a control kind a dialog template holds");
    const int itemId = item.contains("id") ? item["id"].get<int>() : -1;
    const json& rect = item["rect"];
    script << "  CONTROL " << quoted(item.value("text", std::string()), here + ".text") << ", "
           << itemId << ", \"" << control->className << "\", " << hex(control->style) << ", "
           << rect[0].get<int>() << ", " << rect[1].get<int>() << ", " << rect[2].get<int>() << ", "
           << rect[3].get<int>() << "\n";
  }
  script << "END\n\n";
}

IndexedImage indexedImage(const json& image, bool isCursor) {
  IndexedImage out;
  out.width = image["width"].get<int>();
  out.height = image["height"].get<int>();
  if (isCursor) {
    out.hotspotX = image["hotspot"][0].get<int>();
    out.hotspotY = image["hotspot"][1].get<int>();
  }
  for (const json& colour : image["palette"])
    out.palette.push_back(
        static_cast<uint32_t>(std::stoul(colour.get<std::string>().substr(1), nullptr, 16)));
  for (const json& row : image["pixels"]) {
    for (char c : row.get<std::string>()) {
      const bool clear = c == '.';
      out.pixels.push_back(clear ? 0
                                 : static_cast<uint8_t>(std::stoi(std::string(1, c), nullptr, 16)));
      out.mask.push_back(clear ? 1 : 0);
    }
  }
  return out;
}

void writeVersion(const json& version, std::ostringstream& script) {
  const int id = resourceId(version["id"], "version.id");
  const std::string language = version["language"].get<std::string>();
  const auto languageId = codes::languageId(language);
  if (!languageId)
    fail("version.language", "\"" + language + "\" is not a language this tool knows");
  const std::string fileType = version["fileType"].get<std::string>();
  const auto typeCode = codes::fileTypeCode(fileType);
  if (!typeCode)
    fail("version.fileType", "\"" + fileType + "\" is not a file type this tool knows");
  const int codePage = version["codePage"].get<int>();
  auto parts = [&](const char* key) {
    const json& p = version[key];
    return std::to_string(p[0].get<int>()) + ", " + std::to_string(p[1].get<int>()) + ", " +
           std::to_string(p[2].get<int>()) + ", " + std::to_string(p[3].get<int>());
  };
  char block[16];
  std::snprintf(block, sizeof block, "%04x%04x", *languageId, codePage);
  script << "LANGUAGE " << (*languageId & 0x3FF) << ", " << (*languageId >> 10) << "\n"
         << id << " VERSIONINFO\nFILEVERSION " << parts("fileVersion") << "\nPRODUCTVERSION "
         << parts("productVersion") << "\nFILEOS " << hex(codes::kFileOsWindows32) << "\nFILETYPE "
         << hex(*typeCode) << "\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n"
         << "    BLOCK \"" << block << "\"\n    BEGIN\n";
  const json& strings = version["strings"];
  for (size_t i = 0; i < strings.size(); ++i) {
    const std::string here = at("version.strings", i);
    script << "      VALUE " << quoted(strings[i][0].get<std::string>(), here) << ", "
           << quoted(strings[i][1].get<std::string>(), here) << "\n";
  }
  script << "    END\n  END\n  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\", "
         << hex(*languageId) << ", " << codePage << "\n  END\nEND\n";
}

}  // namespace

ResourceScript resourceScript(const json& description, const std::string& stem) {
  ResourceScript out;
  std::ostringstream script;
  script << "// Generated by rcscript from the module's resource description. Do not edit.\n"
         << "#pragma code_page(65001)\n\n"
         << "LANGUAGE " << (codes::kResourceLanguage & 0x3FF) << ", "
         << (codes::kResourceLanguage >> 10) << "\n\n";
  const json empty = json::array();
  const json& lists = description.value("propertyLists", empty);
  for (size_t i = 0; i < lists.size(); ++i) {
    const std::string where = at("propertyLists", i);
    const int id = resourceId(lists[i]["id"], where + ".id");
    const std::string name = stem + "_pipl_" + std::to_string(id) + ".bin";
    out.files.push_back({name, propertyListBytes(lists[i], where)});
    script << id << " PIPL \"" << name << "\"\n\n";
  }
  if (description.contains("stringLists") && !description["stringLists"].empty())
    writeStringTable(description["stringLists"], script);
  const json& dialogs = description.value("dialogs", empty);
  for (size_t i = 0; i < dialogs.size(); ++i) writeDialog(dialogs[i], at("dialogs", i), script);
  for (const char* kind : {"icons", "cursors"}) {
    const bool isCursor = std::string(kind) == "cursors";
    const json& images = description.value(kind, empty);
    for (size_t i = 0; i < images.size(); ++i) {
      const int id = resourceId(images[i]["id"], at(kind, i) + ".id");
      const IndexedImage image = indexedImage(images[i], isCursor);
      const std::string name = stem + "_" + std::to_string(id) + (isCursor ? ".cur" : ".ico");
      out.files.push_back({name, isCursor ? cursorFile(image) : iconFile(image)});
      script << id << (isCursor ? " CURSOR \"" : " ICON \"") << name << "\"\n\n";
    }
  }
  if (description.contains("version")) writeVersion(description["version"], script);
  out.text = script.str();
  return out;
}

}  // namespace rcscript
