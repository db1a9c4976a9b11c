#include "plugin/dialog/page_buttons.h"

#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/suites/held_suites.h"

ASErr pageButtonNotifier(ADMItemRef item, ADMNotifierRef) {
  ADMDialogRef dialog = nullptr;
  ParameterRecord* record = recordOfItem(item, &dialog);
  if (!record) return kNoErr;
  ADMItemRef buttons[kDialogPageCount];
  for (int page = 0; page < kDialogPageCount; ++page)
    buttons[page] = sADMDialog->GetItem(dialog, kDialogPages[page].button);
  for (int page = 1; page <= kDialogPageCount; ++page)
    if (ADMItemRef caption = captionOf(dialog, page)) sADMItem->SetFont(caption, kADMDefaultFont);
  int chosen = 0;
  for (int page = 1; page <= kDialogPageCount; ++page) {
    if (item == buttons[page - 1]) {
      record->currentPage = page;
      if (ADMItemRef caption = captionOf(dialog, page))
        sADMItem->SetFont(caption, kADMEmphasizedFont);
      chosen = page;
      break;
    }
  }
  if (chosen == 0) return kNoErr;  // not one of the six buttons: leave the pages as they are
  for (int page = 1; page <= kDialogPageCount; ++page) {
    const DialogPage& shown = kDialogPages[page - 1];
    for (int i = 0; i < shown.itemCount; ++i)
      if (ADMItemRef pageItem = sADMDialog->GetItem(dialog, shown.items[i]))
        sADMItem->Show(pageItem, page == chosen ? 1 : 0);
  }
  return kNoErr;
}
