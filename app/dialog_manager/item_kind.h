// The kinds of dialog item the host offers, and their host type names.
#pragma once

#include <optional>
#include <string_view>

namespace heart {

enum class ItemKind {
  SpinEdit,
  TextStatic,
  PopupList,
  PicturePushButton,
  TextPushButton,
  DefaultPushButton,
  TextCheckBox,
  Frame,
};

// The kind behind a host type name such as "ADM Spin Edit Type"; none for a
// name the host does not know.
std::optional<ItemKind> itemKindFromTypeName(std::string_view typeName);
const char* typeNameOf(ItemKind kind);

// The kind of a dialog template item ("default push button", "static text",
// "black frame", ...). Kinds the host has no item for become inert frames
// that keep their text, so a template never loses an item.
ItemKind itemKindFromTemplateKind(std::string_view templateKind);

inline bool isPushButton(ItemKind kind) {
  return kind == ItemKind::PicturePushButton || kind == ItemKind::TextPushButton ||
         kind == ItemKind::DefaultPushButton;
}

}  // namespace heart
