// The static table of the 31 suites the plug-in uses, acquired when a
// message begins and released when it ends, with a nesting counter so that
// the pair may be called again while the suites are held.
#pragma once

#include "plugin/host/suites.h"

// Acquire every suite in table order when the counter is 0; always counts.
// Answers the first failing code, or 0.
ASErr acquireSuites(SPBasicSuite* basic);
// Release every suite in table order when the counter is 1; always counts
// down. Answers the code of a failed release, or 0.
ASErr releaseSuites(SPBasicSuite* basic);
// Reload: the counter starts again at 0 without releasing anything.
void resetSuiteCounter();
