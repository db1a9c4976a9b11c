// Length-prefixed strings as the plug-in interface passes them: one length
// byte (0 to 255) followed by that many characters, no terminator.
#pragma once

#include <cstddef>
#include <string>

namespace heart {

// The characters of a length-prefixed string; empty for a null pointer.
std::string fromLengthPrefixed(const unsigned char* text);

// Writes `text` as a length-prefixed string into `buffer`, which holds at
// least 256 bytes. Refuses (answers false, buffer untouched) a text of more
// than 255 characters.
bool toLengthPrefixed(const std::string& text, unsigned char* buffer);

}  // namespace heart
