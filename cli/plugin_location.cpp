#include "plugin_location.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace heart::cli {
namespace {

// The running program's own file.
[[maybe_unused]] std::filesystem::path programFile(std::error_code& error) {
#ifdef _WIN32
  std::wstring path(32768, L'\0');
  DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) {
    error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
    return {};
  }
  path.resize(length);
  return path;
#else
  return std::filesystem::read_symlink("/proc/self/exe", error);
#endif
}

}  // namespace

std::string pluginLocation(const std::string& given) {
  if (!given.empty()) return given;
  if (const char* path = std::getenv("HEART_PLUGIN_PATH"); path && *path) return path;
#ifdef HEART_PLUGIN_DIR_FROM_PROGRAM
  std::error_code error;
  std::filesystem::path program = programFile(error);
  if (!error) {
    std::filesystem::path installed = program.parent_path() / HEART_PLUGIN_DIR_FROM_PROGRAM;
    if (std::filesystem::is_directory(installed, error))
      return installed.lexically_normal().string();
  }
#endif
  return "";
}

}  // namespace heart::cli
