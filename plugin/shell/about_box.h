// The about box: the dialog resource kAboutDialogId, closed by its OK button.
#pragma once

#include "plugin/host/suites.h"

// Shows the about box; answers 0 however it was closed.
ASErr showAboutBox(SPInterfaceMessage* message);
