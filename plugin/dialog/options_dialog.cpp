#include "dialog/options_dialog.h"

// Placeholder until the options dialog's items land.
ASErr initOptionsDialog(ADMDialogRef) { return kNoErr; }
