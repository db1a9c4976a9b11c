// The stored record of the command line's host: where it lives between runs
// and the "--set field=value" edits made to it before a run.
#pragma once

#include <string>
#include <vector>

#include "plugin/params/parameter_record.h"

namespace heart::cli {

// $HEART_RECORD when set; otherwise heart/Norv_Heart.record under
// $XDG_CONFIG_HOME or ~/.config; "Norv_Heart.record" when neither is known.
std::string defaultRecordPath();

// Applies "field=value" edits in order. VALUE is a JSON value: a number, true
// or false; an element of an array field is written "shapeTweaks[3]=12".
// Every edit is checked against the field table (known field, type, range,
// finite). On the first faulty edit answers false, names the field in *error
// and leaves *record as it was.
bool applyFieldEdits(ParameterRecord* record, const std::vector<std::string>& edits,
                     std::string* error);

}  // namespace heart::cli
