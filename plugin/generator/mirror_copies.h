// Four-way mirror copies: three copies of an art reflected in the page's
// vertical centre line, in both centre lines and in the horizontal centre
// line, so the four pieces form a pattern symmetric about the page centre.
#pragma once

#include "plugin/generator/working_values.h"

// Duplicates `art` three times above all art, moves each copy to its
// mirrored place, then flips it about its own centre.
ASErr addMirrorCopies(AIArtHandle art, const RunValues& run);
