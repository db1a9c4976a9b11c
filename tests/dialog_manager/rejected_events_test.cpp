// Actions a user could not carry out: the run ends cancelled, nothing is
// changed or notified, and lastError() names the action and the reason.
#include "dialog_test_support.h"

namespace heart::testing {
namespace {

const ADMItemSuite& I = admItemSuite();
const ADMListSuite& L = admListSuite();

ASErr noteNotification(ADMItemRef item, ADMNotifierRef) {
  DialogManagerTest::active->seen.push_back("notified " + std::to_string(I.GetID(item)));
  return kNoErr;
}

// A dialog with a visible spin edit 11, a hidden one 17, a disabled check
// box 143, a caption 70 and a popup list 65 with two entries.
void buildPage(DialogManagerTest& test, ADMDialogRef d) {
  ADMItemRef height = test.create(d, 11, kADMSpinEditType);
  ADMItemRef hidden = test.create(d, 17, kADMSpinEditType);
  ADMItemRef shadow = test.create(d, 143, kADMTextCheckBoxType);
  ADMItemRef list = test.create(d, 65, kADMPopupListType);
  test.create(d, 70, kADMTextStaticType);
  I.Show(hidden, 0);
  I.Enable(shadow, 0);
  L.InsertEntry(I.GetList(list), 0);
  L.InsertEntry(I.GetList(list), 1);
  for (ADMItemRef item : {height, hidden, shadow, list}) I.SetNotifyProc(item, noteNotification);
}

struct Rejection {
  DialogEvent event;
  std::string message;
};

TEST_F(DialogManagerTest, ImpossibleActionsCancelTheRunAndSayWhy) {
  const std::vector<Rejection> cases = {
      {DialogEvent::setReal(12, 1.0).labelled("line 3"),
       "line 3: set item 12 to 1: the dialog \"Test\" has no item 12"},
      {DialogEvent::setReal(17, 2.5).labelled("line 4"),
       "line 4: set item 17 to 2.5: item 17 is hidden"},
      {DialogEvent::setCheckBox(143, true).labelled("line 5"),
       "line 5: check item 143: item 143 is disabled"},
      {DialogEvent::setReal(143, 1.0).labelled("line 6"),
       "line 6: set item 143 to 1: item 143 is ADM Text Check Box Type, not a spin edit"},
      {DialogEvent::press(70).labelled("line 7"),
       "line 7: press item 70: item 70 is ADM Text Static Type, not a push button"},
      {DialogEvent::chooseEntry(65, 2).labelled("line 8"),
       "line 8: choose entry 2 of item 65: item 65 has no entry at position 2 (it has 2)"},
      {DialogEvent::setReal(11, std::numeric_limits<double>::quiet_NaN()).labelled("line 9"),
       "line 9: set item 11 to nan: the value is not a finite number"},
  };
  for (const Rejection& rejection : cases) {
    seen.clear();
    dialogs.setEventSource(&events);
    events.add(rejection.event).add(DialogEvent::setReal(11, 5.0));
    EXPECT_EQ(withDialog([this](ADMDialogRef d) { buildPage(*this, d); }), kADMCancelResult)
        << rejection.message;
    EXPECT_EQ(dialogs.lastError(), rejection.message);
    EXPECT_TRUE(seen.empty()) << rejection.message;
    // The run stopped at the rejected action; what follows is left unread.
    EXPECT_EQ(events.remaining(), 1u) << rejection.message;
    events.next();
  }
}

TEST_F(DialogManagerTest, UnlabelledEventsAreNamedByTheirPosition) {
  events.add(DialogEvent::setReal(11, 1.0)).add(DialogEvent::setCheckBox(11, true));
  withDialog([this](ADMDialogRef d) { buildPage(*this, d); });
  EXPECT_EQ(dialogs.lastError(),
            "event 2: check item 11: item 11 is ADM Spin Edit Type, not a check box");
  EXPECT_EQ(seen, std::vector<std::string>{"notified 11"});
}

TEST_F(DialogManagerTest, ARejectionInsideANestedDialogCancelsEveryOpenDialog) {
  events.add(DialogEvent::press(60))
      .add(DialogEvent::press(9).labelled("line 2"))
      .add(DialogEvent::confirm());
  const int32_t outer = withDialog([this](ADMDialogRef d) {
    I.SetNotifyProc(create(d, 60, kADMTextPushButtonType), [](ADMItemRef, ADMNotifierRef) -> ASErr {
      const int32_t inner = active->runModal(kAlertDialog, nullptr);
      active->seen.push_back("inner " + std::to_string(inner));
      return kNoErr;
    });
  });
  EXPECT_EQ(outer, kADMCancelResult);
  EXPECT_EQ(seen, std::vector<std::string>{"inner 2"});
  EXPECT_EQ(dialogs.lastError(), "line 2: press item 9: the dialog \"Test\" has no item 9");
  EXPECT_EQ(events.remaining(), 1u);

  // Once every dialog has closed, the next run takes events again.
  EXPECT_EQ(runModal(kAlertDialog, nullptr), kADMOKResult);
  EXPECT_EQ(events.remaining(), 0u);
  // The error stays until it is cleared or a new source is set.
  EXPECT_FALSE(dialogs.lastError().empty());
  dialogs.setEventSource(&events);
  EXPECT_TRUE(dialogs.lastError().empty());
}

}  // namespace
}  // namespace heart::testing
