// The dialog manager's suites: "ADM Dialog Suite", "ADM Item Suite",
// "ADM List Suite", "ADM Entry Suite", "ADM Tracker Suite",
// "ADM Notifier Suite" and "ADM Icon Suite". Thin C adapters over the
// DialogManager reached through currentHost().dialogs; with no dialog
// manager, or with a reference that no open dialog handed out, an operation
// does nothing and answers null, zero or false.
#pragma once

#include "plugin/host/adm_suites.h"

namespace heart {

class SuiteBroker;

void registerDialogSuites(SuiteBroker& broker);

// The suite tables themselves, for tests that call an operation directly.
const ADMDialogSuite& admDialogSuite();
const ADMItemSuite& admItemSuite();
const ADMListSuite& admListSuite();
const ADMEntrySuite& admEntrySuite();
const ADMTrackerSuite& admTrackerSuite();
const ADMNotifierSuite& admNotifierSuite();
const ADMIconSuite& admIconSuite();

}  // namespace heart
