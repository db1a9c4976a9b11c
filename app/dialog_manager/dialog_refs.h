// Conversions between the dialog manager's objects and the opaque references
// the plug-in holds. Converting an object to a reference is always safe; a
// reference coming back is converted only through the manager's checked
// look-ups (DialogManager::itemOf and the like), which use these casts once
// they have found the object among the open dialogs.
#pragma once

#include "dialog_manager/dialog.h"
#include "dialog_manager/dialog_item.h"
#include "dialog_manager/item_list.h"
#include "plugin/host/adm_suites.h"

namespace heart {

struct Notification;
struct TrackingEvent;
struct DialogIcon;

inline ADMDialogRef toRef(Dialog* dialog) { return reinterpret_cast<ADMDialogRef>(dialog); }
inline ADMItemRef toRef(DialogItem* item) { return reinterpret_cast<ADMItemRef>(item); }
inline ADMListRef toRef(ItemList* list) { return reinterpret_cast<ADMListRef>(list); }
inline ADMEntryRef toRef(ListEntry* entry) { return reinterpret_cast<ADMEntryRef>(entry); }
inline ADMNotifierRef toRef(const Notification* notification) {
  return reinterpret_cast<ADMNotifierRef>(const_cast<Notification*>(notification));
}
inline ADMTrackerRef toRef(const TrackingEvent* tracking) {
  return reinterpret_cast<ADMTrackerRef>(const_cast<TrackingEvent*>(tracking));
}
inline ADMIconRef toRef(const DialogIcon* icon) {
  return reinterpret_cast<ADMIconRef>(const_cast<DialogIcon*>(icon));
}

}  // namespace heart
