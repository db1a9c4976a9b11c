// Page actions become dialog events only when a user could have made them.
#include <gtest/gtest.h>

#include "dialog_manager/dialog_state.h"
#include "plugin/host/adm_suites.h"
#include "studio/studio_actions.h"
#include "support/item_states.h"

namespace heart::testing {
namespace {

using namespace heart::studio;

using Json = nlohmann::json;

// A small dialog with one item of each kind, a hidden and a disabled one,
// and a caption that shares its id with a push button, as the options
// dialog's page-6 button and page-1 caption do.
DialogState sampleDialog() {
  DialogState dialog;
  dialog.name = "Norv_Heart";
  ItemState real = itemState(11, kADMSpinEditType);
  ItemState count = itemState(7, kADMSpinEditType);
  count.integer = true;
  ItemState list = itemState(10, kADMPopupListType);
  list.entries.resize(8);
  dialog.items = {real,
                  count,
                  list,
                  itemState(3, kADMTextCheckBoxType),
                  itemState(61, kADMTextPushButtonType),
                  itemState(160, kADMPicturePushButtonType),
                  itemState(95, kADMTextStaticType),
                  itemState(95, kADMPicturePushButtonType),
                  itemState(17, kADMSpinEditType, false),
                  itemState(143, kADMTextCheckBoxType, true, false)};
  return dialog;
}

DialogEvent eventOf(const Result<DialogEvent>& result) {
  EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error());
  return result.ok() ? *result : DialogEvent();
}

TEST(StudioActions, ActionsBecomeTheMatchingEvents) {
  const DialogState dialog = sampleDialog();
  const DialogEvent real =
      eventOf(eventForAction(Json{{"action", "set"}, {"item", 11}, {"value", 120.25}}, dialog));
  EXPECT_EQ(real.kind, DialogEvent::Kind::SetReal);
  EXPECT_EQ(real.itemId, 11);
  EXPECT_DOUBLE_EQ(real.real, 120.25);

  const DialogEvent count =
      eventOf(eventForAction(Json{{"action", "set"}, {"item", 7}, {"value", 37}}, dialog));
  EXPECT_EQ(count.kind, DialogEvent::Kind::SetInteger);
  EXPECT_EQ(count.integer, 37);
  // A whole number written with a decimal point is still whole.
  EXPECT_EQ(eventOf(eventForAction(Json{{"action", "set"}, {"item", 7}, {"value", 12.0}}, dialog))
                .integer,
            12);

  const DialogEvent check =
      eventOf(eventForAction(Json{{"action", "check"}, {"item", 3}, {"on", false}}, dialog));
  EXPECT_EQ(check.kind, DialogEvent::Kind::SetCheckBox);
  EXPECT_FALSE(check.checked);

  const DialogEvent choose =
      eventOf(eventForAction(Json{{"action", "choose"}, {"item", 10}, {"position", 7}}, dialog));
  EXPECT_EQ(choose.kind, DialogEvent::Kind::ChooseEntry);
  EXPECT_EQ(choose.integer, 7);

  EXPECT_EQ(eventOf(eventForAction(Json{{"action", "press"}, {"item", 61}}, dialog)).kind,
            DialogEvent::Kind::Press);
  // The page-6 button is pressed, not the caption with its id.
  EXPECT_EQ(eventOf(eventForAction(Json{{"action", "press"}, {"item", 95}}, dialog)).itemId, 95);

  const DialogEvent pick = eventOf(
      eventForAction(Json{{"action", "pick"}, {"item", 160}, {"x", 412}, {"y", 230}}, dialog));
  EXPECT_EQ(pick.kind, DialogEvent::Kind::Pick);
  EXPECT_EQ(pick.point.h, 412);
  EXPECT_EQ(pick.point.v, 230);
  EXPECT_EQ(pick.modifiers, 0x20) << "a click in the document is a completed click";
  EXPECT_EQ(eventOf(eventForAction(
                        Json{{"action", "pick"}, {"item", 160}, {"x", 1}, {"y", 2}, {"flags", 0}},
                        dialog))
                .modifiers,
            0);

  EXPECT_EQ(eventOf(eventForAction(Json{{"action", "ok"}}, dialog)).kind,
            DialogEvent::Kind::Confirm);
  EXPECT_EQ(eventOf(eventForAction(Json{{"action", "cancel"}}, dialog)).kind,
            DialogEvent::Kind::Cancel);
}

TEST(StudioActions, ActionsNoUserCouldMakeAreRefusedWithTheReason) {
  const DialogState dialog = sampleDialog();
  struct Case {
    Json action;
    std::string reason;
  };
  const Case cases[] = {
      {Json::array({1, 2}), "an action is a JSON object"},
      {Json{{"item", 11}}, "the action has no \"action\" name"},
      {Json{{"action", "dance"}, {"item", 11}}, "unknown action \"dance\""},
      {Json{{"action", "set"}, {"value", 1}}, "the action \"set\" needs a whole-number \"item\""},
      {Json{{"action", "set"}, {"item", "11"}, {"value", 1}},
       "the action \"set\" needs a whole-number \"item\""},
      {Json{{"action", "set"}, {"item", 4294967307.0}, {"value", 1}},
       "the action \"set\" needs a whole-number \"item\""},
      {Json{{"action", "set"}, {"item", 999}, {"value", 1}},
       "the dialog \"Norv_Heart\" has no item 999"},
      {Json{{"action", "set"}, {"item", 17}, {"value", 1}}, "item 17 is hidden"},
      {Json{{"action", "check"}, {"item", 143}, {"on", true}}, "item 143 is disabled"},
      {Json{{"action", "set"}, {"item", 3}, {"value", 1}},
       "item 3 is ADM Text Check Box Type, not a spin edit"},
      {Json{{"action", "press"}, {"item", 11}}, "item 11 is ADM Spin Edit Type, not a push button"},
      {Json{{"action", "set"}, {"item", 11}, {"value", "12"}}, "item 11 takes a number"},
      {Json{{"action", "set"}, {"item", 7}, {"value", 2.5}}, "item 7 takes a whole number"},
      {Json{{"action", "set"}, {"item", 7}, {"value", 3000000000.0}},
       "item 7 takes a whole number"},
      {Json{{"action", "check"}, {"item", 3}, {"on", 1}}, "item 3 takes \"on\": true or false"},
      {Json{{"action", "choose"}, {"item", 10}, {"position", 8}},
       "list 10 has entries at positions 0 to 7"},
      {Json{{"action", "choose"}, {"item", 10}, {"position", -1}},
       "list 10 has entries at positions 0 to 7"},
      {Json{{"action", "pick"}, {"item", 160}, {"x", 1.5}, {"y", 2}},
       "a pick needs whole-number view coordinates \"x\" and \"y\""},
      {Json{{"action", "pick"}, {"item", 160}, {"x", 1}, {"y", 2}, {"flags", "click"}},
       "\"flags\" is a whole number"},
  };
  for (const Case& test : cases) {
    auto result = eventForAction(test.action, dialog);
    ASSERT_FALSE(result.ok()) << test.action.dump();
    EXPECT_EQ(result.error(), test.reason) << test.action.dump();
  }
}

}  // namespace
}  // namespace heart::testing
