// The one answer to "may this item take this action": which item of those
// sharing an ID an action goes to, what the answer is about when none can
// take it, and the reason in the dialog manager's words.
#include "dialog_manager/may_take_action.h"

#include <gtest/gtest.h>

#include "plugin/host/adm_suites.h"
#include "support/item_states.h"

namespace heart::testing {
namespace {

using Verdict = ItemAnswer::Verdict;
using Kind = DialogEvent::Kind;

TEST(MayTakeAction, TheFirstItemOfAKindThatTakesTheActionAnswers) {
  DialogState dialog;
  dialog.name = "Test";
  dialog.items = {
      itemState(95, kADMPicturePushButtonType),           // 0: the page-6 button ...
      itemState(95, kADMTextStaticType, false),           // 1: ... and the page-1 caption
      itemState(11, kADMSpinEditType),                    // 2
      itemState(17, kADMSpinEditType, false),             // 3
      itemState(143, kADMTextCheckBoxType, true, false),  // 4
      itemState(40, kADMTextStaticType, false),           // 5: a hidden caption ...
      itemState(40, kADMSpinEditType),                    // 6: ... before a shown spin edit
      itemState(41, kADMTextCheckBoxType, false),         // 7: a hidden check box ...
      itemState(41, kADMTextStaticType),                  // 8: ... before a shown caption
      itemState(65, kADMPopupListType),                   // 9
      itemState(2, kADMDefaultPushButtonType),            // 10
  };
  const struct {
    int32_t id;
    Kind action;
    Verdict verdict;
    int position;  // of the item the answer is about; -1 for none
    const char* refusal;
  } cases[] = {
      {95, Kind::Press, Verdict::Takes, 0, ""},
      {95, Kind::Pick, Verdict::Takes, 0, ""},
      {95, Kind::SetCheckBox, Verdict::OtherKind, 0,
       "item 95 is ADM Picture Push Button Type, not a check box"},
      {11, Kind::SetReal, Verdict::Takes, 2, ""},
      {11, Kind::SetInteger, Verdict::Takes, 2, ""},
      {11, Kind::Pick, Verdict::OtherKind, 2, "item 11 is ADM Spin Edit Type, not a push button"},
      {17, Kind::SetReal, Verdict::Hidden, 3, "item 17 is hidden"},
      {17, Kind::Press, Verdict::OtherKind, 3, "item 17 is ADM Spin Edit Type, not a push button"},
      {143, Kind::SetCheckBox, Verdict::Disabled, 4, "item 143 is disabled"},
      {143, Kind::ChooseEntry, Verdict::OtherKind, 4,
       "item 143 is ADM Text Check Box Type, not a popup list"},
      {40, Kind::SetReal, Verdict::Takes, 6, ""},
      {40, Kind::Press, Verdict::OtherKind, 5,
       "item 40 is ADM Text Static Type, not a push button"},
      {41, Kind::SetCheckBox, Verdict::Hidden, 7, "item 41 is hidden"},
      {65, Kind::ChooseEntry, Verdict::Takes, 9, ""},
      {65, Kind::SetReal, Verdict::OtherKind, 9, "item 65 is ADM Popup List Type, not a spin edit"},
      {2, Kind::Press, Verdict::Takes, 10, ""},
      {12, Kind::ChooseEntry, Verdict::NoItem, -1, "the dialog \"Test\" has no item 12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("item " + std::to_string(c.id) + ", action " +
                 std::to_string(static_cast<int>(c.action)));
    const ItemAnswer answer = mayTakeAction(dialog, c.id, c.action);
    EXPECT_EQ(answer.verdict, c.verdict);
    EXPECT_EQ(answer.takes(), c.verdict == Verdict::Takes);
    EXPECT_EQ(answer.item, c.position < 0 ? nullptr : &dialog.items[c.position]);
    EXPECT_EQ(answer.refusal, c.refusal);
  }
}

}  // namespace
}  // namespace heart::testing
