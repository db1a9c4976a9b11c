// Anchor switches (H6): an anchor whose switch is off moves to the centre of
// the path's bounds and keeps its handles.
#pragma once

#include "plugin/generator/working_values.h"

// The switches act on path positions 1 to 4, whichever anchors landed there.
// The centre is taken once, before any anchor moves; every segment is read
// and written back.
ASErr applyAnchorSwitches(AIArtHandle path, const OutlineValues& outline);
