// The front view's centre, where a new record's hearts are centred.
#pragma once

#include "plugin/host/heart_types.h"

// The centre of document view 0, the front view, through the Document View
// suite. On failure the centre is left as it was and the host's code returned.
ASErr frontViewCentre(AIRealPoint* centre);
