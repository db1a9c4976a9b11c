// The suite walk around each message: every suite acquired once and
// released once, nesting that only counts, and what a missing suite does.
#include <string>
#include <vector>

#include "shell_test_support.h"

namespace heart::testing {
namespace {

using SuiteTable = ShellTest;

std::vector<int> repeated(int count, size_t rows = 31) { return std::vector<int>(rows, count); }

// The names the plug-in acquires and releases through the host's basic
// suite, in the order it asks.
std::vector<std::string> gAcquired, gReleased;
SPBasicSuite gHostBasic;

ASErr noteAcquire(const char* name, ASInt32 version, const void** suite) {
  gAcquired.push_back(std::string(name) + " " + std::to_string(version));
  return gHostBasic.AcquireSuite(name, version, suite);
}
ASErr noteRelease(const char* name, ASInt32 version) {
  gReleased.push_back(std::string(name) + " " + std::to_string(version));
  return gHostBasic.ReleaseSuite(name, version);
}

// Both walks go down the table in the same order, not reversed.
TEST_F(SuiteTable, AcquiresAndReleasesInTableOrder) {
  // Written out from the suite table, not from the plug-in's own list.
  const std::vector<std::string> table = {"SP Blocks Suite 2",      "SP Access Suite 3",
                                          "AI MdMemory Suite 1",    "AI Real Math Suite 1",
                                          "AI Art Suite 9",         "AI User Suite 5",
                                          "AI Document Suite 7",    "AI Document View Suite 7",
                                          "AI Undo Suite 4",        "AI Path Suite 4",
                                          "AI Path Style Suite 5",  "AI Random Suite 3",
                                          "AI Tag Suite 2",         "AI Transform Art Suite 1",
                                          "AI Swatch List Suite 4", "AI Blend Style Suite 2",
                                          "AI Art Style Suite 3",   "AI Symbol Suite 1",
                                          "AI Envelope Suite 1",    "AI Shape Construction Suite 4",
                                          "AI Layer Suite 9",       "AI Menu Suite 7",
                                          "AI Filter Suite 2",      "ADM Basic Suite 2",
                                          "ADM Dialog Suite 3",     "ADM Item Suite 4",
                                          "ADM Icon Suite 1",       "ADM Notifier Suite 1",
                                          "ADM List Suite 1",       "ADM Entry Suite 2",
                                          "ADM Tracker Suite 1"};
  ASSERT_EQ(host->startup(), kNoErr);
  SPBasicSuite* basic = host->broker().basicSuite();
  gHostBasic = *basic;
  basic->AcquireSuite = noteAcquire;
  basic->ReleaseSuite = noteRelease;
  gAcquired.clear();
  gReleased.clear();
  EXPECT_EQ(host->about(), kNoErr);
  *basic = gHostBasic;
  EXPECT_EQ(gAcquired, table);
  EXPECT_EQ(gReleased, table);
}

TEST_F(SuiteTable, EachMessageTakesEverySuiteOnceAndGivesItBack) {
  ASSERT_EQ(host->startup(), kNoErr);
  EXPECT_EQ(acquisitions(), repeated(1));
  EXPECT_EQ(host->broker().totalHeld(), 0);
  ASSERT_EQ(host->about(), kNoErr);
  EXPECT_EQ(acquisitions(), repeated(2));
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

// A message that arrives while the suites are held (here from inside the
// about box) only counts: nothing is acquired or released again, and the
// outer message still holds every suite afterwards.
TEST_F(SuiteTable, NestedMessagesOnlyCount) {
  ASSERT_EQ(host->startup(), kNoErr);
  std::vector<int> insideBefore, insideAfter;
  int heldInside = -1;
  events->add(DialogEvent::takeSnapshot([&](const DialogState&) {
    insideBefore = acquisitions();
    EXPECT_EQ(host->sendMessage("SP Interface", "Nested"), kNoErr);
    insideAfter = acquisitions();
    heldInside = host->broker().held("ADM Tracker Suite", 1);
  }));
  ASSERT_EQ(host->about(), kNoErr);

  EXPECT_EQ(insideBefore, repeated(2));
  EXPECT_EQ(insideAfter, repeated(2));
  EXPECT_EQ(heldInside, 1);
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

// "ADM Item Suite" is row 25: the rows before it are taken, the message
// names it, and rows 26 to 30 are never asked for. The host's "no such
// suite" code gets no error alert; the handler never runs.
TEST_F(SuiteTable, MissingItemSuiteStopsTheWalkAtRow25) {
  ASSERT_EQ(host->startup(), kNoErr);
  host->broker().withhold("ADM Item Suite");
  faultInjector().startCounting();
  EXPECT_EQ(host->about(), kSuiteNotFoundErr);

  const std::string expected = "Suite Loading Error: " + std::to_string(kSuiteNotFoundErr) +
                               ", suite: ADM Item Suite, version: 4!";
  EXPECT_EQ(host->alerts().texts(), std::vector<std::string>{expected});
  std::vector<int> expectedCounts = repeated(2, 25);
  expectedCounts.resize(31, 1);
  EXPECT_EQ(acquisitions(), expectedCounts);
  EXPECT_TRUE(host->dialogs().history().empty()) << "neither the about box nor an alert";
  // Release walks the same order and stops at the first row never acquired.
  EXPECT_EQ(host->broker().totalHeld(), 0);
  EXPECT_EQ(faultInjector().calls("SP Basic Suite.ReleaseSuite"), 26);

  host->broker().clearWithheld();
  EXPECT_EQ(host->about(), kNoErr) << "the next message walks the whole table again";
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

// Any other failing code at row 25 is shown in decimal in the loading
// message; the error alert cannot be shown without the item suite, so it is
// skipped instead of calling through a null suite.
TEST_F(SuiteTable, FailureAtRow25WithAHostCode) {
  ASSERT_EQ(host->startup(), kNoErr);
  faultInjector().failAt("SP Basic Suite.AcquireSuite", 26, kMemFullErr);
  EXPECT_EQ(host->about(), kMemFullErr);
  EXPECT_EQ(
      host->alerts().texts(),
      std::vector<std::string>{"Suite Loading Error: -108, suite: ADM Item Suite, version: 4!"});
  EXPECT_TRUE(host->dialogs().history().empty());
  EXPECT_EQ(host->broker().held("ADM Tracker Suite", 1), 0);
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

// Before "ADM Basic Suite" (row 23) is held there is no way to say anything.
TEST_F(SuiteTable, EarlyFailureIsSilent) {
  ASSERT_EQ(host->startup(), kNoErr);
  faultInjector().failAt("SP Basic Suite.AcquireSuite", 5, kHostMemoryErr);
  EXPECT_EQ(host->about(), kHostMemoryErr);
  EXPECT_TRUE(host->alerts().texts().empty());
  EXPECT_TRUE(host->dialogs().history().empty());
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

// A failed release stops the release walk; the message's own answer stands.
TEST_F(SuiteTable, FailedReleaseKeepsTheRestHeld) {
  ASSERT_EQ(host->startup(), kNoErr);
  faultInjector().failAt("SP Basic Suite.ReleaseSuite", 3, kMemFullErr);
  EXPECT_EQ(host->about(), kNoErr);
  EXPECT_EQ(host->broker().held("SP Access Suite", 3), 0);
  EXPECT_EQ(host->broker().held("AI MdMemory Suite", 1), 1);
  EXPECT_EQ(host->broker().held("ADM Tracker Suite", 1), 1);
  // The counter went back to 0, so the next message walks the table again.
  EXPECT_EQ(host->about(), kNoErr);
  EXPECT_EQ(host->broker().acquisitions("SP Blocks Suite", 2), 3);
}

// Reload puts the counter to 0 whatever it was: here it arrives while the
// about box holds the suites (counter 1), and the next message walks the
// whole table again instead of only counting.
TEST_F(SuiteTable, ReloadResetsTheCounterEvenWhileSuitesAreHeld) {
  ASSERT_EQ(host->startup(), kNoErr);
  std::vector<int> afterReload;
  events->add(DialogEvent::takeSnapshot([&](const DialogState&) {
    EXPECT_EQ(host->sendMessage("SP Access", "Unload"), kNoErr);
    EXPECT_EQ(host->sendMessage("SP Access", "Reload"), kNoErr);
    EXPECT_EQ(host->sendMessage("SP Interface", "Nested"), kNoErr);
    afterReload = acquisitions();
  }));
  ASSERT_EQ(host->about(), kNoErr);
  EXPECT_EQ(afterReload, repeated(3));
}

TEST_F(SuiteTable, ReloadStartsTheWalkAfresh) {
  ASSERT_EQ(host->startup(), kNoErr);
  ASSERT_EQ(host->unload(), kNoErr);
  ASSERT_EQ(host->reload(), kNoErr);
  EXPECT_EQ(host->about(), kNoErr);
  EXPECT_EQ(acquisitions(), repeated(2));
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

}  // namespace
}  // namespace heart::testing
