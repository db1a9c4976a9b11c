#include "records/record_defaults.h"

#include <cstring>

#include "params/field_table.h"

namespace heart {

ParameterRecord defaultRecord(AIRealPoint viewCentre) {
  ParameterRecord record;
  std::memset(&record, 0, sizeof record);
  for (const FieldInfo& field : kFieldTable) {
    switch (field.defaultKind) {
      case kDefaultConstant:
        setFieldValue(&record, field, field.defaultValue);
        break;
      case kDefaultViewX:
        setFieldValue(&record, field, viewCentre.h - 200.0f);
        break;
      case kDefaultViewY:
        setFieldValue(&record, field, viewCentre.v);
        break;
      case kDefaultNotWritten:
        break;
    }
  }
  return record;
}

}  // namespace heart
