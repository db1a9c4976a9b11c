// Text handed back to a plug-in in a buffer it supplies.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace heart {

// Copies text into a caller's buffer of bufferSize bytes, cut to fit and
// always zero-terminated; writes nothing into a missing or empty buffer.
// Answers whether the whole text was copied, so that a suite can refuse a
// cut value instead of passing it off as the whole.
inline bool copyText(const std::string& text, char* buffer, int32_t bufferSize) {
  if (!buffer || bufferSize < 1) return false;
  const size_t room = static_cast<size_t>(bufferSize) - 1;
  const size_t length = text.size() < room ? text.size() : room;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return text.size() <= room;
}

}  // namespace heart
