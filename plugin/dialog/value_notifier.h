// The value notifier: the one procedure through which every change of the
// options dialog reaches the record and the preview, and the re-notification
// with which the other procedures end in it.
#pragma once

#include "plugin/host/suites.h"
#include "plugin/params/parameter_record.h"

// Notify procedure of the 74 bound items and "Shuffle": reads every bound item
// into the record, updates the enabled states and, with "Preview" on, runs
// the generator. Answers the generator's result, or 0 without a preview.
ASErr valueNotifier(ADMItemRef item, ADMNotifierRef notifier);

// Sends "ADM User Changed Notifier" to the first item of page `currentPage`
// (page 1 for any number outside 1 to 6), then to that page's button.
void renotifyCurrentPage(ADMDialogRef dialog, const ParameterRecord* record);
