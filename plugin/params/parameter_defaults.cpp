#include "params/field_table.h"
#include "suites/held_suites.h"

ASErr frontViewCentre(AIRealPoint* centre) {
  AIDocumentViewHandle view = nullptr;
  if (ASErr error = sAIDocumentView->GetNthDocumentView(0, &view)) return error;
  return sAIDocumentView->GetDocumentViewCenter(view, centre);
}

void setDefaults(ParameterRecord* record, AIRealPoint viewCentre) {
  for (const FieldInfo& field : kFieldTable) {
    switch (field.defaultKind) {
      case kDefaultConstant:
        setFieldValue(record, field, field.defaultValue);
        break;
      case kDefaultViewX:
        setFieldValue(record, field, viewCentre.h - 200.0f);
        break;
      case kDefaultViewY:
        setFieldValue(record, field, viewCentre.v);
        break;
      case kDefaultNotWritten:
        break;
    }
  }
}
