// The stored record of the command line's host: where it lives between runs
// and the "--set field=value" edits made to it.
#pragma once

#include <string>
#include <vector>

#include "plugin/params/field_table.h"
#include "plugin/params/parameter_record.h"
#include "records/record_json.h"

namespace heart::cli {

// $HEART_RECORD when set; otherwise heart/Norv_Heart.record under
// $XDG_CONFIG_HOME or ~/.config; "Norv_Heart.record" when neither is known.
std::string defaultRecordPath();

// One edit, read and checked: the field table's entry for the field or the
// array element it names, and the word it puts there.
struct FieldEdit {
  const FieldInfo* field = nullptr;
  FieldWord word;
};

// Reads "field=value" edits, in order. VALUE is a JSON value: a number, true
// or false (1 and 0 for a switch too); an element of an array field is
// written "shapeTweaks[3]=12". Every edit is checked against the field table
// (known field, type, range, finite). On the first faulty edit answers
// a failure naming the field.
Result<std::vector<FieldEdit>> parseFieldEdits(const std::vector<std::string>& edits);

// Writes the edits into the record in order with the field table's setters:
// a field edited twice holds its last value.
void applyFieldEdits(ParameterRecord* record, const std::vector<FieldEdit>& edits);

}  // namespace heart::cli
