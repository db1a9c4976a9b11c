// The about box: dialog resource 16050, closed by its OK button.
#pragma once

#include "host/suites.h"

constexpr ASInt32 kAboutDialogId = 16050;
constexpr const char* kAboutDialogName = "About Dialog";

// Shows the about box; answers 0 however it was closed.
ASErr showAboutBox(SPInterfaceMessage* message);
