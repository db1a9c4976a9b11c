#include "core/length_prefixed.h"

#include <cstring>

namespace heart {

std::string fromLengthPrefixed(const unsigned char* text) {
  if (!text) return {};
  return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

bool toLengthPrefixed(const std::string& text, unsigned char* buffer) {
  if (!buffer || text.size() > 255) return false;
  buffer[0] = static_cast<unsigned char>(text.size());
  std::memcpy(buffer + 1, text.data(), text.size());
  return true;
}

}  // namespace heart
