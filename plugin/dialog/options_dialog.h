// The options dialog "Norv_Heart": its initialisation procedure, run by the
// host's modal dialog with the parameter record as user data.
#pragma once

#include "plugin/host/suites.h"
#include "plugin/params/dialog_items.h"

ASErr initOptionsDialog(ADMDialogRef dialog);
