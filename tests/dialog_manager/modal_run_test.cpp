// How a modal run starts, what ends it, what it records and shows, and
// dialogs opened from inside another dialog's procedures.
#include <sstream>

#include "dialog_test_support.h"

namespace heart::testing {
namespace {

const ADMDialogSuite& D = admDialogSuite();
const ADMItemSuite& I = admItemSuite();

TEST_F(DialogManagerTest, GesturesAndButtonsEndTheRunWithTheirResult) {
  events.add(DialogEvent::confirm());
  EXPECT_EQ(withDialog([](ADMDialogRef) {}), kADMOKResult);

  events.add(DialogEvent::cancel());
  EXPECT_EQ(withDialog([](ADMDialogRef) {}), kADMCancelResult);

  // The template's default push button has id 1 and no procedure.
  events.add(DialogEvent::press(1));
  EXPECT_EQ(runModal(kAlertDialog, nullptr), kADMOKResult);

  // A run-time "Cancel" button, id 2, without a procedure.
  events.add(DialogEvent::press(2));
  EXPECT_EQ(withDialog([this](ADMDialogRef d) { create(d, 2, kADMTextPushButtonType); }),
            kADMCancelResult);

  // A procedure may end the dialog with any result.
  events.add(DialogEvent::press(60));
  EXPECT_EQ(withDialog([this](ADMDialogRef d) {
              I.SetNotifyProc(create(d, 60, kADMTextPushButtonType),
                              [](ADMItemRef item, ADMNotifierRef) -> ASErr {
                                D.EndModal(I.GetDialog(item), 60, 0);
                                return kNoErr;
                              });
            }),
            60);
  EXPECT_EQ(events.remaining(), 0u);
}

TEST_F(DialogManagerTest, AnExhaustedSourceConfirmsAfterEveryQueuedAction) {
  // A button other than 1 or 2 does not end the dialog; the source then runs
  // dry and the dialog is confirmed.
  events.add(DialogEvent::press(60)).add(DialogEvent::press(60));
  EXPECT_EQ(withDialog([this](ADMDialogRef d) {
              I.SetNotifyProc(create(d, 60, kADMTextPushButtonType),
                              [](ADMItemRef, ADMNotifierRef) -> ASErr {
                                active->seen.push_back("pressed");
                                return kNoErr;
                              });
            }),
            kADMOKResult);
  EXPECT_EQ(seen, (std::vector<std::string>{"pressed", "pressed"}));

  dialogs.setEventSource(nullptr);
  EXPECT_EQ(runModal(kAlertDialog, nullptr), kADMOKResult);
}

TEST_F(DialogManagerTest, TemplateItemsExistWhenTheInitialisationRuns) {
  struct Seen {
    std::string okText, messageText;
    ADMItemRef frame = nullptr;
    ADMUserData data = nullptr;
  } seenByInit;
  runModal(
      kAlertDialog,
      [](ADMDialogRef d) -> ASErr {
        auto* out = static_cast<Seen*>(D.GetUserData(d));
        out->data = out;
        out->okText = active->textOf(D.GetItem(d, 1));
        out->messageText = active->textOf(D.GetItem(d, 2));
        out->frame = D.GetItem(d, 4);
        return kNoErr;
      },
      &seenByInit);
  EXPECT_EQ(seenByInit.data, &seenByInit);
  EXPECT_EQ(seenByInit.okText, "OK");
  EXPECT_EQ(seenByInit.messageText, "Message");
  EXPECT_NE(seenByInit.frame, nullptr);

  ASSERT_EQ(dialogs.history().size(), 1u);
  const ModalRecord& record = dialogs.history()[0];
  EXPECT_EQ(record.name, "Test");
  EXPECT_EQ(record.resourceId, kAlertDialog);
  EXPECT_EQ(record.title, "Plug-in Error");
  ASSERT_EQ(record.items.size(), 4u);
  EXPECT_EQ(record.items[0].type, kADMDefaultPushButtonType);
  EXPECT_EQ(record.items[1].type, kADMTextStaticType);
  EXPECT_EQ(record.items[3].type, kADMFrameType);
}

TEST_F(DialogManagerTest, TemplateGeometryBecomesTheDialogsState) {
  std::optional<DialogState> state;
  events.add(DialogEvent::takeSnapshot([&](const DialogState& s) { state = s; }));
  runModal(kAlertDialog, nullptr);
  ASSERT_TRUE(state);
  EXPECT_EQ(state->width, 185);
  EXPECT_EQ(state->height, 92);
  const ItemState* ok = state->item(1);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->bounds.left, 127);
  EXPECT_EQ(ok->bounds.top, 65);
  EXPECT_EQ(ok->bounds.right, 177);
  EXPECT_EQ(ok->bounds.bottom, 79);
}

TEST_F(DialogManagerTest, ARunThatCannotStartSaysWhyAndRunsNothing) {
  events.add(DialogEvent::confirm());
  EXPECT_EQ(runModal(16100,
                     [](ADMDialogRef) -> ASErr {
                       active->seen.push_back("init");
                       return kNoErr;
                     }),
            DialogManager::kNoDialogResult);
  EXPECT_TRUE(seen.empty());
  EXPECT_NE(dialogs.lastError().find("16100"), std::string::npos);
  EXPECT_TRUE(dialogs.history().empty());
  EXPECT_EQ(events.remaining(), 1u);

  // An unknown plug-in has no resources at all.
  EXPECT_EQ(D.Modal(nullptr, "X", kPlainDialog, 0, nullptr, nullptr),
            DialogManager::kNoDialogResult);
}

TEST_F(DialogManagerTest, AFailingInitialisationCancelsWithoutShowingOrTakingEvents) {
  std::ostringstream shown;
  dialogs.setPresenter(std::make_unique<TerminalPresenter>(shown));
  events.add(DialogEvent::confirm());
  EXPECT_EQ(runModal(kAlertDialog, [](ADMDialogRef) -> ASErr { return kBadParameterErr; }),
            kADMCancelResult);
  EXPECT_EQ(events.remaining(), 1u);
  EXPECT_TRUE(shown.str().empty());
  ASSERT_EQ(dialogs.history().size(), 1u);
  EXPECT_EQ(dialogs.history()[0].result, kADMCancelResult);
}

ASErr fillAlert(ADMDialogRef d) {
  I.SetText(D.GetItem(d, 2), "The selection is not valid for this filter.");
  I.SetText(D.GetItem(d, 3), "!sel");
  return kNoErr;
}

TEST_F(DialogManagerTest, HistoryAndPresenterShowTextsSetByTheProcedures) {
  std::ostringstream shown;
  dialogs.setPresenter(std::make_unique<TerminalPresenter>(shown));
  EXPECT_EQ(runModal(kAlertDialog, fillAlert), kADMOKResult);
  EXPECT_EQ(shown.str(),
            "Plug-in Error\n"
            "  The selection is not valid for this filter.\n"
            "  !sel\n");
  const ModalRecord& record = dialogs.history().at(0);
  EXPECT_EQ(record.items[1].text, "The selection is not valid for this filter.");
  EXPECT_EQ(record.items[2].text, "!sel");
  EXPECT_EQ(record.result, kADMOKResult);
}

TEST_F(DialogManagerTest, PresenterSplitsLinesAndLeavesOutHiddenTextsAndButtons) {
  resources.dialogs[1].items[1].text = "Heart\r\nfor hosts";
  std::ostringstream shown;
  dialogs.setPresenter(std::make_unique<TerminalPresenter>(shown));
  runModal(kAlertDialog, [](ADMDialogRef d) -> ASErr {
    I.Show(D.GetItem(d, 3), 0);
    return kNoErr;
  });
  EXPECT_EQ(shown.str(), "Plug-in Error\n  Heart\n  for hosts\n");
}

TEST_F(DialogManagerTest, ADialogRunFromAProcedureNestsInsideTheOuterOne) {
  // Outer: button 60 opens the alert; the alert takes the next event (its
  // OK button); the outer dialog then takes the one after (cancel).
  events.add(DialogEvent::press(60)).add(DialogEvent::press(1)).add(DialogEvent::cancel());
  const int32_t outer = withDialog([this](ADMDialogRef d) {
    I.SetNotifyProc(create(d, 60, kADMTextPushButtonType),
                    [](ADMItemRef item, ADMNotifierRef) -> ASErr {
                      ADMDialogRef outerDialog = I.GetDialog(item);
                      const int32_t inner = active->runModal(kAlertDialog, fillAlert);
                      active->seen.push_back("inner " + std::to_string(inner));
                      // The outer dialog and its items are still there.
                      active->seen.push_back("outer item " +
                                             std::to_string(I.GetID(D.GetItem(outerDialog, 60))));
                      return kNoErr;
                    });
  });
  EXPECT_EQ(outer, kADMCancelResult);
  EXPECT_EQ(seen, (std::vector<std::string>{"inner 1", "outer item 60"}));
  ASSERT_EQ(dialogs.history().size(), 2u);
  EXPECT_EQ(dialogs.history()[0].resourceId, kPlainDialog);
  EXPECT_EQ(dialogs.history()[0].result, kADMCancelResult);
  EXPECT_EQ(dialogs.history()[1].resourceId, kAlertDialog);
  EXPECT_EQ(dialogs.history()[1].result, kADMOKResult);
  EXPECT_EQ(dialogs.currentDialog(), nullptr);
}

}  // namespace
}  // namespace heart::testing
