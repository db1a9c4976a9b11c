// A new record's defaults, written by the plug-in into the host's block and
// by the host's record tools into a record of their own.
#include "plugin/params/field_table.h"
#include "plugin/params/parameter_record.h"

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
