// Shared by the dialog suite adapters: the current dialog manager and the
// checked look-up of the references a plug-in passes in.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "core/host_context.h"
#include "core/text_buffer.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_refs.h"

namespace heart::suite_access {

inline DialogManager* manager() { return currentHost().dialogs; }

inline Dialog* dialog(ADMDialogRef ref) {
  DialogManager* dialogs = manager();
  return dialogs ? dialogs->dialogOf(ref) : nullptr;
}

inline DialogItem* item(ADMItemRef ref) {
  DialogManager* dialogs = manager();
  return dialogs ? dialogs->itemOf(ref) : nullptr;
}

inline ItemList* list(ADMListRef ref) {
  DialogManager* dialogs = manager();
  return dialogs ? dialogs->listOf(ref) : nullptr;
}

inline ListEntry* entry(ADMEntryRef ref) {
  DialogManager* dialogs = manager();
  return dialogs ? dialogs->entryOf(ref) : nullptr;
}

}  // namespace heart::suite_access
