// The heart generator: turns the parameter record into hearts in the current
// document, for Go and for the preview.
#pragma once

#include "plugin/params/parameter_record.h"

// Runs the generator over the record. The one field it writes is
// previewDrawn, cleared when Go takes a standing preview as the result;
// answers the first failing host code, or 0.
ASErr generateHearts(ParameterRecord* record);
