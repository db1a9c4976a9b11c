#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include "core/windows_error_text.h"

#include <windows.h>

namespace heart {

std::string windowsErrorText(unsigned long code, std::string_view trailing) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out = length ? std::string(text, length) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!out.empty() && trailing.find(out.back()) != std::string_view::npos) out.pop_back();
  return out;
}

}  // namespace heart
#endif  // _WIN32
