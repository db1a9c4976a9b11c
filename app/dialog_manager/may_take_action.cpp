#include "dialog_manager/may_take_action.h"

#include "dialog_manager/item_kind.h"

namespace heart {
namespace {

bool takes(ItemKind kind, DialogEvent::Kind action) {
  switch (action) {
    case DialogEvent::Kind::SetReal:
    case DialogEvent::Kind::SetInteger:
      return kind == ItemKind::SpinEdit;
    case DialogEvent::Kind::SetCheckBox:
      return kind == ItemKind::TextCheckBox;
    case DialogEvent::Kind::ChooseEntry:
      return kind == ItemKind::PopupList;
    case DialogEvent::Kind::Press:
    case DialogEvent::Kind::Pick:
      return isPushButton(kind);
    default:
      return false;
  }
}

bool takes(const ItemState& item, DialogEvent::Kind action) {
  std::optional<ItemKind> kind = itemKindFromTypeName(item.type);
  return kind && takes(*kind, action);
}

const char* wantedKind(DialogEvent::Kind action) {
  switch (action) {
    case DialogEvent::Kind::SetReal:
    case DialogEvent::Kind::SetInteger:
      return "a spin edit";
    case DialogEvent::Kind::SetCheckBox:
      return "a check box";
    case DialogEvent::Kind::ChooseEntry:
      return "a popup list";
    default:
      return "a push button";
  }
}

}  // namespace

ItemAnswer mayTakeAction(const DialogState& dialog, int32_t itemId, DialogEvent::Kind action) {
  const std::string name = "item " + std::to_string(itemId);
  const ItemState* first = nullptr;
  for (const ItemState& item : dialog.items) {
    if (item.id != itemId) continue;
    if (!first) first = &item;
    if (!takes(item, action)) continue;
    if (!item.visible) return {ItemAnswer::Verdict::Hidden, &item, name + " is hidden"};
    if (!item.enabled) return {ItemAnswer::Verdict::Disabled, &item, name + " is disabled"};
    return {ItemAnswer::Verdict::Takes, &item, {}};
  }
  if (!first)
    return {ItemAnswer::Verdict::NoItem, nullptr,
            "the dialog \"" + dialog.name + "\" has no " + name};
  return {ItemAnswer::Verdict::OtherKind, first,
          name + " is " + first->type + ", not " + wantedKind(action)};
}

}  // namespace heart
