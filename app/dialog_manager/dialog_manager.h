// The host's dialog manager: it runs a plug-in's modal dialogs from the
// templates in the plug-in's resources, holds the dialogs and their items
// while they are open, delivers notifications and tracking events to the
// items' procedures, and takes the user's actions from an event source.
//
// A modal run: the template's items are created, the plug-in's
// initialisation procedure runs, the presenter shows the dialog, and then
// the user's actions are applied one by one until something ends the
// dialog. Each action changes the item as a user would and then notifies
// it with "ADM User Changed Notifier". Modal dialogs nest: a procedure may
// run another modal dialog, which takes its actions from the same source.
//
// The suites reach the manager through currentHost().dialogs and hand it
// the plug-in's references; every reference is checked against the open
// dialogs before it is used, so a stale or foreign reference is ignored
// rather than followed. (Memory that a closed dialog's object occupied may
// be reused by a newer object of the same kind; a stale reference to it then
// reaches the newer object, never freed memory.)
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/result.h"
#include "dialog_manager/dialog.h"
#include "dialog_manager/dialog_presenter.h"
#include "dialog_manager/dialog_state.h"
#include "dialog_manager/event_source.h"
#include "plugin/host/adm_suites.h"

namespace heart {

// One item of a finished modal run, as it stood when the dialog ended.
struct ModalRecordItem {
  int32_t id = 0;
  std::string type;
  std::string text;
};

struct ModalRecord {
  std::string name;
  int32_t resourceId = 0;
  std::string title;
  std::vector<ModalRecordItem> items;
  int32_t result = 0;
};

// A notification being delivered: what the notifier suite answers.
struct Notification {
  DialogItem* item = nullptr;
  std::string type;
};

// A tracking event being delivered: what the tracker suite answers.
struct TrackingEvent {
  DialogItem* item = nullptr;
  int32_t modifiers = 0;
  ASPoint point{0, 0};
};

// An icon taken from a plug-in's resources.
struct DialogIcon {
  int32_t id = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct ResourceImage;
class PluginResources;

class DialogManager {
 public:
  // The result of a modal run that could not start: the plug-in has no such
  // dialog resource, or dialogs are nested too deeply. No item has this id.
  static constexpr int32_t kNoDialogResult = -1;
  static constexpr size_t kMostNestedDialogs = 16;

  DialogManager();
  ~DialogManager();
  DialogManager(const DialogManager&) = delete;
  DialogManager& operator=(const DialogManager&) = delete;

  // Where user actions come from; not owned. Null: every modal dialog is
  // confirmed as soon as it opens. Setting a source clears lastError() and
  // restarts the count that names unlabelled events.
  void setEventSource(EventSource* source);
  // Shows each modal dialog as it opens; null shows nothing.
  void setPresenter(std::unique_ptr<DialogPresenter> presenter);
  // Where the dialog templates, icons and cursors of a plug-in are found:
  // the resources of the module behind a plug-in reference, or null. Without
  // one no plug-in has any.
  using ResourceSource = std::function<const PluginResources*(SPPluginRef)>;
  void setResourceSource(ResourceSource resourcesOf);

  // Run the dialog template `dialogId` of the plug-in modally and answer the
  // id that ended it (1 confirm, 2 cancel, or the ending item's id).
  int32_t runModal(SPPluginRef plugin, const char* name, int32_t dialogId, int32_t options,
                   ADMDialogInitProc initProc, ADMUserData userData);
  void endModal(Dialog& dialog, int32_t result, bool cancelling);

  // The innermost open dialog, or null.
  Dialog* currentDialog() const;
  std::optional<DialogState> currentState() const;
  int openDialogs() const { return static_cast<int>(open_.size()); }

  // Every modal run, in the order the dialogs opened.
  const std::vector<ModalRecord>& history() const { return history_; }
  void clearHistory() { history_.clear(); }

  // Why the last run of the event source stopped early: a rejected event,
  // with the event's label or number. Empty when nothing went wrong.
  const std::string& lastError() const { return lastError_; }

  // What the last notify procedure answered; kept, never shown.
  ASErr lastNotifyResult() const { return lastNotifyResult_; }

  // Checked references: the object behind a reference that an open dialog
  // handed out, or null.
  Dialog* dialogOf(ADMDialogRef ref) const;
  DialogItem* itemOf(ADMItemRef ref) const;
  ItemList* listOf(ADMListRef ref) const;
  ListEntry* entryOf(ADMEntryRef ref) const;
  const Notification* notificationOf(ADMNotifierRef ref) const;
  // A null tracker means the event being tracked now (null when none is).
  const TrackingEvent* trackingOf(ADMTrackerRef ref) const;
  const DialogIcon* iconOf(ADMIconRef ref) const;

  // Item creation at run time, with the item's own initialisation procedure.
  // Null for an unknown type name, or when the procedure fails.
  DialogItem* createItem(Dialog& dialog, int32_t id, const char* typeName, const ASRect& bounds,
                         ADMItemInitProc initProc, ADMUserData userData);

  // Deliver a notification of the named type to the item: its notify
  // procedure, or the standard handling when it has none.
  void sendNotify(DialogItem& item, const char* notifierType);
  // The standard handling: a push button with id 1 or 2 that the user
  // changed (pressed) ends the modal dialog with its id; other items and
  // other kinds of notification need nothing more. A null notification is
  // taken as the user's change.
  void defaultNotify(DialogItem& item, const Notification* notification);
  // Deliver a tracking event to the item's track procedure (or the standard
  // tracking); answers what the procedure answered.
  bool track(DialogItem& item, int32_t modifiers, ASPoint point);

  // The plug-in sets an item's font. The item also keeps which item of its
  // dialog the plug-in was notifying then (the innermost notification), so
  // a front end learns from the plug-in's own notifications which caption
  // belongs to which page button.
  void setFont(DialogItem& item, int32_t font);

  // The pointer an item that the plug-in armed with a tracking procedure
  // shows while it waits for its point: the cursor of the plug-in that runs
  // its dialog. The plug-in names no cursor for an item, so it is the
  // plug-in's own cursor resource, whatever its id (the first of several).
  // Null for an item without a tracking procedure, or a plug-in without a
  // cursor. Owned by the plug-in's resources, valid while its module is
  // loaded.
  const ResourceImage* trackingCursor(const DialogItem& item) const;

  // An icon of the plug-in's resources, or null.
  const DialogIcon* iconFromResource(SPPluginRef plugin, int32_t iconId);

 private:
  struct OpenDialog {
    std::unique_ptr<Dialog> dialog;
    size_t historyIndex = 0;
  };

  void runEvents(Dialog& dialog);
  // Apply one user action to the innermost dialog; a failure says why the
  // action is rejected.
  Result<void> apply(const DialogEvent& event);
  Result<void> applyToItem(const DialogEvent& event, DialogItem& item);
  void reject(const DialogEvent& event, const std::string& reason);
  void record(const Dialog& dialog, size_t historyIndex);

  EventSource* source_ = nullptr;
  ResourceSource resourcesOf_;
  int eventsTaken_ = 0;
  std::unique_ptr<DialogPresenter> presenter_;
  std::vector<OpenDialog> open_;
  // Set when an event was rejected: every open modal dialog ends with
  // cancel, and the flag clears when the outermost one has returned.
  bool abandoning_ = false;
  std::vector<ModalRecord> history_;
  std::string lastError_;
  ASErr lastNotifyResult_ = kNoErr;
  std::vector<const Notification*> notifications_;
  std::vector<const TrackingEvent*> trackings_;
  std::map<std::pair<SPPluginRef, int32_t>, std::unique_ptr<DialogIcon>> icons_;
};

}  // namespace heart
