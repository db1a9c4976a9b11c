// The parameter record as JSON, by the record's field table: one member per
// field, in record order, named as in the table. Switches are true/false,
// whole-number fields are integers and real fields are numbers. The two
// word arrays are JSON arrays: "shapeTweaks" (16 numbers, element k is the
// table's "shapeTweaks[k]") and "dialogBounds" (4 integers).
//
// Reals are written with the fewest digits that read back as the same
// 32-bit value, so record -> JSON -> record gives the same 340 bytes.
//
// Both directions check every value against the table: a switch holds only
// 0 or 1, a value lies within the range of the dialog item that edits it,
// and a real is finite. Errors name the field.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "core/result.h"
#include "plugin/params/field_table.h"
#include "plugin/params/parameter_record.h"

namespace heart {

using RecordJson = nlohmann::ordered_json;

// The record's fields as JSON; a failure naming the first faulty field when
// a stored value is not one the record may hold.
Result<RecordJson> recordToJson(const ParameterRecord& record);

// A record from JSON. Every field must be present unless `base` is given, in
// which case absent fields keep the base's values. Unknown fields, values of
// the wrong type, values out of range and non-finite numbers are refused.
Result<ParameterRecord> recordFromJson(const RecordJson& json,
                                       const ParameterRecord* base = nullptr);

// The same from JSON text. A field given twice is refused. A syntax error is reported with its line
// and, where one can be found, the field it belongs to; a NaN or Infinity in the text is reported
// as a non-finite value of that field.
Result<ParameterRecord> recordFromJsonText(const std::string& text,
                                           const ParameterRecord* base = nullptr);

// Checks a record as recordToJson does, without building the JSON.
Result<void> checkRecord(const ParameterRecord& record);

// A word of the record as the field table's setters take it: the integer of
// a switch or a whole-number field (setFieldInteger), the real of a real
// field (setFieldValue).
using FieldWord = std::variant<int32_t, float>;

// The word one table entry (a field, or an element such as "shapeTweaks[3]")
// takes from a JSON value, checked as recordFromJson checks each value; a
// failure naming the field when the value is refused.
Result<FieldWord> fieldWordFromJson(const FieldInfo& field, const RecordJson& value);

// Writes a word into its field with the field table's setters.
void storeFieldWord(ParameterRecord* record, const FieldInfo& field, const FieldWord& word);

}  // namespace heart
