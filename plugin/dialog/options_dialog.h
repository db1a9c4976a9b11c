// The options dialog "Norv_Heart": its initialisation procedure, run by the
// host's modal dialog with the parameter record as user data.
#pragma once

#include "host/suites.h"
#include "params/dialog_items.h"

ASErr initOptionsDialog(ADMDialogRef dialog);
