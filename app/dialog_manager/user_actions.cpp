// Applying the user's actions to the innermost open dialog. An action aimed
// at an item changes the item as a user would (types the value, sets the
// check box, chooses the entry) and then notifies the item, so the item's
// procedure sees the new value, exactly as with a person at the dialog.
// Actions a user could not carry out (an item that is not there, hidden,
// disabled, or of another kind) are rejected with a message that says why.
#include <cmath>
#include <vector>

#include "dialog_manager/dialog_manager.h"

namespace heart {
namespace {

bool accepts(ItemKind kind, DialogEvent::Kind event) {
  switch (event) {
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

const char* wantedKind(DialogEvent::Kind event) {
  switch (event) {
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

std::optional<std::string> DialogManager::apply(const DialogEvent& event) {
  Dialog* dialog = currentDialog();
  if (!dialog) return "no dialog is open";
  switch (event.kind) {
    case DialogEvent::Kind::Confirm:
      endModal(*dialog, kADMOKResult, false);
      return std::nullopt;
    case DialogEvent::Kind::Cancel:
      endModal(*dialog, kADMCancelResult, true);
      return std::nullopt;
    case DialogEvent::Kind::Snapshot:
      if (event.snapshot) event.snapshot(snapshotOf(*dialog));
      return std::nullopt;
    default:
      break;
  }

  // Two items may share an id; the action goes to the first one that can
  // take it, so pressing a button is not confused with a caption.
  std::vector<DialogItem*> candidates;
  for (const auto& item : dialog->items())
    if (item->id() == event.itemId) candidates.push_back(item.get());
  const std::string name = "item " + std::to_string(event.itemId);
  if (candidates.empty()) return "the dialog \"" + dialog->name() + "\" has no " + name;
  DialogItem* target = nullptr;
  for (DialogItem* candidate : candidates)
    if (accepts(candidate->kind(), event.kind)) {
      target = candidate;
      break;
    }
  if (!target)
    return name + " is " + candidates.front()->typeName() + ", not " + wantedKind(event.kind);
  if (!target->isVisible()) return name + " is hidden";
  if (!target->isEnabled()) return name + " is disabled";
  return applyToItem(event, *target);
}

std::optional<std::string> DialogManager::applyToItem(const DialogEvent& event, DialogItem& item) {
  switch (event.kind) {
    case DialogEvent::Kind::SetReal:
      if (!std::isfinite(event.real)) return "the value is not a finite number";
      item.setFloatValue(event.real);
      break;
    case DialogEvent::Kind::SetInteger:
      item.setIntValue(event.integer);
      break;
    case DialogEvent::Kind::SetCheckBox:
      item.setBooleanValue(event.checked);
      break;
    case DialogEvent::Kind::ChooseEntry: {
      ListEntry* entry = item.list()->at(event.integer);
      if (!entry)
        return "item " + std::to_string(item.id()) + " has no entry at position " +
               std::to_string(event.integer) + " (it has " + std::to_string(item.list()->size()) +
               ")";
      item.list()->select(*entry, true);
      break;
    }
    case DialogEvent::Kind::Pick:
      track(item, event.modifiers, event.point);
      return std::nullopt;
    default:
      break;
  }
  sendNotify(item, kADMUserChangedNotifier);
  return std::nullopt;
}

}  // namespace heart
