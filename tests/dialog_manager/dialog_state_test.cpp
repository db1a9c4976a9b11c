// The dialog's state and its JSON form, icons from resources, and the
// suites offered through the broker.
#include "core/suite_broker.h"
#include "dialog_test_support.h"

namespace heart::testing {
namespace {

const ADMDialogSuite& D = admDialogSuite();
const ADMItemSuite& I = admItemSuite();
const ADMListSuite& L = admListSuite();
const ADMEntrySuite& E = admEntrySuite();

TEST_F(DialogManagerTest, SnapshotJsonCarriesWhatEachKindOfItemShows) {
  nlohmann::json json;
  events.add(DialogEvent::setReal(11, 12.5))
      .add(DialogEvent::takeSnapshot([&](const DialogState& state) { json = toJson(state); }));
  withDialog([this](ADMDialogRef d) {
    D.Size(d, 530, 320);
    ADMItemRef height = create(d, 11, kADMSpinEditType, {180, 70, 240, 90});
    I.SetMinFloatValue(height, -1500);
    I.SetMaxFloatValue(height, 2500);
    I.SetPrecision(height, 2);
    ADMItemRef count = create(d, 7, kADMSpinEditType);
    I.SetMinIntValue(count, 1);
    I.SetMaxIntValue(count, 400);
    I.SetIntValue(count, 20);
    I.Show(count, 0);
    ADMItemRef preview = create(d, 3, kADMTextCheckBoxType);
    I.SetText(preview, "Preview");
    I.SetBooleanValue(preview, 1);
    I.Enable(preview, 0);
    ADMItemRef caption = create(d, 95, kADMTextStaticType);
    I.SetText(caption, "Heart");
    I.SetFont(caption, kADMEmphasizedFont);
    ADMListRef list = I.GetList(create(d, 10, kADMPopupListType));
    for (const char* text : {" Centre", " Anywhere"}) {
      ADMEntryRef entry = L.InsertEntry(list, L.NumberOfEntries(list));
      E.SetText(entry, text);
      E.SetID(entry, L.NumberOfEntries(list) - 1);
    }
    E.Select(L.IndexEntry(list, 1), 1);
  });

  EXPECT_EQ(json["title"], "Plain Dialog");
  EXPECT_EQ(json["size"], nlohmann::json({530, 320}));
  const auto& items = json["items"];
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0]["type"], kADMSpinEditType);
  EXPECT_EQ(items[0]["bounds"], nlohmann::json({180, 70, 240, 90}));
  EXPECT_EQ(items[0]["value"], 12.5);
  EXPECT_EQ(items[0]["text"], "12.50");
  EXPECT_EQ(items[0]["minimum"], -1500.0);
  EXPECT_EQ(items[0]["maximum"], 2500.0);
  EXPECT_EQ(items[0]["integer"], false);
  EXPECT_EQ(items[1]["value"], 20);
  EXPECT_EQ(items[1]["integer"], true);
  EXPECT_EQ(items[1]["visible"], false);
  EXPECT_EQ(items[2]["checked"], true);
  EXPECT_EQ(items[2]["enabled"], false);
  EXPECT_FALSE(items[2].contains("value"));
  EXPECT_EQ(items[3]["font"], kADMEmphasizedFont);
  EXPECT_EQ(items[3]["text"], "Heart");
  EXPECT_EQ(items[4]["selected"], 1);
  EXPECT_EQ(items[4]["text"], " Anywhere");
  EXPECT_EQ(items[4]["entries"][0],
            nlohmann::json({{"text", " Centre"}, {"id", 0}, {"selected", false}}));
}

// Two page buttons (ids 94 and 95) and their captions (95 and 96, the first
// sharing its id with the second button), marked as the plug-in marks its
// pages: each button's notification sets every caption's font and
// emphasises its own.
ADMItemRef gCaptions[2];
ADMItemRef gButtons[2];

ASErr markOwnCaption(ADMItemRef button, ADMNotifierRef) {
  for (int i = 0; i < 2; ++i) I.SetFont(gCaptions[i], kADMDefaultFont);
  for (int i = 0; i < 2; ++i)
    if (button == gButtons[i]) I.SetFont(gCaptions[i], kADMEmphasizedFont);
  return kNoErr;
}

ASBoolean tracked(ADMItemRef, ADMTrackerRef) { return 1; }

TEST_F(DialogManagerTest, TheWiringSaysWhichButtonsTrackAndWhoseNotificationSetAFont) {
  nlohmann::json shown, wired;
  // A check box whose procedure has the second page shown, as the plug-in's
  // procedures re-notify the current page's button: the fonts are set
  // inside the button's notification, itself inside the check box's.
  events.add(DialogEvent::setCheckBox(3, true))
      .add(DialogEvent::takeSnapshot([&](const DialogState& state) {
        shown = toJson(state);
        wired = toJson(state, StateDetail::WithWiring);
      }));
  withDialog([this](ADMDialogRef d) {
    for (int i = 0; i < 2; ++i) {
      gButtons[i] = create(d, 94 + i, kADMPicturePushButtonType);
      I.SetNotifyProc(gButtons[i], markOwnCaption);
    }
    for (int i = 0; i < 2; ++i) gCaptions[i] = create(d, 95 + i, kADMTextStaticType);
    I.SetTrackProc(create(d, 160, kADMPicturePushButtonType), tracked);
    ADMItemRef label = create(d, 70, kADMTextStaticType);
    I.SetFont(label, kADMEmphasizedFont);  // outside any notification
    I.SendNotify(gButtons[0], nullptr);    // the first page, as the plug-in starts
    I.SetNotifyProc(create(d, 3, kADMTextCheckBoxType), [](ADMItemRef, ADMNotifierRef) -> ASErr {
      I.SendNotify(gButtons[1], nullptr);
      return kNoErr;
    });
  });

  const auto& items = wired["items"];
  ASSERT_EQ(items.size(), 7u);
  const std::vector<bool> tracks = {false, false, false, false, true, false, false};
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i]["tracks"], tracks[i]) << i;
  // The second button (position 1, id 95) was notified last: both captions
  // had their fonts set by it, and it emphasised its own.
  EXPECT_EQ(items[2]["fontSetBy"], 1);
  EXPECT_EQ(items[3]["fontSetBy"], 1);
  EXPECT_EQ(items[2]["font"], kADMDefaultFont);
  EXPECT_EQ(items[3]["font"], kADMEmphasizedFont);
  for (size_t i : {0, 1, 4, 5, 6}) EXPECT_FALSE(items[i].contains("fontSetBy")) << i;
  // What a person sees, as a script prints it, holds none of the wiring.
  for (const auto& item : shown["items"]) {
    EXPECT_FALSE(item.contains("tracks"));
    EXPECT_FALSE(item.contains("fontSetBy"));
  }
}

TEST_F(DialogManagerTest, ATrackingItemPointsWithItsPluginsCursorWhateverItsId) {
  ResourceImage cursor;
  cursor.id = 7;
  resources.cursors.push_back(cursor);
  cursor.id = 3;
  resources.cursors.push_back(cursor);
  std::vector<const ResourceImage*> pointers;
  withDialog([&](ADMDialogRef d) {
    ADMItemRef picker = create(d, 160, kADMPicturePushButtonType);
    I.SetTrackProc(picker, tracked);
    ADMItemRef page = create(d, 90, kADMPicturePushButtonType);
    pointers = {dialogs.trackingCursor(*dialogs.itemOf(picker)),
                dialogs.trackingCursor(*dialogs.itemOf(page))};
    resources.cursors.clear();
    pointers.push_back(dialogs.trackingCursor(*dialogs.itemOf(picker)));
  });
  ASSERT_NE(pointers[0], nullptr);
  EXPECT_EQ(pointers[0]->id, 7) << "the first of the plug-in's cursors";
  EXPECT_EQ(pointers[1], nullptr) << "a button the plug-in does not track";
  EXPECT_EQ(pointers[2], nullptr) << "a plug-in without a cursor";
}

TEST_F(DialogManagerTest, CurrentStateFollowsTheInnermostDialog) {
  EXPECT_FALSE(dialogs.currentState());
  withDialog([this](ADMDialogRef) {
    ASSERT_TRUE(dialogs.currentState());
    EXPECT_EQ(dialogs.currentState()->resourceId, kPlainDialog);
    runModal(kAlertDialog, [](ADMDialogRef) -> ASErr {
      active->seen.push_back(active->dialogs.currentState()->title);
      return kNoErr;
    });
  });
  EXPECT_EQ(seen, std::vector<std::string>{"Plug-in Error"});
}

TEST_F(DialogManagerTest, IconsComeFromThePluginsResources) {
  ResourceImage icon;
  icon.id = 16051;
  icon.width = 32;
  icon.height = 16;
  resources.icons.push_back(icon);
  const ADMIconSuite& icons = admIconSuite();
  ADMIconRef found = icons.GetFromResource(thePlugin(), 16051);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(icons.GetFromResource(thePlugin(), 16051), found);
  ASInt32 width = 0, height = 0;
  icons.GetSize(found, &width, &height);
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 16);
  EXPECT_EQ(icons.GetFromResource(thePlugin(), 16000), nullptr);
  EXPECT_EQ(icons.GetFromResource(nullptr, 16051), nullptr);
  icons.GetSize(nullptr, &width, &height);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
}

TEST_F(DialogManagerTest, TheBrokerOffersEverySuiteAtItsVersion) {
  SuiteBroker broker;
  registerDialogSuites(broker);
  const std::vector<std::pair<const char*, ASInt32>> expected = {
      {kADMDialogSuite, kADMDialogSuiteVersion},   {kADMItemSuite, kADMItemSuiteVersion},
      {kADMListSuite, kADMListSuiteVersion},       {kADMEntrySuite, kADMEntrySuiteVersion},
      {kADMTrackerSuite, kADMTrackerSuiteVersion}, {kADMNotifierSuite, kADMNotifierSuiteVersion},
      {kADMIconSuite, kADMIconSuiteVersion}};
  for (const auto& [name, version] : expected) {
    const void* table = nullptr;
    EXPECT_EQ(broker.acquire(name, version, &table), kNoErr) << name;
    EXPECT_NE(table, nullptr) << name;
  }
  const void* table = nullptr;
  EXPECT_EQ(broker.acquire(kADMItemSuite, kADMItemSuiteVersion + 1, &table), kSuiteNotFoundErr);
  const void* dialogSuite = nullptr;
  broker.acquire(kADMDialogSuite, kADMDialogSuiteVersion, &dialogSuite);
  EXPECT_EQ(dialogSuite, &admDialogSuite());
}

TEST_F(DialogManagerTest, WithoutADialogManagerTheSuitesAnswerNothing) {
  const HostContext none;
  HostScope noDialogs(none);
  EXPECT_EQ(D.Modal(thePlugin(), "Test", kPlainDialog, 0, nullptr, nullptr),
            DialogManager::kNoDialogResult);
  EXPECT_EQ(admIconSuite().GetFromResource(thePlugin(), 1), nullptr);
  EXPECT_EQ(I.GetID(nullptr), 0);
}

}  // namespace
}  // namespace heart::testing
