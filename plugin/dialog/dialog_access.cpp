#include "plugin/dialog/dialog_access.h"

#include "plugin/suites/held_suites.h"
#include "plugin/suites/random_draws.h"

namespace {

// The captions of the dialog that is open; valid only while it is.
ADMDialogRef sCaptionDialog = nullptr;
ADMItemRef sCaptions[kDialogPageCount] = {};

}  // namespace

ParameterRecord* recordOfDialog(ADMDialogRef dialog) {
  if (!dialog) return nullptr;
  return static_cast<ParameterRecord*>(sADMDialog->GetUserData(dialog));
}

ParameterRecord* recordOfItem(ADMItemRef item, ADMDialogRef* dialog) {
  *dialog = item ? sADMItem->GetDialog(item) : nullptr;
  ParameterRecord* record = recordOfDialog(*dialog);
  if (!record) *dialog = nullptr;
  return record;
}

void rememberCaption(ADMDialogRef dialog, int pageNumber, ADMItemRef caption) {
  if (pageNumber < 1 || pageNumber > kDialogPageCount) return;
  if (dialog != sCaptionDialog) {
    sCaptionDialog = dialog;
    for (ADMItemRef& held : sCaptions) held = nullptr;
  }
  sCaptions[pageNumber - 1] = caption;
}

ADMItemRef captionOf(ADMDialogRef dialog, int pageNumber) {
  if (pageNumber < 1 || pageNumber > kDialogPageCount) return nullptr;
  if (dialog == sCaptionDialog && sCaptions[pageNumber - 1]) return sCaptions[pageNumber - 1];
  return sADMDialog->GetItem(dialog, kDialogPages[pageNumber - 1].captionItem);
}

void selectListPosition(ADMItemRef listItem, int32_t position) {
  if (!listItem) return;
  ADMListRef list = sADMItem->GetList(listItem);
  if (!list) return;
  ADMEntryRef entry = sADMList->IndexEntry(list, position);
  if (entry) sADMEntry->Select(entry, 1);
}

bool selectedListId(ADMItemRef listItem, int32_t* entryId) {
  if (!listItem) return false;
  ADMListRef list = sADMItem->GetList(listItem);
  if (!list) return false;
  ADMEntryRef entry = sADMList->GetSelectedEntry(list);
  if (!entry) return false;
  *entryId = sADMEntry->GetID(entry);
  return true;
}

bool randomTestPasses(float threshold) { return 100.0f * drawReal() > threshold; }
