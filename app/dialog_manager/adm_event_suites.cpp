// "ADM Tracker Suite" and "ADM Notifier Suite": what a procedure asks about
// the event or notification it was called for.
#include "dialog_manager/dialog_suites.h"
#include "dialog_manager/suite_access.h"

namespace heart {
namespace {

using namespace suite_access;

const TrackingEvent* tracking(ADMTrackerRef ref) {
  DialogManager* dialogs = manager();
  return dialogs ? dialogs->trackingOf(ref) : nullptr;
}

const Notification* notification(ADMNotifierRef ref) {
  DialogManager* dialogs = manager();
  return dialogs ? dialogs->notificationOf(ref) : nullptr;
}

ASInt32 GetModifiers(ADMTrackerRef ref) {
  const TrackingEvent* found = tracking(ref);
  return found ? found->modifiers : 0;
}

void GetPoint(ADMTrackerRef ref, ASPoint* point) {
  if (!point) return;
  const TrackingEvent* found = tracking(ref);
  *point = found ? found->point : ASPoint{0, 0};
}

ADMItemRef GetNotifierItem(ADMNotifierRef ref) {
  const Notification* found = notification(ref);
  return found ? toRef(found->item) : nullptr;
}

ASBoolean IsNotifierType(ADMNotifierRef ref, const char* notifierType) {
  const Notification* found = notification(ref);
  return found && notifierType && found->type == notifierType ? 1 : 0;
}

const ADMTrackerSuite kTrackerSuite = {
    .GetModifiers = GetModifiers,
    .GetPoint = GetPoint,
};

const ADMNotifierSuite kNotifierSuite = {
    .GetItem = GetNotifierItem,
    .IsNotifierType = IsNotifierType,
};

}  // namespace

const ADMTrackerSuite& admTrackerSuite() { return kTrackerSuite; }
const ADMNotifierSuite& admNotifierSuite() { return kNotifierSuite; }

}  // namespace heart
