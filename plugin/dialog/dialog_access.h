// Small helpers shared by the dialog procedures: reaching the parameter
// record from an item, the page captions the dialog created, list
// selections, and the probabilistic test on a fresh draw.
#pragma once

#include "plugin/dialog/dialog_layout.h"
#include "plugin/params/parameter_record.h"

// The record behind a dialog (its user data); null when there is none.
ParameterRecord* recordOfDialog(ADMDialogRef dialog);

// An item's dialog and record. Answers null, leaving *dialog null too, when
// either is missing.
ParameterRecord* recordOfItem(ADMItemRef item, ADMDialogRef* dialog);

// The page captions created by the initialisation. The page-1 caption shares
// its ID with the page-6 button, and the host's lookup by ID answers the
// button, so the captions are held here while their dialog is open.
void rememberCaption(ADMDialogRef dialog, int pageNumber, ADMItemRef caption);
// The caption of page 1 to 6 of `dialog`; for a dialog whose captions were
// not remembered, the item looked up by the caption's ID.
ADMItemRef captionOf(ADMDialogRef dialog, int pageNumber);

// Selects the entry at `position` of a popup list item; a position with no
// entry selects nothing.
void selectListPosition(ADMItemRef listItem, int32_t position);
// The ID of the selected entry of a popup list item into *entryId; false,
// leaving *entryId as it is, when nothing is selected.
bool selectedListId(ADMItemRef listItem, int32_t* entryId);

// A probabilistic test: one draw r, passing when 100 * r > threshold.
bool randomTestPasses(float threshold);
