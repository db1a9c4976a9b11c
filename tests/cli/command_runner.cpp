// Files and scratch folders of the command-line tests.
#include "command_runner.h"

#include <fstream>
#include <random>
#include <sstream>

namespace heart::testing {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::filesystem::path outputFile(const std::filesystem::path& folder) { return folder / ".stdout"; }

std::filesystem::path errorFile(const std::filesystem::path& folder) { return folder / ".stderr"; }

void takeOutput(const std::filesystem::path& folder, CommandResult& result) {
  result.out = readFile(outputFile(folder));
  result.err = readFile(errorFile(folder));
  std::filesystem::remove(outputFile(folder));
  std::filesystem::remove(errorFile(folder));
}

ScratchFolder::ScratchFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("heart_cli_" + std::to_string(random()) + "_" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace heart::testing
