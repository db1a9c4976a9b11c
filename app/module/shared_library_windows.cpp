#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <filesystem>

#include "core/windows_error_text.h"
#include "module/shared_library.h"

namespace heart {
namespace {

std::wstring widePath(const std::string& path) { return std::filesystem::path(path).wstring(); }

std::string lastErrorText() { return windowsErrorText(GetLastError(), "\n\r "); }

}  // namespace

Result<void*> loadSharedLibrary(const std::string& path) {
  // The module's own folder is searched for what it depends on, not the host's.
  HMODULE library = LoadLibraryExW(widePath(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!library) return fail(lastErrorText());
  return reinterpret_cast<void*>(library);
}

void* findSharedLibrarySymbol(void* library, const std::string& name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
}

bool unloadSharedLibrary(void* library) { return FreeLibrary(static_cast<HMODULE>(library)) != 0; }

bool isSharedLibraryLoaded(const std::string& path) {
  return GetModuleHandleW(widePath(path).c_str()) != nullptr;
}

}  // namespace heart
#endif
