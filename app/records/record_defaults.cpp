#include "records/record_defaults.h"

#include <cstring>

namespace heart {

ParameterRecord defaultRecord(AIRealPoint viewCentre) {
  ParameterRecord record;
  std::memset(&record, 0, sizeof record);
  setDefaults(&record, viewCentre);
  return record;
}

}  // namespace heart
