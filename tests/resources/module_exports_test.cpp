// The module's dynamic symbol table defines its entry point and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace heart {
namespace {

// The symbols the module file defines for dynamic linking, by name and type.
std::set<std::string> definedDynamicSymbols(const std::string& path, std::string* listing) {
  const std::string command = "nm -D --defined-only '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  char line[512];
  std::set<std::string> symbols;
  while (fgets(line, sizeof line, pipe)) {
    *listing += line;
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) symbols.insert(type + " " + name);
  }
  pclose(pipe);
  return symbols;
}

TEST(ModuleExports, OnlyPluginMainIsDefined) {
  std::string listing;
  const auto symbols = definedDynamicSymbols(HEART_MODULE_PATH, &listing);
  EXPECT_EQ(symbols, (std::set<std::string>{"T PluginMain"})) << listing;
}

}  // namespace
}  // namespace heart
