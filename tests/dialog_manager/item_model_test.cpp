// Items created at run time: look-up by id, the value policy of spin edits,
// texts, and references that outlive their dialog.
#include <cmath>
#include <limits>

#include "dialog_test_support.h"

namespace heart::testing {
namespace {

const ADMDialogSuite& D = admDialogSuite();
const ADMItemSuite& I = admItemSuite();

ADMItemRef realEdit(DialogManagerTest& test, ADMDialogRef d, int32_t id, AIReal low, AIReal high) {
  ADMItemRef item = test.create(d, id, kADMSpinEditType);
  I.SetMinFloatValue(item, low);
  I.SetMaxFloatValue(item, high);
  I.SetPrecision(item, 2);
  return item;
}

ADMItemRef countEdit(DialogManagerTest& test, ADMDialogRef d, int32_t id, int32_t low,
                     int32_t high) {
  ADMItemRef item = test.create(d, id, kADMSpinEditType);
  I.SetMinIntValue(item, low);
  I.SetMaxIntValue(item, high);
  return item;
}

ASErr recordValue(ADMItemRef item, ADMNotifierRef) {
  DialogManagerTest::active->seen.push_back(std::to_string(I.GetID(item)) + "=" +
                                            DialogManagerTest::active->textOf(item));
  return kNoErr;
}

TEST_F(DialogManagerTest, LookupAnswersTheFirstItemCreatedWithAnId) {
  events.add(DialogEvent::press(95));
  withDialog([this](ADMDialogRef d) {
    ADMItemRef button = create(d, 95, kADMPicturePushButtonType);
    ADMItemRef caption = create(d, 95, kADMTextStaticType);
    I.SetText(caption, "Heart");
    EXPECT_EQ(D.GetItem(d, 95), button);
    EXPECT_NE(button, caption);
    EXPECT_EQ(I.GetID(caption), 95);
    EXPECT_EQ(D.GetItem(d, 96), nullptr);
    I.SetNotifyProc(button, [](ADMItemRef item, ADMNotifierRef) -> ASErr {
      active->seen.push_back(active->textOf(item).empty() ? "button" : "caption");
      return kNoErr;
    });
  });
  // Pressing 95 reaches the button, not the caption that shares its id.
  EXPECT_EQ(seen, std::vector<std::string>{"button"});
}

TEST_F(DialogManagerTest, SpinEditLimitsEveryValueToItsRange) {
  events.add(DialogEvent::setReal(11, 9999.0))
      .add(DialogEvent::setReal(11, -1600.25))
      .add(DialogEvent::setInteger(11, 100));
  withDialog([this](ADMDialogRef d) {
    ADMItemRef height = realEdit(*this, d, 11, -1500, 2500);
    I.SetFloatValue(height, 3000);
    EXPECT_EQ(I.GetFloatValue(height), 2500);
    I.SetFloatValue(height, -2000);
    EXPECT_EQ(I.GetFloatValue(height), -1500);
    I.SetIntValue(height, 5000);
    EXPECT_EQ(I.GetIntValue(height), 2500);
    I.SetFloatValue(height, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(I.GetFloatValue(height), 2500);
    I.SetNotifyProc(height, recordValue);
  });
  // Typed values are limited before the procedure sees them.
  EXPECT_EQ(seen, (std::vector<std::string>{"11=2500.00", "11=-1500.00", "11=100.00"}));
}

TEST_F(DialogManagerTest, PrecisionShapesOnlyTheTextNotTheValue) {
  withDialog([this](ADMDialogRef d) {
    ADMItemRef slant = realEdit(*this, d, 16, -360, 360);
    I.SetFloatValue(slant, 1.23456f);
    EXPECT_EQ(I.GetFloatValue(slant), 1.23456f);
    EXPECT_EQ(textOf(slant), "1.23");
    I.SetPrecision(slant, 0);
    EXPECT_EQ(textOf(slant), "1");
    // Without a precision the text is the value's shortest exact form.
    ADMItemRef plain = create(d, 17, kADMSpinEditType);
    I.SetFloatValue(plain, 0.1f);
    EXPECT_EQ(textOf(plain), "0.1");
  });
}

TEST_F(DialogManagerTest, IntegerSpinEditRoundsThenLimits) {
  events.add(DialogEvent::setReal(7, 7.6))
      .add(DialogEvent::setReal(7, 0.2))
      .add(DialogEvent::setReal(7, -7.5))
      .add(DialogEvent::setInteger(7, 401));
  withDialog([this](ADMDialogRef d) {
    ADMItemRef count = countEdit(*this, d, 7, 1, 400);
    I.SetFloatValue(count, 12.4f);
    EXPECT_EQ(I.GetIntValue(count), 12);
    EXPECT_EQ(I.GetFloatValue(count), 12.0f);
    ADMItemRef repeats = countEdit(*this, d, 25, -60, 60);
    I.SetFloatValue(repeats, -7.5f);
    EXPECT_EQ(I.GetIntValue(repeats), -8);  // halves round away from zero
    I.SetNotifyProc(count, recordValue);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"7=8", "7=1", "7=1", "7=400"}));
}

TEST_F(DialogManagerTest, ChangingTheRangeLimitsTheValueAgain) {
  withDialog([this](ADMDialogRef d) {
    ADMItemRef zoom = create(d, 27, kADMSpinEditType);
    I.SetFloatValue(zoom, 800);
    EXPECT_EQ(I.GetFloatValue(zoom), 800);  // no range yet
    I.SetMinFloatValue(zoom, 1);
    I.SetMaxFloatValue(zoom, 500);
    EXPECT_EQ(I.GetFloatValue(zoom), 500);
    // A minimum above the maximum is no range: the value is left alone.
    I.SetMinFloatValue(zoom, 600);
    EXPECT_EQ(I.GetFloatValue(zoom), 500);
    I.SetFloatValue(zoom, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isfinite(I.GetFloatValue(zoom)));
  });
}

TEST_F(DialogManagerTest, TypingTextIntoASpinEditSetsANumberAndIgnoresTheRest) {
  withDialog([this](ADMDialogRef d) {
    ADMItemRef edit = realEdit(*this, d, 12, -1000, 1000);
    I.SetText(edit, " 42.5 ");
    EXPECT_EQ(I.GetFloatValue(edit), 42.5f);
    I.SetText(edit, "42.5pt");
    I.SetText(edit, "");
    I.SetText(edit, nullptr);
    EXPECT_EQ(I.GetFloatValue(edit), 42.5f);
    I.SetText(edit, "1e6");
    EXPECT_EQ(I.GetFloatValue(edit), 1000);
  });
}

TEST_F(DialogManagerTest, GetTextCutsToTheBufferAndAlwaysTerminates) {
  withDialog([this](ADMDialogRef d) {
    ADMItemRef label = create(d, 70, kADMTextStaticType);
    I.SetText(label, "Heart height (p)");
    char small[4] = {'x', 'x', 'x', 'x'};
    I.GetText(label, small, sizeof small);
    EXPECT_STREQ(small, "Hea");
    char untouched[2] = {'x', 'y'};
    I.GetText(label, untouched, 0);
    EXPECT_EQ(untouched[0], 'x');
  });
}

TEST_F(DialogManagerTest, CreationFailsForUnknownTypesMissingBoundsAndFailingProcedures) {
  withDialog([](ADMDialogRef d) {
    const ASRect bounds{0, 0, 10, 10};
    EXPECT_EQ(D.CreateItem(d, 1, "ADM Slider Type", &bounds, nullptr, nullptr), nullptr);
    EXPECT_EQ(D.CreateItem(d, 1, nullptr, &bounds, nullptr, nullptr), nullptr);
    EXPECT_EQ(D.CreateItem(d, 1, kADMSpinEditType, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(D.CreateItem(
                  d, 8, kADMSpinEditType, &bounds,
                  [](ADMItemRef) -> ASErr { return kOutOfMemoryErr; }, nullptr),
              nullptr);
    EXPECT_EQ(D.GetItem(d, 8), nullptr);
    ADMItemRef made = D.CreateItem(
        d, 9, kADMTextCheckBoxType, &bounds,
        [](ADMItemRef item) -> ASErr {
          I.SetBooleanValue(item, 1);
          return kNoErr;
        },
        nullptr);
    EXPECT_EQ(I.GetBooleanValue(made), 1);
  });
}

TEST_F(DialogManagerTest, ReferencesAreIgnoredOnceTheirDialogHasEnded) {
  ADMDialogRef staleDialog = nullptr;
  ADMItemRef staleItem = nullptr;
  ADMListRef staleList = nullptr;
  withDialog([&](ADMDialogRef d) {
    staleDialog = d;
    staleItem = create(d, 11, kADMSpinEditType);
    staleList = I.GetList(create(d, 65, kADMPopupListType));
    I.SetFloatValue(staleItem, 5);
  });
  EXPECT_EQ(I.GetID(staleItem), 0);
  EXPECT_EQ(I.GetFloatValue(staleItem), 0);
  I.SetFloatValue(staleItem, 7);
  I.SendNotify(staleItem, kADMUserChangedNotifier);
  EXPECT_EQ(I.GetDialog(staleItem), nullptr);
  EXPECT_EQ(D.GetItem(staleDialog, 11), nullptr);
  EXPECT_EQ(D.GetUserData(staleDialog), nullptr);
  EXPECT_EQ(admListSuite().InsertEntry(staleList, 0), nullptr);
  // References of one kind are not taken for another.
  withDialog([](ADMDialogRef d) {
    EXPECT_EQ(I.GetID(reinterpret_cast<ADMItemRef>(d)), 0);
    EXPECT_EQ(admListSuite().NumberOfEntries(reinterpret_cast<ADMListRef>(d)), 0);
  });
}

}  // namespace
}  // namespace heart::testing
