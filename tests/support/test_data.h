// Files of the tests' own data folder, tests/data/.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace heart::testing {

// The bytes of tests/data/<path>; empty when there is no such file.
inline std::string testData(const std::string& path) {
  std::ifstream in(std::string(HEART_SOURCE_DIR) + "/tests/data/" + path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace heart::testing
