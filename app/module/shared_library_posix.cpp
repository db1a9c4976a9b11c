#ifndef _WIN32
#include <dlfcn.h>

#include "module/shared_library.h"

namespace heart {

Result<void*> loadSharedLibrary(const std::string& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    return fail(why ? why : "unknown reason");
  }
  return library;
}

void* findSharedLibrarySymbol(void* library, const std::string& name) {
  dlerror();
  return dlsym(library, name.c_str());
}

bool unloadSharedLibrary(void* library) { return dlclose(library) == 0; }

bool isSharedLibraryLoaded(const std::string& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (!library) return false;
  dlclose(library);  // balances the reference that RTLD_NOLOAD took
  return true;
}

}  // namespace heart
#endif
