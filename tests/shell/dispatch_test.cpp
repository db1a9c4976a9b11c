// Message dispatch through the real module: which messages hold the suites,
// what unknown callers and selectors answer, and that names are compared
// only through the basic suite.
#include <strings.h>

#include "shell_test_support.h"

namespace heart::testing {
namespace {

using Dispatch = ShellTest;

int acquireCalls() { return faultInjector().calls("SP Basic Suite.AcquireSuite"); }

TEST_F(Dispatch, AccessMessagesNeverTouchTheSuites) {
  ASSERT_EQ(host->startup(), kNoErr);
  faultInjector().startCounting();
  const auto before = acquisitions();

  EXPECT_EQ(host->sendMessage("SP Access", "Flush"), kNoErr);
  EXPECT_EQ(host->unload(), kNoErr);
  EXPECT_NE(host->globalsSlot(), nullptr) << "Unload parks the globals block";
  EXPECT_EQ(host->reload(), kNoErr);

  EXPECT_EQ(acquireCalls(), 0);
  EXPECT_EQ(faultInjector().calls("SP Basic Suite.ReleaseSuite"), 0);
  EXPECT_EQ(acquisitions(), before);
}

TEST_F(Dispatch, AccessMessagesWorkBeforeAnySuiteWasHeld) {
  faultInjector().startCounting();
  EXPECT_EQ(host->sendMessage("SP Access", "Unload"), kNoErr);
  EXPECT_EQ(host->sendMessage("SP Access", "Reload"), kNoErr);
  EXPECT_EQ(acquireCalls(), 0);
}

// Messages the plug-in has nothing to do for: 0, with the suites taken and
// given back, and nothing shown.
TEST_F(Dispatch, UnhandledMessagesAnswerZero) {
  ASSERT_EQ(host->startup(), kNoErr);
  const std::pair<const char*, const char*> messages[] = {
      {"SP Interface", "Reticulate"}, {"AI Menu", "AI Update"}, {"AI Menu", "AI Other"},
      {"AI Filter", "AI Other"},      {"Some Caller", "AI Go"}, {"", ""}};
  for (const auto& [caller, selector] : messages) {
    SCOPED_TRACE(std::string(caller) + "/" + selector);
    faultInjector().clear();
    faultInjector().startCounting();
    EXPECT_EQ(host->sendMessage(caller, selector), kNoErr);
    EXPECT_EQ(acquireCalls(), 31);
    EXPECT_EQ(host->broker().totalHeld(), 0);
  }
  EXPECT_TRUE(host->dialogs().history().empty());
  EXPECT_TRUE(host->alerts().texts().empty());
}

TEST_F(Dispatch, MenuGoIsRefusedWithTheSelectionAlert) {
  ASSERT_EQ(host->startup(), kNoErr);
  EXPECT_EQ(host->sendMessage("AI Menu", "AI Go"), kBadSelectorErr);
  const auto alerts = dialogsNamed("Error Dialog");
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0].resourceId, 16051);
  EXPECT_EQ(itemText(alerts[0], 2), "The selection is not valid for this filter.");
  EXPECT_EQ(itemText(alerts[0], 3), "!sel");
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

// The plug-in compares callers and selectors only through the basic suite:
// with a host whose comparison ignores case, lower-case names still reach
// their handlers.
ASInt32 equalIgnoringCase(const char* a, const char* b) {
  return a && b && strcasecmp(a, b) == 0 ? 1 : 0;
}

TEST_F(Dispatch, NamesAreComparedOnlyThroughTheBasicSuite) {
  SPBasicSuite* basic = host->broker().basicSuite();
  const auto hostEqual = basic->IsEqual;
  basic->IsEqual = equalIgnoringCase;
  EXPECT_EQ(host->sendMessage("sp interface", "startup"), kNoErr);
  const bool registered = host->registeredFilter() != nullptr;
  const ASErr menuGo = host->sendMessage("AI Menu", "ai go");
  basic->IsEqual = hostEqual;

  EXPECT_TRUE(registered);
  EXPECT_EQ(menuGo, kBadSelectorErr);
}

// About answers 0 however the box is closed, so no alert follows it.
TEST_F(Dispatch, AboutAnswersZeroHoweverItIsClosed) {
  ASSERT_EQ(host->startup(), kNoErr);
  events->add(DialogEvent::press(1)).add(DialogEvent::cancel());
  for (int run = 0; run < 3; ++run) EXPECT_EQ(host->about(), kNoErr) << run;  // the last confirms
  const auto boxes = dialogsNamed("About Dialog");
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].resourceId, 16050);
  // The OK button ends the box through its notify procedure's default handling.
  EXPECT_EQ(std::vector<int32_t>({boxes[0].result, boxes[1].result, boxes[2].result}),
            std::vector<int32_t>({1, 2, 1}));
  EXPECT_TRUE(dialogsNamed("Error Dialog").empty());
}

}  // namespace
}  // namespace heart::testing
