// Notifications, the standard handling of push buttons, and tracking events.
#include "dialog_test_support.h"

namespace heart::testing {
namespace {

const ADMDialogSuite& D = admDialogSuite();
const ADMItemSuite& I = admItemSuite();
const ADMNotifierSuite& N = admNotifierSuite();
const ADMTrackerSuite& T = admTrackerSuite();

TEST_F(DialogManagerTest, ANotificationAnswersItsTypeAndItemAndItsResultIsKept) {
  events.add(DialogEvent::setCheckBox(3, true));
  const int32_t result = withDialog([this](ADMDialogRef d) {
    ADMItemRef preview = create(d, 3, kADMTextCheckBoxType);
    ADMItemRef other = create(d, 4, kADMTextCheckBoxType);
    I.SetNotifyProc(preview, [](ADMItemRef item, ADMNotifierRef notifier) -> ASErr {
      active->seen.push_back(
          std::string(N.GetItem(notifier) == item ? "own item" : "other") +
          (N.IsNotifierType(notifier, kADMUserChangedNotifier) ? " changed" : " other") +
          (N.IsNotifierType(notifier, "ADM Other Notifier") ? " wrong" : "") +
          (I.GetBooleanValue(item) ? " on" : " off"));
      return kTooManyPointsErr;
    });
    // A procedure's notification reaches the other item's procedure too.
    I.SetNotifyProc(other, [](ADMItemRef, ADMNotifierRef notifier) -> ASErr {
      active->seen.push_back(N.IsNotifierType(notifier, "Custom") ? "custom" : "?");
      return kNoErr;
    });
    I.SendNotify(other, "Custom");
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"custom", "own item changed on"}));
  // The procedure's failure is kept but does not end or fail the dialog.
  EXPECT_EQ(dialogs.lastNotifyResult(), kTooManyPointsErr);
  EXPECT_EQ(result, kADMOKResult);
  // Outside a notification the notifier suite answers nothing.
  EXPECT_EQ(N.GetItem(nullptr), nullptr);
  EXPECT_EQ(N.IsNotifierType(nullptr, kADMUserChangedNotifier), 0);
}

TEST_F(DialogManagerTest, StandardHandlingEndsOnlyForPushButtonsOneAndTwo) {
  // Items with id 1 or 2 that are not push buttons end nothing, and neither
  // does a push button notified of something other than the user's change.
  events.add(DialogEvent::setCheckBox(1, true))
      .add(DialogEvent::press(60))
      .add(DialogEvent::takeSnapshot([](const DialogState&) { active->seen.push_back("open"); }))
      .add(DialogEvent::cancel());
  const int32_t result = withDialog([this](ADMDialogRef d) {
    create(d, 1, kADMTextCheckBoxType);
    create(d, 2, kADMTextStaticType);
    ADMItemRef cancel = create(d, 2, kADMTextPushButtonType);
    I.SendNotify(D.GetItem(d, 2), kADMUserChangedNotifier);
    I.SendNotify(cancel, "ADM Other Notifier");
    I.SetNotifyProc(create(d, 60, kADMTextPushButtonType),
                    [](ADMItemRef item, ADMNotifierRef) -> ASErr {
                      I.SendNotify(D.GetItem(I.GetDialog(item), 1), kADMUserChangedNotifier);
                      return kNoErr;
                    });
  });
  EXPECT_EQ(seen, std::vector<std::string>{"open"});
  EXPECT_EQ(result, kADMCancelResult);
}

ASErr passToStandardHandling(ADMItemRef item, ADMNotifierRef notifier) {
  DialogManagerTest::active->seen.push_back("ok pressed");
  I.DefaultNotify(item, notifier);
  return kNoErr;
}

TEST_F(DialogManagerTest, AProcedureHandingOnToTheStandardHandlingEndsTheDialog) {
  events.add(DialogEvent::press(1)).add(DialogEvent::cancel());
  EXPECT_EQ(runModal(kAlertDialog,
                     [](ADMDialogRef d) -> ASErr {
                       I.SetNotifyProc(D.GetItem(d, 1), passToStandardHandling);
                       return kNoErr;
                     }),
            kADMOKResult);
  EXPECT_EQ(seen, std::vector<std::string>{"ok pressed"});
  EXPECT_EQ(events.remaining(), 1u);

  // A notification sent without a type is the user's change.
  EXPECT_EQ(withDialog([this](ADMDialogRef d) {
              I.SendNotify(create(d, 2, kADMPicturePushButtonType), nullptr);
            }),
            kADMCancelResult);
}

ADMNotifierRef keptNotifier = nullptr;
ADMDialogRef keptDialog = nullptr;

TEST_F(DialogManagerTest, ANotifierKeptPastItsNotificationAsksForNoStandardHandling) {
  events.add(DialogEvent::press(60))
      .add(DialogEvent::takeSnapshot(
          [](const DialogState&) { I.DefaultNotify(D.GetItem(keptDialog, 1), keptNotifier); }))
      .add(DialogEvent::cancel());
  const int32_t result = withDialog([this](ADMDialogRef d) {
    keptDialog = d;
    create(d, 1, kADMTextPushButtonType);
    I.SetNotifyProc(create(d, 60, kADMTextPushButtonType),
                    [](ADMItemRef, ADMNotifierRef notifier) -> ASErr {
                      keptNotifier = notifier;
                      return kNoErr;
                    });
  });
  EXPECT_NE(keptNotifier, nullptr);
  EXPECT_EQ(result, kADMCancelResult);
}

ASBoolean recordTracking(ADMItemRef item, ADMTrackerRef tracker) {
  ASPoint viaNull{-1, -1}, viaTracker{-1, -1};
  T.GetPoint(nullptr, &viaNull);
  T.GetPoint(tracker, &viaTracker);
  const ASInt32 flags = T.GetModifiers(nullptr);
  DialogManagerTest::active->seen.push_back(
      std::to_string(I.GetID(item)) + ((flags & kADMButtonUpFlag) ? " click" : " press") +
      " flags " + std::to_string(T.GetModifiers(tracker)) + " at " + std::to_string(viaNull.h) +
      "," + std::to_string(viaNull.v) + (viaNull.h == viaTracker.h ? "" : " mismatch"));
  return I.DefaultTrack(item, tracker);
}

TEST_F(DialogManagerTest, APickRunsTheTrackProcedureWithTheEventsFlagsAndPoint) {
  events.add(DialogEvent::pick(160, {120, 340}, kADMButtonUpFlag))
      .add(DialogEvent::pick(161, {-5, 7}, kADMShiftKeyFlag))
      .add(DialogEvent::pick(162, {1, 1}, kADMButtonUpFlag));
  withDialog([this](ADMDialogRef d) {
    for (int32_t id : {160, 161}) {
      ADMItemRef picker = create(d, id, kADMPicturePushButtonType);
      I.SetTrackProc(picker, recordTracking);
      I.SetNotifyProc(picker, [](ADMItemRef, ADMNotifierRef) -> ASErr {
        active->seen.push_back("notified");
        return kNoErr;
      });
    }
    create(d, 162, kADMPicturePushButtonType);  // standard tracking only
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"160 click flags 32 at 120,340",
                                            "161 press flags 1 at -5,7"}));
  // Outside tracking there is no current event.
  ASPoint point{9, 9};
  T.GetPoint(nullptr, &point);
  EXPECT_EQ(point.h, 0);
  EXPECT_EQ(T.GetModifiers(nullptr), 0);
}

}  // namespace
}  // namespace heart::testing
