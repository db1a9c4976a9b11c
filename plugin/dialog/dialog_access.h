// Small helpers shared by the dialog procedures: reaching the parameter
// record from an item, the page captions the dialog created, list
// selections, record words by field, and the host's random draws.
#pragma once

#include "dialog/dialog_layout.h"
#include "params/parameter_record.h"

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

// A record word as a real and back, converted by the field's type.
float recordWord(const ParameterRecord* record, const FieldInfo& field);
void setRecordWord(ParameterRecord* record, const FieldInfo& field, float value);
// A switch, count or list word as it is stored, without passing through a
// real, so that any stored integer reads back exactly.
int32_t recordInteger(const ParameterRecord* record, const FieldInfo& field);
void setRecordInteger(ParameterRecord* record, const FieldInfo& field, int32_t value);
// Writes `value` into the record word at `offset`, converted by its type.
void setRecordWordAt(ParameterRecord* record, int32_t offset, float value);

// One draw of the host's random source, uniform between 0 and 1.
float randomDraw();
// A probabilistic test: one draw r, passing when 100 * r > threshold.
bool randomTestPasses(float threshold);
// A coin: one draw r; -1 when r > 0.5, +1 otherwise.
float randomCoin();
