#include "plugin/shell/about_box.h"

#include "plugin/resources/resource_ids.h"
#include "plugin/shell/error_alert.h"
#include "plugin/suites/held_suites.h"

namespace {

enum : ASInt32 { kOkItem = 1 };

ASErr initAboutBox(ADMDialogRef dialog) {
  if (ADMItemRef ok = sADMDialog->GetItem(dialog, kOkItem))
    sADMItem->SetNotifyProc(ok, notifyDefaultOnly);
  return kNoErr;
}

}  // namespace

ASErr showAboutBox(SPInterfaceMessage* message) {
  sADMDialog->Modal(message->d.pluginRef, kAboutDialogName, kAboutDialogId, 0, initAboutBox,
                    nullptr);
  return kNoErr;
}
