// Opening the options dialog, its items as created, and page switching.
#include <gtest/gtest.h>

#include <set>

#include "dialog_session.h"

namespace heart::testing {
namespace {

const std::set<int32_t> kAlwaysShown = {90,  91, 92, 93, 94, 95, 96, 97, 98, 99,
                                        100, 2,  60, 61, 62, 63, 64, 3,  65, 27};
const std::set<int32_t> kPageItems[6] = {
    {11, 12, 13, 14, 15, 16, 70, 71, 72, 79, 160, 161, 162, 163, 164, 165},
    {17, 18, 19, 20, 21, 22, 74, 73, 133},
    {40, 41, 42, 43, 44,  45,  46,  47,  48, 49, 50, 51, 52,
     53, 54, 55, 80, 137, 138, 139, 140, 66, 26, 84, 166},
    {10, 4, 5, 6, 8, 9, 7, 76, 75, 77, 67, 23, 24, 25, 81, 82, 83, 167, 168},
    {115, 116, 117, 118, 136, 134, 120, 121, 122, 123, 126, 143, 144, 146, 145},
    {127, 128, 129, 130, 131, 132, 135, 125, 124, 119, 141, 142, 147},
};

// Exactly the page's items and the always-shown column are visible, and only
// the page's caption is emphasised.
void expectPageShown(const DialogState& state, int page) {
  for (const ItemState& item : state.items)
    EXPECT_EQ(item.visible, kAlwaysShown.count(item.id) || kPageItems[page - 1].count(item.id))
        << "item " << item.id << " on page " << page;
  for (int caption = 95; caption <= 100; ++caption) {
    ASSERT_NE(captionItem(state, caption), nullptr);
    EXPECT_EQ(captionItem(state, caption)->font,
              caption == 94 + page ? kADMEmphasizedFont : kADMDefaultFont)
        << "caption " << caption << " on page " << page;
  }
}

TEST(OptionsDialogOpening, DefaultsOpenOnTheFirstPageWithOnePreview) {
  DialogSession session;
  const Moment& opened = session.capture();
  EXPECT_EQ(session.runDialog(), kNoErr);

  EXPECT_EQ(opened.state.items.size(), 118u);
  EXPECT_EQ(opened.state.width, 530);
  EXPECT_EQ(opened.state.height, 320);
  expectPageShown(opened.state, 1);
  EXPECT_EQ(opened.previews, 1);
  EXPECT_EQ(opened.record.previewDrawn, 1);
  EXPECT_EQ(session.sentNotifications(), (std::vector<int32_t>{11, 90}));
  // Only what the defaults' values disable: the sketch items (no repeats)
  // and the shadow options (no drop shadow).
  const std::set<int32_t> disabled = {24, 23, 67, 141, 142, 143, 144, 145, 146};
  for (const ItemState& item : opened.state.items)
    EXPECT_EQ(item.enabled, !disabled.count(item.id)) << "item " << item.id;
}

TEST(OptionsDialogOpening, StoredPageAndValuesOpenAfterTheValueNotifierRuns) {
  DialogSession session;
  ParameterRecord record = session.defaults();
  record.currentPage = 4;
  record.heartCount = 42;
  record.placementMode = 5;
  record.heartPreset = 8;
  record.anchorFlag3 = 0;
  record.preview = 0;
  session.store(record);
  const Moment& opened = session.capture();
  session.runDialog();

  EXPECT_EQ(session.sentNotifications(), (std::vector<int32_t>{10, 93}));
  expectPageShown(opened.state, 4);
  EXPECT_EQ(opened.state.item(7)->intValue, 42);
  EXPECT_EQ(opened.state.item(10)->selectedEntry, 5);
  EXPECT_EQ(opened.state.item(66)->selectedEntry, 8);
  EXPECT_FALSE(opened.state.item(139)->checked);
  EXPECT_EQ(opened.previews, 0);  // "Preview" is off
}

TEST(OptionsDialogOpening, PageOutsideOneToSixOpensTheFirstPage) {
  for (int32_t page : {0, 7}) {
    DialogSession session;
    ParameterRecord record = session.defaults();
    record.currentPage = page;
    session.store(record);
    const Moment& opened = session.capture();
    session.runDialog();
    EXPECT_EQ(session.sentNotifications(), (std::vector<int32_t>{11, 90})) << page;
    expectPageShown(opened.state, 1);
    EXPECT_EQ(session.stored().currentPage, 1) << page;
  }
}

TEST(OptionsDialogPages, EachButtonShowsExactlyItsPage) {
  DialogSession session;
  const Moment* shown[6];
  for (int page : {3, 6, 2, 5, 4, 1}) {
    session.press(89 + page);
    shown[page - 1] = &session.capture();
  }
  session.runDialog();
  for (int page = 1; page <= 6; ++page) {
    expectPageShown(shown[page - 1]->state, page);
    EXPECT_EQ(shown[page - 1]->record.currentPage, page);
  }
  EXPECT_EQ(shown[0]->previews, 1);  // page changes draw no preview
}

}  // namespace
}  // namespace heart::testing
