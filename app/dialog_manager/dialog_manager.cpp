#include "dialog_manager/dialog_manager.h"

#include <algorithm>
#include <cstring>

#include "dialog_manager/dialog_refs.h"
#include "resources/plugin_resources.h"

namespace heart {
namespace {

const DialogTemplate* findTemplate(const DialogManager::ResourceSource& resourcesOf,
                                   SPPluginRef plugin, int32_t dialogId) {
  const PluginResources* resources = resourcesOf ? resourcesOf(plugin) : nullptr;
  if (!resources) return nullptr;
  for (const auto& candidate : resources->dialogs)
    if (candidate.id == dialogId) return &candidate;
  return nullptr;
}

// Pops what was pushed for the length of a call, also when the call leaves
// through an exception (a presenter or a snapshot callback may throw).
template <typename T>
class PushedFor {
 public:
  PushedFor(std::vector<T>& stack, T value) : stack_(stack) { stack_.push_back(value); }
  ~PushedFor() { stack_.pop_back(); }
  PushedFor(const PushedFor&) = delete;
  PushedFor& operator=(const PushedFor&) = delete;

 private:
  std::vector<T>& stack_;
};

}  // namespace

DialogManager::DialogManager() = default;
DialogManager::~DialogManager() = default;

void DialogManager::setEventSource(EventSource* source) {
  source_ = source;
  eventsTaken_ = 0;
  lastError_.clear();
}

void DialogManager::setPresenter(std::unique_ptr<DialogPresenter> presenter) {
  presenter_ = std::move(presenter);
}

void DialogManager::setResourceSource(ResourceSource resourcesOf) {
  resourcesOf_ = std::move(resourcesOf);
}

int32_t DialogManager::runModal(SPPluginRef plugin, const char* name, int32_t dialogId,
                                int32_t /*options*/, ADMDialogInitProc initProc,
                                ADMUserData userData) {
  if (open_.size() >= kMostNestedDialogs) {
    lastError_ = "modal dialog " + std::to_string(dialogId) +
                 " was not opened: " + std::to_string(open_.size()) + " dialogs are already open";
    return kNoDialogResult;
  }
  const DialogTemplate* layout = findTemplate(resourcesOf_, plugin, dialogId);
  if (!layout) {
    lastError_ = "the plug-in has no dialog resource " + std::to_string(dialogId);
    return kNoDialogResult;
  }

  auto owned = std::make_unique<Dialog>(plugin, name && *name ? std::string(name) : layout->name,
                                        dialogId, layout->title, userData);
  Dialog& dialog = *owned;
  dialog.setSize(layout->width, layout->height);
  for (const auto& item : layout->items) {
    const ASRect bounds{item.x, item.y, item.x + item.width, item.y + item.height};
    dialog.addItem(item.id, itemKindFromTemplateKind(item.kind), bounds).setText(item.text);
  }

  history_.push_back({dialog.name(), dialogId, dialog.title(), {}, kADMCancelResult});
  const size_t historyIndex = history_.size() - 1;
  open_.push_back({std::move(owned), historyIndex});
  struct Closer {
    DialogManager& manager;
    ~Closer() {
      manager.open_.pop_back();
      if (manager.open_.empty()) manager.abandoning_ = false;
    }
  } closer{*this};

  // A failing initialisation procedure leaves a dialog that cannot be used:
  // it ends at once, cancelled, without being shown.
  if (initProc && initProc(toRef(&dialog)) != kNoErr) dialog.end(kADMCancelResult, true);
  if (!dialog.hasEnded()) {
    if (presenter_) presenter_->opened(snapshotOf(dialog));
    runEvents(dialog);
  }
  record(dialog, historyIndex);
  return dialog.result();
}

void DialogManager::runEvents(Dialog& dialog) {
  while (!dialog.hasEnded()) {
    if (abandoning_) {
      dialog.end(kADMCancelResult, true);
      break;
    }
    std::optional<DialogEvent> event = source_ ? source_->next() : std::nullopt;
    if (!event) {
      // Nothing more from the user: the dialog is accepted as it stands.
      dialog.end(kADMOKResult, false);
      break;
    }
    ++eventsTaken_;
    if (Result<void> applied = apply(*event); !applied) reject(*event, applied.error());
  }
}

void DialogManager::reject(const DialogEvent& event, const std::string& reason) {
  const std::string label =
      event.label.empty() ? "event " + std::to_string(eventsTaken_) : event.label;
  lastError_ = label + ": " + event.describe() + ": " + reason;
  abandoning_ = true;
  if (Dialog* dialog = currentDialog()) dialog->end(kADMCancelResult, true);
}

void DialogManager::record(const Dialog& dialog, size_t historyIndex) {
  ModalRecord& entry = history_[historyIndex];
  entry.title = dialog.title();
  entry.items.clear();
  for (const auto& item : dialog.items())
    entry.items.push_back({item->id(), item->typeName(), item->text()});
  entry.result = dialog.result();
}

void DialogManager::endModal(Dialog& dialog, int32_t result, bool cancelling) {
  dialog.end(result, cancelling);
}

Dialog* DialogManager::currentDialog() const {
  return open_.empty() ? nullptr : open_.back().dialog.get();
}

std::optional<DialogState> DialogManager::currentState() const {
  if (const Dialog* dialog = currentDialog()) return snapshotOf(*dialog);
  return std::nullopt;
}

Dialog* DialogManager::dialogOf(ADMDialogRef ref) const {
  if (!ref) return nullptr;
  for (const auto& open : open_)
    if (toRef(open.dialog.get()) == ref) return open.dialog.get();
  return nullptr;
}

DialogItem* DialogManager::itemOf(ADMItemRef ref) const {
  if (!ref) return nullptr;
  for (const auto& open : open_)
    if (open.dialog->owns(ref, Dialog::ObjectKind::Item)) return reinterpret_cast<DialogItem*>(ref);
  return nullptr;
}

ItemList* DialogManager::listOf(ADMListRef ref) const {
  if (!ref) return nullptr;
  for (const auto& open : open_)
    if (open.dialog->owns(ref, Dialog::ObjectKind::List)) return reinterpret_cast<ItemList*>(ref);
  return nullptr;
}

ListEntry* DialogManager::entryOf(ADMEntryRef ref) const {
  if (!ref) return nullptr;
  for (const auto& open : open_)
    if (open.dialog->owns(ref, Dialog::ObjectKind::Entry)) return reinterpret_cast<ListEntry*>(ref);
  return nullptr;
}

const Notification* DialogManager::notificationOf(ADMNotifierRef ref) const {
  for (const Notification* notification : notifications_)
    if (ref && toRef(notification) == ref) return notification;
  return nullptr;
}

const TrackingEvent* DialogManager::trackingOf(ADMTrackerRef ref) const {
  if (!ref) return trackings_.empty() ? nullptr : trackings_.back();
  for (const TrackingEvent* tracking : trackings_)
    if (toRef(tracking) == ref) return tracking;
  return nullptr;
}

const DialogIcon* DialogManager::iconOf(ADMIconRef ref) const {
  if (!ref) return nullptr;
  for (const auto& [key, icon] : icons_)
    if (toRef(icon.get()) == ref) return icon.get();
  return nullptr;
}

DialogItem* DialogManager::createItem(Dialog& dialog, int32_t id, const char* typeName,
                                      const ASRect& bounds, ADMItemInitProc initProc,
                                      ADMUserData userData) {
  if (!typeName) return nullptr;
  std::optional<ItemKind> kind = itemKindFromTypeName(typeName);
  if (!kind) return nullptr;
  DialogItem& item = dialog.addItem(id, *kind, bounds);
  item.setUserData(userData);
  if (initProc && initProc(toRef(&item)) != kNoErr) {
    dialog.removeItem(item);
    return nullptr;
  }
  return &item;
}

void DialogManager::sendNotify(DialogItem& item, const char* notifierType) {
  const Notification notification{&item, notifierType ? notifierType : ""};
  PushedFor<const Notification*> delivering(notifications_, &notification);
  if (ADMItemNotifyProc proc = item.notifyProc()) {
    const ASErr result = proc(toRef(&item), toRef(&notification));
    item.setLastNotifyResult(result);
    lastNotifyResult_ = result;
  } else {
    defaultNotify(item, &notification);
  }
}

void DialogManager::defaultNotify(DialogItem& item, const Notification* notification) {
  if (notification && notification->type != kADMUserChangedNotifier) return;
  if (isPushButton(item.kind()) && (item.id() == kADMOKResult || item.id() == kADMCancelResult))
    endModal(item.dialog(), item.id(), item.id() == kADMCancelResult);
}

bool DialogManager::track(DialogItem& item, int32_t modifiers, ASPoint point) {
  const TrackingEvent tracking{&item, modifiers, point};
  PushedFor<const TrackingEvent*> tracked(trackings_, &tracking);
  if (ADMItemTrackProc proc = item.trackProc()) return proc(toRef(&item), toRef(&tracking)) != 0;
  return true;  // the standard tracking handles every event
}

void DialogManager::setFont(DialogItem& item, int32_t font) {
  item.setFont(font);
  const DialogItem* notified = notifications_.empty() ? nullptr : notifications_.back()->item;
  item.setFontSetBy(notified && &notified->dialog() == &item.dialog() ? notified : nullptr);
}

const ResourceImage* DialogManager::trackingCursor(const DialogItem& item) const {
  if (!item.trackProc()) return nullptr;
  const PluginResources* resources = resourcesOf_ ? resourcesOf_(item.dialog().plugin()) : nullptr;
  if (!resources || resources->cursors.empty()) return nullptr;
  return &resources->cursors.front();
}

const DialogIcon* DialogManager::iconFromResource(SPPluginRef plugin, int32_t iconId) {
  auto cached = icons_.find({plugin, iconId});
  if (cached != icons_.end()) return cached->second.get();
  const PluginResources* resources = resourcesOf_ ? resourcesOf_(plugin) : nullptr;
  if (!resources) return nullptr;
  for (const auto& image : resources->icons) {
    if (image.id != iconId) continue;
    auto icon = std::make_unique<DialogIcon>(DialogIcon{image.id, image.width, image.height});
    const DialogIcon* made = icon.get();
    icons_.emplace(std::make_pair(plugin, iconId), std::move(icon));
    return made;
  }
  return nullptr;
}

}  // namespace heart
