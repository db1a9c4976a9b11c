// Popup lists: inserting entries, selection, and the user choosing an entry.
#include "dialog_test_support.h"

namespace heart::testing {
namespace {

const ADMItemSuite& I = admItemSuite();
const ADMListSuite& L = admListSuite();
const ADMEntrySuite& E = admEntrySuite();

std::string entryText(ADMEntryRef entry) {
  char buffer[64];
  E.GetText(entry, buffer, sizeof buffer);
  return buffer;
}

// A popup list with the given entries, ids equal to positions.
ADMItemRef popup(DialogManagerTest& test, ADMDialogRef d, int32_t id,
                 std::vector<std::string> texts) {
  ADMItemRef item = test.create(d, id, kADMPopupListType);
  ADMListRef list = I.GetList(item);
  for (size_t i = 0; i < texts.size(); ++i) {
    ADMEntryRef entry = L.InsertEntry(list, static_cast<ASInt32>(i));
    E.SetText(entry, texts[i].c_str());
    E.SetID(entry, static_cast<ASInt32>(i));
  }
  return item;
}

TEST_F(DialogManagerTest, InsertingAtAPositionMovesLaterEntriesDown) {
  withDialog([this](ADMDialogRef d) {
    ADMListRef list = I.GetList(create(d, 65, kADMPopupListType));
    ASSERT_NE(list, nullptr);
    E.SetText(L.InsertEntry(list, 0), " Curve");
    ADMEntryRef first = L.InsertEntry(list, 0);
    E.SetText(first, " Heart");
    E.SetText(L.InsertEntry(list, 1), " Middle");
    E.SetText(L.InsertEntry(list, 99), " Last");  // past the end: appended
    E.SetText(L.InsertEntry(list, -1), " After");
    ASSERT_EQ(L.NumberOfEntries(list), 5);
    std::vector<std::string> order;
    for (int32_t i = 0; i < 5; ++i) order.push_back(entryText(L.IndexEntry(list, i)));
    EXPECT_EQ(order, (std::vector<std::string>{" Heart", " Middle", " Curve", " Last", " After"}));
    EXPECT_EQ(L.IndexEntry(list, 0), first);  // references survive later insertions
    EXPECT_EQ(L.IndexEntry(list, 5), nullptr);
    EXPECT_EQ(L.IndexEntry(list, -1), nullptr);
    // Only popup lists have a list.
    EXPECT_EQ(I.GetList(create(d, 11, kADMSpinEditType)), nullptr);
  });
}

TEST_F(DialogManagerTest, SelectingAnEntryDeselectsTheOthers) {
  withDialog([this](ADMDialogRef d) {
    ADMListRef list = I.GetList(popup(*this, d, 10, {" a", " b", " c"}));
    EXPECT_EQ(L.GetSelectedEntry(list), nullptr);
    E.Select(L.IndexEntry(list, 2), 1);
    E.Select(L.IndexEntry(list, 1), 1);
    EXPECT_EQ(E.IsSelected(L.IndexEntry(list, 2)), 0);
    EXPECT_EQ(E.GetID(L.GetSelectedEntry(list)), 1);
    EXPECT_EQ(L.GetActiveEntry(list), L.GetSelectedEntry(list));
    E.Select(L.IndexEntry(list, 1), 0);
    EXPECT_EQ(L.GetSelectedEntry(list), nullptr);
    EXPECT_EQ(L.GetActiveEntry(list), nullptr);
  });
}

TEST_F(DialogManagerTest, ChoosingAnEntrySelectsItBeforeTheProcedureRuns) {
  events.add(DialogEvent::chooseEntry(67, 2)).add(DialogEvent::chooseEntry(67, 0));
  withDialog([this](ADMDialogRef d) {
    ADMItemRef sketch = popup(*this, d, 67, {" black", " same", " random"});
    E.Select(L.IndexEntry(I.GetList(sketch), 1), 1);
    I.SetNotifyProc(sketch, [](ADMItemRef item, ADMNotifierRef) -> ASErr {
      ADMListRef list = I.GetList(item);
      int selected = 0;
      for (int32_t i = 0; i < L.NumberOfEntries(list); ++i)
        selected += E.IsSelected(L.IndexEntry(list, i));
      active->seen.push_back(std::to_string(E.GetID(L.GetActiveEntry(list))) + " " +
                             active->textOf(item) + " of " + std::to_string(selected));
      return kNoErr;
    });
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"2  random of 1", "0  black of 1"}));
}

}  // namespace
}  // namespace heart::testing
