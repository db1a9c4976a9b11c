// Get Parameters and Go: the record's creation, cancel and confirm, and Go
// answering the generator's code.
#include <cstring>

#include "document/document.h"
#include "plugin/params/parameter_record.h"
#include "records/record_defaults.h"
#include "shell_test_support.h"

namespace heart::testing {
namespace {

class FilterInvocation : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ASSERT_EQ(host->startup(), kNoErr);
  }
  ParameterRecord record() const {
    ParameterRecord copy{};
    if (const void* stored = host->storedRecord().bytes) std::memcpy(&copy, stored, sizeof copy);
    return copy;
  }
  void store(const ParameterRecord& record) {
    ASSERT_TRUE(host->setStoredRecord(&record, sizeof record));
  }
};

TEST_F(FilterInvocation, FirstUseCreatesADefaultRecordAndCancelKeepsIt) {
  events->add(DialogEvent::setCheckBox(3, false));  // "Preview" off
  events->add(DialogEvent::cancel());
  EXPECT_EQ(host->getParameters(), kCanceledErr);

  ASSERT_NE(host->storedRecord().bytes, nullptr);
  const ParameterRecord r = record();
  EXPECT_EQ(r.preview, 1) << "the backup was taken after the defaults";
  EXPECT_EQ(r.heartCount, 1);
  EXPECT_EQ(r.currentPage, 1);
  EXPECT_EQ(r.previewDrawn, 0);
  const auto runs = dialogsNamed("Norv_Heart");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].resourceId, 16100);
  EXPECT_TRUE(dialogsNamed("Error Dialog").empty()) << "a cancel is not an error";
}

TEST_F(FilterInvocation, ConfirmKeepsTheChangesAndAStoredRecordIsNotReset) {
  ParameterRecord r = defaultRecord(AIRealPoint{300, 400});
  r.heartCount = 5;
  r.preview = 0;
  store(r);
  events->add(DialogEvent::confirm());
  EXPECT_EQ(host->getParameters(), kNoErr);
  EXPECT_EQ(record().heartCount, 5);
  EXPECT_EQ(record().centerX, 100.0f);
}

TEST_F(FilterInvocation, FailingAllocationOrRevert) {
  faultInjector().failAt("AI MdMemory Suite.MdMemoryNewHandle", 1, kMemFullErr);
  EXPECT_EQ(host->getParameters(), kMemFullErr);
  EXPECT_EQ(host->storedRecord().bytes, nullptr);
  EXPECT_EQ(dialogsNamed("Error Dialog").size(), 1u);
  EXPECT_TRUE(dialogsNamed("Norv_Heart").empty());

  // A revert that fails on cancel is returned; the record keeps the dialog's changes.
  faultInjector().clear();
  ParameterRecord r = defaultRecord(AIRealPoint{0, 0});
  r.preview = 0;
  store(r);
  events->add(DialogEvent::setReal(11, 150.0));  // "Heart height (p)"
  events->add(DialogEvent::cancel());
  faultInjector().failAt("AI Undo Suite.UndoChanges", 1, kLayerLockedErr);
  EXPECT_EQ(host->getParameters(), kLayerLockedErr);
  EXPECT_EQ(record().heartHeight, 150.0f) << host->dialogs().lastError();
}

TEST_F(FilterInvocation, GoWithoutARecordDoesNothing) {
  faultInjector().startCounting();
  EXPECT_EQ(host->sendMessage("AI Filter", "AI Go"), kNoErr);
  EXPECT_EQ(faultInjector().calls("AI Undo Suite.UndoChanges"), 0);
  EXPECT_EQ(host->document().tree().liveCount(), 0u);
}

TEST_F(FilterInvocation, GoAdoptsAStandingPreview) {
  ParameterRecord r = defaultRecord(AIRealPoint{300, 400});
  r.previewDrawn = 1;
  store(r);
  faultInjector().failAt("AI Art Suite.NewArt", 1, kMemFullErr, true);
  EXPECT_EQ(host->go(), kNoErr);
  EXPECT_EQ(record().previewDrawn, 0);
  EXPECT_EQ(record().finalRun, 1);
  EXPECT_TRUE(host->dialogs().history().empty());
}

// Go answers what the generator answered, so a run that failed part-way is
// reported; the hearts it built before the failure stay in the document.
TEST_F(FilterInvocation, GoReportsAFailedRunAndKeepsWhatItBuilt) {
  ParameterRecord r = defaultRecord(AIRealPoint{300, 400});
  r.heartCount = 3;
  store(r);
  faultInjector().failAt("AI Art Suite.NewArt", 2, kLayerLockedErr);
  EXPECT_EQ(host->go(), kLayerLockedErr);
  const auto alerts = dialogsNamed("Error Dialog");
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(itemText(alerts[0], 2),
            "The filter cannot complete because a layer is locked or invisible.");
  EXPECT_EQ(itemText(alerts[0], 3), "SEGM");
  EXPECT_GE(host->document().tree().liveCount(), 1u);

  faultInjector().clear();
  EXPECT_EQ(host->go(), kNoErr);
  EXPECT_GE(host->document().tree().liveCount(), 3u);
}

}  // namespace
}  // namespace heart::testing
