#include "dialog_manager/item_kind.h"

#include <array>
#include <utility>

#include "plugin/host/adm_suites.h"

namespace heart {
namespace {

constexpr std::array<std::pair<ItemKind, const char*>, 8> kTypeNames = {{
    {ItemKind::SpinEdit, kADMSpinEditType},
    {ItemKind::TextStatic, kADMTextStaticType},
    {ItemKind::PopupList, kADMPopupListType},
    {ItemKind::PicturePushButton, kADMPicturePushButtonType},
    {ItemKind::TextPushButton, kADMTextPushButtonType},
    {ItemKind::DefaultPushButton, kADMDefaultPushButtonType},
    {ItemKind::TextCheckBox, kADMTextCheckBoxType},
    {ItemKind::Frame, kADMFrameType},
}};

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::optional<ItemKind> itemKindFromTypeName(std::string_view typeName) {
  for (const auto& [kind, name] : kTypeNames)
    if (typeName == name) return kind;
  return std::nullopt;
}

const char* typeNameOf(ItemKind kind) {
  for (const auto& [candidate, name] : kTypeNames)
    if (candidate == kind) return name;
  return kADMFrameType;
}

ItemKind itemKindFromTemplateKind(std::string_view templateKind) {
  // Template kinds are the resource compiler's words; "static text, several
  // lines" is still a static text.
  if (contains(templateKind, "default push button")) return ItemKind::DefaultPushButton;
  if (contains(templateKind, "push button")) return ItemKind::TextPushButton;
  if (contains(templateKind, "static text")) return ItemKind::TextStatic;
  if (contains(templateKind, "check box")) return ItemKind::TextCheckBox;
  return ItemKind::Frame;
}

}  // namespace heart
