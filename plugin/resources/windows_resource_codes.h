// How the module's resources are held in a Windows module: the numbers that
// the resource-script generator writes and the host's PE reader reads back.
// The layouts are described in FORMAT.md beside this file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace heart_resources::windows {

// Resource types by number.
constexpr uint32_t kCursorType = 1;
constexpr uint32_t kIconType = 3;
constexpr uint32_t kDialogType = 5;
constexpr uint32_t kStringType = 6;
constexpr uint32_t kCursorGroupType = 12;
constexpr uint32_t kIconGroupType = 14;
constexpr uint32_t kVersionType = 16;
// The property list's type is named, not numbered.
constexpr const char* kPropertyListTypeName = "PIPL";
constexpr uint32_t kPropertyListVersion = 0;

// English (United States): the language of every resource but the version record.
constexpr uint16_t kResourceLanguage = 0x0409;
constexpr uint32_t kFileOsWindows32 = 0x00040004;

// A property's value kind follows from its key in the binary property list.
enum class PropertyKind { Number, Code, Text };
inline PropertyKind propertyKind(std::string_view key) {
  if (key == "ivrs") return PropertyKind::Number;
  if (key == "kind") return PropertyKind::Code;
  return PropertyKind::Text;
}

// Window styles of a dialog frame.
constexpr uint32_t kStylePopup = 0x80000000;
constexpr uint32_t kStyleModalFrame = 0x00000080;
constexpr uint32_t kStyleCaption = 0x00C00000;
constexpr uint32_t kStyleSystemMenu = 0x00080000;

inline std::optional<uint32_t> frameStyle(std::string_view frame) {
  if (frame == "plain") return kStylePopup;
  uint32_t style = kStylePopup;
  const std::pair<std::string_view, uint32_t> words[] = {{"modal frame", kStyleModalFrame},
                                                         {"caption", kStyleCaption},
                                                         {"system menu", kStyleSystemMenu}};
  std::string_view rest = frame;
  for (const auto& [word, bits] : words) {
    if (rest.substr(0, word.size()) != word) continue;
    style |= bits;
    rest.remove_prefix(word.size());
    if (rest.substr(0, 2) == ", ") rest.remove_prefix(2);
  }
  if (!rest.empty() || style == kStylePopup) return std::nullopt;
  return style;
}

inline std::string frameText(uint32_t style) {
  std::string text;
  auto add = [&](bool on, const char* word) {
    if (!on) return;
    if (!text.empty()) text += ", ";
    text += word;
  };
  add(style & kStyleModalFrame, "modal frame");
  add((style & kStyleCaption) == kStyleCaption, "caption");
  add(style & kStyleSystemMenu, "system menu");
  return text.empty() ? "plain" : text;
}

// Control classes by their predefined atoms.
constexpr uint16_t kButtonClass = 0x0080;
constexpr uint16_t kStaticClass = 0x0082;
constexpr uint32_t kStyleChild = 0x40000000;
constexpr uint32_t kStyleVisible = 0x10000000;
constexpr uint32_t kStyleTabStop = 0x00010000;
constexpr uint32_t kStyleGroup = 0x00020000;

struct Control {
  const char* className;
  uint16_t classAtom;
  uint32_t style;  // the kind's own bits, child and visible, and tab stop or group where it has one
  uint32_t kindMask;
};

inline constexpr Control kControls[] = {
    {"Button", kButtonClass, kStyleChild | kStyleVisible | kStyleTabStop | 0x1, 0xF},
    {"Button", kButtonClass, kStyleChild | kStyleVisible | kStyleTabStop | 0x0, 0xF},
    {"Static", kStaticClass, kStyleChild | kStyleVisible | kStyleGroup | 0x0, 0x1F},
    {"Static", kStaticClass, kStyleChild | kStyleVisible | 0x7, 0x1F},
};
inline constexpr const char* kControlKinds[] = {"default push button", "push button", "static text",
                                                "black frame"};

inline std::optional<Control> controlOfKind(std::string_view kind) {
  for (size_t i = 0; i < std::size(kControls); ++i)
    if (kind == kControlKinds[i]) return kControls[i];
  return std::nullopt;
}

inline std::optional<std::string> kindOfControl(uint16_t classAtom, uint32_t style) {
  for (size_t i = 0; i < std::size(kControls); ++i)
    if (kControls[i].classAtom == classAtom &&
        (style & kControls[i].kindMask) == (kControls[i].style & kControls[i].kindMask))
      return std::string(kControlKinds[i]);
  return std::nullopt;
}

struct NamedNumber {
  const char* name;
  uint32_t number;
};
inline constexpr NamedNumber kLanguages[] = {{"English (United States)", 0x0409},
                                             {"English (United Kingdom)", 0x0809}};
inline constexpr NamedNumber kFileTypes[] = {{"application", 1}, {"dynamic library", 2}};

template <size_t N>
std::optional<uint32_t> numberOf(const NamedNumber (&table)[N], std::string_view name) {
  for (const NamedNumber& entry : table)
    if (name == entry.name) return entry.number;
  return std::nullopt;
}
template <size_t N>
std::optional<std::string> nameOf(const NamedNumber (&table)[N], uint32_t number) {
  for (const NamedNumber& entry : table)
    if (number == entry.number) return std::string(entry.name);
  return std::nullopt;
}

inline std::optional<uint32_t> languageId(std::string_view name) {
  return numberOf(kLanguages, name);
}
inline std::optional<uint32_t> fileTypeCode(std::string_view name) {
  return numberOf(kFileTypes, name);
}

}  // namespace heart_resources::windows
