// A guard for JSON text from outside: nesting deeper than a record or a
// drawing's metadata can need is refused before any parser recurses into it.
#pragma once

#include <string>
#include <string_view>

#include "core/result.h"

namespace heart {

// Deep enough for every JSON form this host reads (they nest three levels).
inline constexpr int kMaxJsonDepth = 64;

// A failure giving the depth reached and where, when arrays and
// objects nest deeper than `limit`. Brackets inside strings do not count.
// Says nothing about whether the text is otherwise valid JSON.
Result<void> checkJsonDepth(std::string_view text, int limit = kMaxJsonDepth);

}  // namespace heart
