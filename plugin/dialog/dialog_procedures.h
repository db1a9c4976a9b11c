// The options dialog's procedures, which the host calls back while the modal
// dialog runs, and the two operations with which they hand a changed record
// back to the dialog.
#pragma once

#include "host/suites.h"
#include "params/parameter_record.h"

// Notify procedure of the 74 bound items and "Shuffle": reads every bound item
// into the record, updates the enabled states and, with "Preview" on, runs
// the generator. Answers the generator's result, or 0 without a preview.
ASErr valueNotifier(ADMItemRef item, ADMNotifierRef notifier);

// Shows the record in every bound item, "Preview" and the placement and
// sketch colour lists included. Reads nothing back and draws nothing.
void writeRecordToItems(ADMDialogRef dialog, const ParameterRecord* record);

// Sends "ADM User Changed Notifier" to the first item of page `currentPage`
// (page 1 for any number outside 1 to 6), then to that page's button.
void renotifyCurrentPage(ADMDialogRef dialog, const ParameterRecord* record);

// Settings list (item 65): the settings base and the chosen entry's changes.
ASErr settingsListNotifier(ADMItemRef item, ADMNotifierRef notifier);

// "Tumble" (item 61): a random heart shape from the shape base.
ASErr tumbleNotifier(ADMItemRef item, ADMNotifierRef notifier);

// "Tweak", "Jitter" and "Boost" (items 62 to 64): in-place shape changes.
ASErr adjustNotifier(ADMItemRef item, ADMNotifierRef notifier);

// Page buttons (items 90 to 95): record the page, mark its caption, show its
// items and hide the other pages'.
ASErr pageButtonNotifier(ADMItemRef item, ADMNotifierRef notifier);

// Heart preset list (item 66): fills the shape tweak grid from a preset.
ASErr heartPresetNotifier(ADMItemRef item, ADMNotifierRef notifier);

// View zoom (item 27): sets the front view's zoom from the percentage.
ASErr zoomNotifier(ADMItemRef item, ADMNotifierRef notifier);

// Tracking procedure of the point picker buttons (items 160 to 168).
ASBoolean pointPicker(ADMItemRef item, ADMTrackerRef tracker);
