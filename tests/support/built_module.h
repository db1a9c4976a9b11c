// What kind of file the module under test is. The tests that edit or inspect
// the module as an ELF file (its resource section, its symbol table) only
// apply to the module a Linux build makes; a Windows build's module is a PE
// DLL, whose own checks read the real DLLs in test_windows_modules.
#pragma once

#include <array>
#include <fstream>

namespace heart::testing {

inline bool builtModuleIsElf() {
  std::ifstream in(HEART_MODULE_PATH, std::ios::binary);
  std::array<char, 4> magic{};
  in.read(magic.data(), magic.size());
  return in && magic == std::array<char, 4>{'\x7f', 'E', 'L', 'F'};
}

}  // namespace heart::testing

// Skips the current test when the module under test is not an ELF file.
#define SKIP_UNLESS_ELF_MODULE()                                                          \
  if (!::heart::testing::builtModuleIsElf())                                              \
  GTEST_SKIP() << "the module is not an ELF file; test_windows_modules checks a Windows " \
                  "module"
