#include "plugin/dialog/options_dialog.h"

#include "plugin/dialog/adjust_buttons.h"
#include "plugin/dialog/dialog_access.h"
#include "plugin/dialog/dialog_layout.h"
#include "plugin/dialog/heart_presets.h"
#include "plugin/dialog/page_buttons.h"
#include "plugin/dialog/point_picker.h"
#include "plugin/dialog/settings_list.h"
#include "plugin/dialog/tumble.h"
#include "plugin/dialog/value_notifier.h"
#include "plugin/dialog/view_zoom.h"
#include "plugin/suites/held_suites.h"

namespace {

const char* hostTypeName(DialogItemKind kind) {
  switch (kind) {
    case kSpinEditItem:
      return kADMSpinEditType;
    case kTextStaticItem:
      return kADMTextStaticType;
    case kPopupListItem:
      return kADMPopupListType;
    case kPicturePushButtonItem:
      return kADMPicturePushButtonType;
    case kTextPushButtonItem:
      return kADMTextPushButtonType;
    case kTextCheckBoxItem:
      return kADMTextCheckBoxType;
  }
  return kADMTextStaticType;
}

ADMItemNotifyProc notifyProcedure(DialogProcedure procedure) {
  switch (procedure) {
    case kValueProcedure:
      return valueNotifier;
    case kSettingsListProcedure:
      return settingsListNotifier;
    case kTumbleProcedure:
      return tumbleNotifier;
    case kAdjustProcedure:
      return adjustNotifier;
    case kPageButtonProcedure:
      return pageButtonNotifier;
    case kHeartPresetProcedure:
      return heartPresetNotifier;
    case kZoomProcedure:
      return zoomNotifier;
    case kNoProcedure:
    case kPointPickerProcedure:
      break;
  }
  return nullptr;
}

void attachProcedure(ADMItemRef item, DialogProcedure procedure) {
  if (procedure == kPointPickerProcedure) {
    sADMItem->SetTrackProc(item, pointPicker);
  } else if (ADMItemNotifyProc notify = notifyProcedure(procedure)) {
    sADMItem->SetNotifyProc(item, notify);
  }
}

// Units, range, precision and value of a spin edit from its record field.
void setUpSpinEdit(ADMItemRef item, const FieldInfo& field, const ParameterRecord* record) {
  sADMItem->SetUnits(item, kADMNoUnits);
  if (field.type == kFieldFloat) {
    sADMItem->SetMinFloatValue(item, field.minimum);
    sADMItem->SetMaxFloatValue(item, field.maximum);
    sADMItem->SetPrecision(item, kFloatPrecision);
    sADMItem->SetFloatValue(item, fieldValue(record, field));
  } else {
    sADMItem->SetMinIntValue(item, static_cast<ASInt32>(field.minimum));
    sADMItem->SetMaxIntValue(item, static_cast<ASInt32>(field.maximum));
    sADMItem->SetIntValue(item, fieldInteger(record, field));
  }
}

void createItem(ADMDialogRef dialog, const DialogItemLayout& layout,
                const ParameterRecord* record) {
  ADMItemRef item = sADMDialog->CreateItem(dialog, layout.id, hostTypeName(layout.kind),
                                           &layout.bounds, nullptr, nullptr);
  if (!item) return;
  const FieldInfo* field = fieldForItem(layout.id);
  switch (layout.kind) {
    case kSpinEditItem:
      if (field) setUpSpinEdit(item, *field, record);
      break;
    case kTextCheckBoxItem:
      if (field) sADMItem->SetBooleanValue(item, fieldInteger(record, *field) != 0 ? 1 : 0);
      break;
    case kTextStaticItem:
    case kPopupListItem:
    case kPicturePushButtonItem:
    case kTextPushButtonItem:
      break;
  }
  attachProcedure(item, layout.procedure);
  if (layout.text) sADMItem->SetText(item, layout.text);
  // The page-1 caption is the second item with ID 95, after the page-6
  // button, so the captions are held as they are created.
  if (layout.kind == kTextStaticItem && layout.id >= kFirstCaptionItem &&
      layout.id < kFirstCaptionItem + kDialogPageCount)
    rememberCaption(dialog, layout.id - kFirstCaptionItem + 1, item);
  if (dialogPageOfItem(layout.id) > 1) sADMItem->Show(item, 0);
}

void fillPopupList(ADMDialogRef dialog, const PopupListLayout& layout,
                   const ParameterRecord* record) {
  ADMItemRef item = sADMDialog->GetItem(dialog, layout.item);
  if (!item) return;
  ADMListRef list = sADMItem->GetList(item);
  if (layout.procedureWhenFilled != kNoProcedure)
    attachProcedure(sADMDialog->GetItem(dialog, layout.item), layout.procedureWhenFilled);
  if (!list) return;
  for (int position = 0; position < layout.entryCount; ++position) {
    ADMEntryRef entry = sADMList->InsertEntry(list, position);
    if (!entry) continue;
    sADMEntry->SetText(entry, layout.entries[position]);
    sADMEntry->SetID(entry, position);
  }
  if (const FieldInfo* field = fieldForItem(layout.item))
    selectListPosition(item, fieldInteger(record, *field));
}

}  // namespace

ASErr initOptionsDialog(ADMDialogRef dialog) {
  ParameterRecord* record = recordOfDialog(dialog);
  if (!record) return kNoErr;  // nothing to show without the record
  sADMDialog->Size(dialog, kDialogWidth, kDialogHeight);
  for (const DialogItemLayout& layout : kDialogItems) createItem(dialog, layout, record);
  for (const PopupListLayout& layout : kPopupLists) fillPopupList(dialog, layout, record);
  renotifyCurrentPage(dialog, record);
  return kNoErr;
}
