// A new parameter record with every default of the field table, as the
// plug-in writes them into a fresh, zero-filled host block: the centre
// follows the front view's centre, and the words the defaults leave alone
// (finalRun and the dialog bounds) stay 0.
#pragma once

#include "plugin/params/parameter_record.h"

namespace heart {

ParameterRecord defaultRecord(AIRealPoint viewCentre);

}  // namespace heart
