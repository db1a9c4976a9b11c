// Whether an item of a dialog may take a user's action, and if not, why: the
// one answer by which the dialog manager applies an action, the studio checks
// the page's actions before handing them on, and the command line words the
// messages of a dialog script.
//
// Items may share an ID: the options dialog creates item 95 twice, first as
// the page-6 button and then as the page-1 caption. An action goes to the
// first item with the ID whose kind takes it, so a press reaches the button
// and never the caption; when no item with the ID is of such a kind, the
// answer is about the first item with the ID.
#pragma once

#include <cstdint>
#include <string>

#include "dialog_manager/dialog_state.h"
#include "dialog_manager/event_source.h"

namespace heart {

struct ItemAnswer {
  enum class Verdict {
    Takes,      // the item is of a kind that takes the action, shown and enabled
    NoItem,     // the dialog has no item with the ID
    OtherKind,  // no item with the ID is of a kind that takes the action
    Hidden,     // the item that would take the action is hidden
    Disabled,   // the item that would take the action is disabled
  };
  Verdict verdict = Verdict::NoItem;
  // The item the answer is about, one of the dialog's items: the one that
  // takes the action, or would if it were shown and enabled; for OtherKind
  // the first item with the ID. Null for NoItem.
  const ItemState* item = nullptr;
  // Why no item takes the action, in the dialog manager's words ("item 17 is
  // hidden"); empty when one does.
  std::string refusal;

  bool takes() const { return verdict == Verdict::Takes; }
};

// The answer for an action of the given kind (one aimed at an item: set,
// check, choose, press or pick) on the item with the ID.
ItemAnswer mayTakeAction(const DialogState& dialog, int32_t itemId, DialogEvent::Kind action);

}  // namespace heart
