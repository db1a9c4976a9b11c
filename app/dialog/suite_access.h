// Shared by the dialog suite adapters: the current dialog manager and the
// checked look-up of the references a plug-in passes in.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "dialog/dialog_manager.h"
#include "dialog/dialog_refs.h"
#include "dialog/dialog_services.h"

namespace heart::suite_access {

inline DialogManager* manager() { return dialogServices().dialogs; }

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

// Copy text into a caller's buffer of bufferSize bytes, cut to fit and
// always zero-terminated; nothing for a missing or empty buffer.
inline void copyText(const std::string& text, char* buffer, ASInt32 bufferSize) {
  if (!buffer || bufferSize <= 0) return;
  const size_t length = std::min(text.size(), static_cast<size_t>(bufferSize) - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

}  // namespace heart::suite_access
