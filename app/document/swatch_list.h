// The swatches of a document: named colours that art can be painted with.
//
// Indices count from 0. Index 0 is "[None]" and index 1 "[Registration]",
// followed by a palette of process, three-colour and gray swatches. An index
// below 0 or at or past the end names no swatch: the suite answers a null
// swatch, and asking a null swatch for its colour answers "PARM" and leaves
// the caller's colour as it was, so a path painted from such an index keeps
// its previous colour.
#pragma once

#include <string>
#include <vector>

#include "plugin/host/ai_art_suites.h"

namespace heart {

struct Swatch {
  std::string name;
  AIColor color;
};

// The swatch list every new document starts with.
std::vector<Swatch> defaultSwatches();

}  // namespace heart
