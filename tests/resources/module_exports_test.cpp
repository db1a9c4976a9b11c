// The module's dynamic symbol table defines its entry point and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "support/built_module.h"

namespace heart::testing {

TEST(ModuleExports, OnlyPluginMainIsDefined) {
  SKIP_UNLESS_ELF_MODULE();
  const std::string command = std::string("nm -D --defined-only '") + HEART_MODULE_PATH + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string listing;
  std::set<std::string> symbols;
  char line[512];
  while (fgets(line, sizeof line, pipe)) {
    listing += line;
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) symbols.insert(type + " " + name);
  }
  EXPECT_EQ(pclose(pipe), 0) << listing;
  EXPECT_EQ(symbols, (std::set<std::string>{"T PluginMain"})) << listing;
}

}  // namespace heart::testing
