#include "dialog_manager/dialog_suites.h"

#include "core/suite_broker.h"

namespace heart {

void registerDialogSuites(SuiteBroker& broker) {
  broker.add(kADMDialogSuite, kADMDialogSuiteVersion, &admDialogSuite());
  broker.add(kADMItemSuite, kADMItemSuiteVersion, &admItemSuite());
  broker.add(kADMListSuite, kADMListSuiteVersion, &admListSuite());
  broker.add(kADMEntrySuite, kADMEntrySuiteVersion, &admEntrySuite());
  broker.add(kADMTrackerSuite, kADMTrackerSuiteVersion, &admTrackerSuite());
  broker.add(kADMNotifierSuite, kADMNotifierSuiteVersion, &admNotifierSuite());
  broker.add(kADMIconSuite, kADMIconSuiteVersion, &admIconSuite());
}

}  // namespace heart
