#include "dialog/dialog_access.h"

#include <cstring>

#include "suites/held_suites.h"

namespace {

// The captions of the dialog that is open; valid only while it is.
ADMDialogRef sCaptionDialog = nullptr;
ADMItemRef sCaptions[kPageCount] = {};

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
  if (pageNumber < 1 || pageNumber > kPageCount) return;
  if (dialog != sCaptionDialog) {
    sCaptionDialog = dialog;
    for (ADMItemRef& held : sCaptions) held = nullptr;
  }
  sCaptions[pageNumber - 1] = caption;
}

ADMItemRef captionOf(ADMDialogRef dialog, int pageNumber) {
  if (pageNumber < 1 || pageNumber > kPageCount) return nullptr;
  if (dialog == sCaptionDialog && sCaptions[pageNumber - 1]) return sCaptions[pageNumber - 1];
  return sADMDialog->GetItem(dialog, kPages[pageNumber - 1].captionItem);
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

float recordWord(const ParameterRecord* record, const FieldInfo& field) {
  return fieldValue(record, field);
}

void setRecordWord(ParameterRecord* record, const FieldInfo& field, float value) {
  setFieldValue(record, field, value);
}

int32_t recordInteger(const ParameterRecord* record, const FieldInfo& field) {
  if (field.type == kFieldFloat) {
    const float real = fieldValue(record, field);
    return real > -2147483648.0f && real < 2147483648.0f ? static_cast<int32_t>(real) : 0;
  }
  int32_t value;
  std::memcpy(&value, reinterpret_cast<const char*>(record) + field.offset, sizeof value);
  return value;
}

void setRecordInteger(ParameterRecord* record, const FieldInfo& field, int32_t value) {
  if (field.type == kFieldFloat) {
    setFieldValue(record, field, static_cast<float>(value));
    return;
  }
  std::memcpy(reinterpret_cast<char*>(record) + field.offset, &value, sizeof value);
}

void setRecordWordAt(ParameterRecord* record, int32_t offset, float value) {
  for (const FieldInfo& field : kFieldTable) {
    if (field.offset == offset) {
      setFieldValue(record, field, value);
      return;
    }
  }
}

float randomDraw() { return sAIRandom->FloatRnd(); }

bool randomTestPasses(float threshold) { return 100.0f * randomDraw() > threshold; }

float randomCoin() { return randomDraw() > 0.5f ? -1.0f : 1.0f; }
