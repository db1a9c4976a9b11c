// In-place conversions between zero-terminated strings and length-prefixed
// strings (a length byte, 0 to 255, followed by that many characters), the
// form the host's filter registration and number parsing take. The buffer
// holds at least 256 bytes.
#pragma once

#include <cstdint>
#include <cstring>

#include "plugin/host/heart_types.h"

// Converts the zero-terminated string in `buffer` to a length-prefixed one.
// A string of 256 characters or more does not fit: the buffer is left
// unchanged and false is answered.
inline bool toLengthPrefixed(char* buffer) {
  const size_t length = std::strlen(buffer);
  if (length >= 256) return false;
  std::memmove(buffer + 1, buffer, length);
  buffer[0] = static_cast<char>(static_cast<uint8_t>(length));
  return true;
}

// Converts the length-prefixed string in `buffer` to a zero-terminated one.
inline void toZeroTerminated(char* buffer) {
  const size_t length = static_cast<uint8_t>(buffer[0]);
  std::memmove(buffer, buffer + 1, length);
  buffer[length] = '\0';
}

// Writes a four-character code as a length-prefixed string: the length 4 and
// the code's characters, most significant byte first.
inline void codeToLengthPrefixed(ASErr code, char* buffer) {
  const uint32_t bits = static_cast<uint32_t>(code);
  buffer[0] = 4;
  for (int i = 0; i < 4; ++i) buffer[1 + i] = static_cast<char>((bits >> (24 - 8 * i)) & 0xFF);
}
