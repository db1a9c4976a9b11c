#include "result_text.h"

namespace heart::cli {

std::string resultText(ASErr code) {
  uint32_t bits = static_cast<uint32_t>(code);
  std::string characters;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = static_cast<char>((bits >> shift) & 0xFF);
    if (c < 0x20 || c > 0x7E) return std::to_string(code);
    characters += c;
  }
  return "'" + characters + "'";
}

}  // namespace heart::cli
