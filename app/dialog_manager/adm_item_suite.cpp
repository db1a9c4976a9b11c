// "ADM Item Suite": an item's procedures, value, range, text, visibility,
// enabled state, font and list.
#include "dialog_manager/dialog_suites.h"
#include "dialog_manager/suite_access.h"

namespace heart {
namespace {

using namespace suite_access;

ADMDialogRef GetDialog(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found ? toRef(&found->dialog()) : nullptr;
}

ASInt32 GetID(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found ? found->id() : 0;
}

void SetNotifyProc(ADMItemRef ref, ADMItemNotifyProc proc) {
  if (DialogItem* found = item(ref)) found->setNotifyProc(proc);
}

// A notifier the host no longer knows (one a procedure kept past its
// notification) asks for nothing: taken as no notifier at all, it would be
// the user's change and end the dialog through button 1 or 2.
void DefaultNotify(ADMItemRef ref, ADMNotifierRef notifier) {
  DialogItem* found = item(ref);
  if (!found) return;
  const Notification* notification = manager()->notificationOf(notifier);
  if (notifier && !notification) return;
  manager()->defaultNotify(*found, notification);
}

// A notification without a type name is the user's change, the one
// notification the host sends of its own.
void SendNotify(ADMItemRef ref, const char* notifierType) {
  if (DialogItem* found = item(ref))
    manager()->sendNotify(*found, notifierType ? notifierType : kADMUserChangedNotifier);
}

void SetTrackProc(ADMItemRef ref, ADMItemTrackProc proc) {
  if (DialogItem* found = item(ref)) found->setTrackProc(proc);
}

ASBoolean DefaultTrack(ADMItemRef ref, ADMTrackerRef /*tracker*/) { return item(ref) ? 1 : 0; }

void SetUnits(ADMItemRef ref, ASInt32 units) {
  if (DialogItem* found = item(ref)) found->setUnits(units);
}

void SetPrecision(ADMItemRef ref, ASInt32 places) {
  if (DialogItem* found = item(ref)) found->setPrecision(places);
}

void SetMinFloatValue(ADMItemRef ref, AIReal value) {
  if (DialogItem* found = item(ref)) found->setMinFloatValue(value);
}

void SetMaxFloatValue(ADMItemRef ref, AIReal value) {
  if (DialogItem* found = item(ref)) found->setMaxFloatValue(value);
}

void SetMinIntValue(ADMItemRef ref, ASInt32 value) {
  if (DialogItem* found = item(ref)) found->setMinIntValue(value);
}

void SetMaxIntValue(ADMItemRef ref, ASInt32 value) {
  if (DialogItem* found = item(ref)) found->setMaxIntValue(value);
}

void SetFloatValue(ADMItemRef ref, AIReal value) {
  if (DialogItem* found = item(ref)) found->setFloatValue(value);
}

AIReal GetFloatValue(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found ? static_cast<AIReal>(found->floatValue()) : 0.0f;
}

void SetIntValue(ADMItemRef ref, ASInt32 value) {
  if (DialogItem* found = item(ref)) found->setIntValue(value);
}

ASInt32 GetIntValue(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found ? found->intValue() : 0;
}

void SetBooleanValue(ADMItemRef ref, ASBoolean value) {
  if (DialogItem* found = item(ref)) found->setBooleanValue(value != 0);
}

ASBoolean GetBooleanValue(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found && found->booleanValue() ? 1 : 0;
}

void SetText(ADMItemRef ref, const char* text) {
  if (DialogItem* found = item(ref)) found->setText(text ? text : "");
}

void GetText(ADMItemRef ref, char* buffer, ASInt32 bufferSize) {
  DialogItem* found = item(ref);
  copyText(found ? found->text() : std::string(), buffer, bufferSize);
}

void Show(ADMItemRef ref, ASBoolean show) {
  if (DialogItem* found = item(ref)) found->show(show != 0);
}

ASBoolean IsVisible(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found && found->isVisible() ? 1 : 0;
}

void Enable(ADMItemRef ref, ASBoolean enable) {
  if (DialogItem* found = item(ref)) found->enable(enable != 0);
}

ASBoolean IsEnabled(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found && found->isEnabled() ? 1 : 0;
}

void SetFont(ADMItemRef ref, ASInt32 font) {
  if (DialogItem* found = item(ref)) manager()->setFont(*found, font);
}

ASInt32 GetFont(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found ? found->font() : kADMDefaultFont;
}

ADMListRef GetList(ADMItemRef ref) {
  DialogItem* found = item(ref);
  return found ? toRef(found->list()) : nullptr;
}

const ADMItemSuite kSuite = {
    .GetDialog = GetDialog,
    .GetID = GetID,
    .SetNotifyProc = SetNotifyProc,
    .DefaultNotify = DefaultNotify,
    .SendNotify = SendNotify,
    .SetTrackProc = SetTrackProc,
    .DefaultTrack = DefaultTrack,
    .SetUnits = SetUnits,
    .SetPrecision = SetPrecision,
    .SetMinFloatValue = SetMinFloatValue,
    .SetMaxFloatValue = SetMaxFloatValue,
    .SetMinIntValue = SetMinIntValue,
    .SetMaxIntValue = SetMaxIntValue,
    .SetFloatValue = SetFloatValue,
    .GetFloatValue = GetFloatValue,
    .SetIntValue = SetIntValue,
    .GetIntValue = GetIntValue,
    .SetBooleanValue = SetBooleanValue,
    .GetBooleanValue = GetBooleanValue,
    .SetText = SetText,
    .GetText = GetText,
    .Show = Show,
    .IsVisible = IsVisible,
    .Enable = Enable,
    .IsEnabled = IsEnabled,
    .SetFont = SetFont,
    .GetFont = GetFont,
    .GetList = GetList,
};

}  // namespace

const ADMItemSuite& admItemSuite() { return kSuite; }

}  // namespace heart
