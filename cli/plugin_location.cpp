#include "plugin_location.h"

#include <cstdlib>
#include <filesystem>

namespace heart::cli {

std::string pluginLocation(const std::string& given) {
  if (!given.empty()) return given;
  if (const char* path = std::getenv("HEART_PLUGIN_PATH"); path && *path) return path;
#ifdef HEART_PLUGIN_DIR_FROM_PROGRAM
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    std::filesystem::path installed = program.parent_path() / HEART_PLUGIN_DIR_FROM_PROGRAM;
    if (std::filesystem::is_directory(installed, error)) return installed.lexically_normal();
  }
#endif
  return "";
}

}  // namespace heart::cli
