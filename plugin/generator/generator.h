// The heart generator: turns the parameter record into hearts in the current
// document, for Go and for the preview.
#pragma once

#include "params/parameter_record.h"

// Runs the generator over the record. Writes only finalRun/previewDrawn's
// protocol flags; answers the first failing host code, or 0.
ASErr generateHearts(ParameterRecord* record);
