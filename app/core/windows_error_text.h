// The sentence Windows gives for one of its error codes, for messages that
// pass on the system's reason. Windows only.
#pragma once

#include <string>
#include <string_view>

namespace heart {

// FormatMessage's text for `code` ("error N" when it has none), with any of
// the characters in `trailing` taken off its end (it ends in ".\r\n").
std::string windowsErrorText(unsigned long code, std::string_view trailing);

}  // namespace heart
