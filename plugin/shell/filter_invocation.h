// The two "AI Filter" messages: Get Parameters runs the options dialog over
// the stored parameter record, Go runs the heart generator over it.
#pragma once

#include "plugin/host/suites.h"

// 0 when the user confirmed the dialog, "STOP" when they cancelled, "!MEM"
// when no record could be had, or the host's code.
ASErr getFilterParameters(AIFilterMessage* message);
// The generator's code: 0 when it built the hearts or adopted a standing
// preview, otherwise the code of the host operation that failed. Without a
// record there is nothing to apply and the answer is 0.
ASErr goFilter(AIFilterMessage* message);
