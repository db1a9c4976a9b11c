#include "plugin/dialog/value_notifier.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/dialog/record_items.h"
#include "plugin/generator/generator.h"
#include "plugin/suites/held_suites.h"

ASErr valueNotifier(ADMItemRef item, ADMNotifierRef notifier) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return kNoErr;
  record->finalRun = 0;
  sADMItem->DefaultNotify(item, notifier);
  readItemsIntoRecord(dialog, record);
  updateEnabledStates(dialog, record);
  readPreviewItem(dialog, record);
  if (record->preview) {
    record->previewDrawn = 1;
    ASErr error = generateHearts(record);
    // A preview that stopped partway has drawn only some of the hearts: Go
    // must draw them afresh rather than take them as the result.
    if (error) record->previewDrawn = 0;
    return error;
  }
  record->previewDrawn = 0;
  return kNoErr;
}

void renotifyCurrentPage(ADMDialogRef dialog, const ParameterRecord* record) {
  if (!dialog || !record) return;
  const DialogPage& page = dialogPageFor(record->currentPage);
  // The lookup by ID answers the first item created with it, so ID 95 finds
  // the page-6 button here, not the page-1 caption.
  if (ADMItemRef first = sADMDialog->GetItem(dialog, page.firstItem))
    sADMItem->SendNotify(first, kADMUserChangedNotifier);
  if (ADMItemRef button = sADMDialog->GetItem(dialog, page.button))
    sADMItem->SendNotify(button, kADMUserChangedNotifier);
}
