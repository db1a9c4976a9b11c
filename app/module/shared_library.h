// The operating system's loader, as the host uses it for plug-in modules:
// load a module file by absolute path, find a symbol, unload it, and ask
// whether a file is loaded. dlopen on POSIX systems, LoadLibrary on Windows.
#pragma once

#include <string>

#include "core/result.h"

namespace heart {

// The loaded module, or the loader's reason.
Result<void*> loadSharedLibrary(const std::string& path);
void* findSharedLibrarySymbol(void* library, const std::string& name);
// True when the loader released the module.
bool unloadSharedLibrary(void* library);
// Whether the file at `path` is loaded into this process now.
bool isSharedLibraryLoaded(const std::string& path);

}  // namespace heart
