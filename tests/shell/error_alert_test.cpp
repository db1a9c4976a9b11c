// The error alert: which message and code text a failed message shows. The
// codes are made to come out of Startup by failing its block allocation.
#include "shell_test_support.h"
#include "support/built_module.h"

namespace heart::testing {
namespace {

using ErrorAlert = ShellTest;

const std::string kMemory =
    "The filter cannot complete because there isn't enough memory (RAM) available.";
const std::string kUnknown = "The filter cannot complete because of an unknown error.";

struct AlertCase {
  ASErr code;
  std::string message;
  std::string codeText;
};

TEST_F(ErrorAlert, EachCodeGetsItsMessageAndCodeText) {
  const AlertCase cases[] = {
      {kBadSelectorErr, "The selection is not valid for this filter.", "!sel"},
      {kMemFullErr, kMemory, "-108"},
      {kHostMemoryErr, kMemory, "271"},
      {kLayerLockedErr, "The filter cannot complete because a layer is locked or invisible.",
       "SEGM"},
      {kTooManyPointsErr, "The filter cannot complete because a path has too many anchor points.",
       "NESS"},
      {kOutOfMemoryErr, kUnknown, "!MEM"},
      {-1, kUnknown, "-1"},
      {-32768, kUnknown, "-32768"},
      // 65428 is -108 in 16 bits; the key is compared with the whole code.
      {65428, kUnknown, "65428"},
  };
  for (const AlertCase& c : cases) {
    SCOPED_TRACE(c.codeText);
    startHost(HEART_MODULE_PATH);
    faultInjector().failAt("SP Blocks Suite.AllocateBlock", 1, c.code);
    EXPECT_EQ(host->startup(), c.code) << "the alert never changes the answer";
    const auto alerts = dialogsNamed("Error Dialog");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].resourceId, 16051);
    EXPECT_EQ(alerts[0].title, "Plug-in Error");
    EXPECT_EQ(itemText(alerts[0], 2), c.message);
    EXPECT_EQ(itemText(alerts[0], 3), c.codeText);
    EXPECT_EQ(alerts[0].result, 1) << "confirmed by the OK button";
  }
}

TEST_F(ErrorAlert, NothingForTheUsersCancelOrAMissingSuite) {
  for (ASErr code : {kCanceledErr, kSuiteNotFoundErr}) {
    startHost(HEART_MODULE_PATH);
    faultInjector().failAt("SP Blocks Suite.AllocateBlock", 1, code);
    EXPECT_EQ(host->startup(), code);
    EXPECT_TRUE(host->dialogs().history().empty()) << code;
  }
}

TEST_F(ErrorAlert, OkButtonEndsTheAlert) {
  events->add(DialogEvent::press(1));
  faultInjector().failAt("SP Blocks Suite.AllocateBlock", 1, kMemFullErr);
  EXPECT_EQ(host->startup(), kMemFullErr);
  const auto alerts = dialogsNamed("Error Dialog");
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0].result, 1);
  EXPECT_EQ(events->remaining(), 0u);
}

// A code that matches no key takes the message of the last pair, whatever
// that pair's key says.
TEST_F(ErrorAlert, UnmatchedCodesTakeTheLastPairByPosition) {
  SKIP_UNLESS_ELF_MODULE();
  const AlertCase cases[] = {{-5, "Minus five.", "-5"},
                             {kTooManyPointsErr, "Too many points.", "NESS"},
                             {kMemFullErr, "Last of all.", "-108"},
                             {kBadSelectorErr, "Last of all.", "!sel"}};
  const std::string module = moduleWithStrings(
      16050, {"marker", "NESS", "Too many points.", "-5", "Minus five.", "QQQQ", "Last of all."},
      "short_error_table.aip");
  for (const AlertCase& c : cases) {
    SCOPED_TRACE(c.codeText);
    startHost(module);
    faultInjector().failAt("SP Blocks Suite.AllocateBlock", 1, c.code);
    EXPECT_EQ(host->startup(), c.code);
    const auto alerts = dialogsNamed("Error Dialog");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(itemText(alerts[0], 2), c.message);
    EXPECT_EQ(itemText(alerts[0], 3), c.codeText);
  }
}

}  // namespace
}  // namespace heart::testing
