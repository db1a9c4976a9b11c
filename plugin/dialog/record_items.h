// The bound items of the options dialog and the two sweeps between them and
// the parameter record, plus the enable rules that follow the values.
#pragma once

#include "plugin/host/suites.h"
#include "plugin/params/parameter_record.h"

// Reads every bound item into its field, in binding order, from "Heart
// height (p)" to the sketch colour list; "Preview" is not read here. A list
// with nothing selected leaves its field as it is.
void readItemsIntoRecord(ADMDialogRef dialog, ParameterRecord* record);

// Reads the "Preview" check box into `preview`.
void readPreviewItem(ADMDialogRef dialog, ParameterRecord* record);

// Shows the record in every bound item, "Preview" and the placement and
// sketch colour lists included. Reads nothing back and draws nothing.
void writeRecordToItems(ADMDialogRef dialog, const ParameterRecord* record);

// Enables and disables the dependent items by the record's values: drop
// shadow, sketch, symmetry and placement, in that order.
void updateEnabledStates(ADMDialogRef dialog, const ParameterRecord* record);
