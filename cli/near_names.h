// Names as people type them: in any case, and a near miss answered with the
// name that was probably meant.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace heart::cli {

bool sameIgnoringCase(std::string_view a, std::string_view b);

// The name among `names` closest to `typed`, ignoring case, when it is near
// enough to be a slip (at most one edit in four letters, and at least one):
// the number of letters put in, left out, changed or swapped. Empty when
// none is; the first of equally near names wins.
std::string nearestName(std::string_view typed, const std::vector<std::string>& names);

// "; did you mean X?" for the nearest name, or nothing.
std::string didYouMean(std::string_view typed, const std::vector<std::string>& names);

}  // namespace heart::cli
