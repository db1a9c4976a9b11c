// Applying the user's actions to the innermost open dialog. An action aimed
// at an item changes the item as a user would (types the value, sets the
// check box, chooses the entry) and then notifies the item, so the item's
// procedure sees the new value, exactly as with a person at the dialog.
// Actions a user could not carry out (an item that is not there, hidden,
// disabled, or of another kind) are rejected with the reason that
// mayTakeAction() gives.
#include <cmath>

#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/may_take_action.h"

namespace heart {

Result<void> DialogManager::apply(const DialogEvent& event) {
  Dialog* dialog = currentDialog();
  if (!dialog) return fail("no dialog is open");
  switch (event.kind) {
    case DialogEvent::Kind::Confirm:
      endModal(*dialog, kADMOKResult, false);
      return {};
    case DialogEvent::Kind::Cancel:
      endModal(*dialog, kADMCancelResult, true);
      return {};
    case DialogEvent::Kind::Snapshot:
      if (event.snapshot) event.snapshot(snapshotOf(*dialog));
      return {};
    default:
      break;
  }

  // The answer is given on a snapshot of the dialog, whose items stand in
  // the order of the dialog's own.
  const DialogState state = snapshotOf(*dialog);
  const ItemAnswer answer = mayTakeAction(state, event.itemId, event.kind);
  if (!answer.takes()) return fail(answer.refusal);
  const size_t position = static_cast<size_t>(answer.item - state.items.data());
  return applyToItem(event, *dialog->items()[position]);
}

Result<void> DialogManager::applyToItem(const DialogEvent& event, DialogItem& item) {
  switch (event.kind) {
    case DialogEvent::Kind::SetReal:
      if (!std::isfinite(event.real)) return fail("the value is not a finite number");
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
        return fail("item " + std::to_string(item.id()) + " has no entry at position " +
                    std::to_string(event.integer) + " (it has " +
                    std::to_string(item.list()->size()) + ")");
      item.list()->select(*entry, true);
      break;
    }
    case DialogEvent::Kind::Pick:
      track(item, event.modifiers, event.point);
      return {};
    default:
      break;
  }
  sendNotify(item, kADMUserChangedNotifier);
  return {};
}

}  // namespace heart
