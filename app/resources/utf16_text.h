// UTF-16 text, as Windows resources hold it, converted to UTF-8.
#pragma once

#include <string>

namespace heart {

// UTF-8 of `text`. An unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(const std::u16string& text);

}  // namespace heart
