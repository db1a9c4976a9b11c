// What a module file holds, read without loading it: its kind and machine,
// the entry point its property list names, its exports and imports (Windows
// modules), its resources with their ids and sizes, and its version strings.
// Works for any module file, whether or not this host could run it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/result.h"

namespace heart {

struct ModuleSummary {
  struct Resource {
    std::string type;  // "PIPL", "dialog", "icon group", ...
    int64_t id = 0;
    uint64_t size = 0;  // bytes
  };
  std::string kind;     // "PE32 DLL", "PE32+ DLL", "ELF 64-bit shared object", ...
  std::string machine;  // "i386", "x86-64", ...
  std::vector<std::string> exports;
  std::vector<std::string> imports;
  std::vector<Resource> resources;
  // The plug-in's reading of the resources: the entry point, or why there is none.
  std::string entryPoint;
  std::string problem;
  std::vector<std::pair<std::string, std::string>> versionStrings;
};

// The summary of the file at `path`; a failure naming the file when it is not
// a module at all or its headers are damaged.
Result<ModuleSummary> summarizeModule(const std::string& path);

}  // namespace heart
