// Numbers as the host's "AI User Suite" reads and writes them: plain
// decimal text (optional sign, digits, decimal point, exponent), independent
// of the process locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace heart {

// The finite number the whole text spells, surrounding blanks allowed;
// nothing for anything else, for a value outside the range of a 32-bit real,
// and for "nan" or "inf".
std::optional<float> parseNumber(std::string_view text);

// The value with `places` decimals (0 to 20); nothing for a value that is not
// finite or a negative number of places. A value that rounds to zero is
// written without a sign.
std::optional<std::string> formatNumber(double value, int places);

}  // namespace heart
