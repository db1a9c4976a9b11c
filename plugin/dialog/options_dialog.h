// The options dialog "Norv_Heart": its initialisation procedure, run by the
// host's modal dialog with the parameter record as user data.
#pragma once

#include "host/suites.h"

constexpr ASInt32 kOptionsDialogId = 16100;
constexpr const char* kOptionsDialogName = "Norv_Heart";

ASErr initOptionsDialog(ADMDialogRef dialog);
