// Runs the built `heart` command and collects what it printed and its exit
// code.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "export/png_export.h"

// For tests that draw PNG pictures: skipped where the build has no PNG output
// (the 32-bit and Windows builds without cairo), which its own test covers.
#define SKIP_WITHOUT_PNG_OUTPUT() \
  if (!::heart::canWritePng()) GTEST_SKIP() << "this build draws no PNG pictures"

// The studio draws its preview with the same library as PNG output, so a
// build has the one where it has the other.
#define SKIP_WITHOUT_STUDIO() \
  if (!::heart::testing::hasStudio()) GTEST_SKIP() << "this build has no studio"

namespace heart::testing {

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline bool hasStudio() { return ::heart::canWritePng(); }

// How long a command may run before it is ended and its test fails.
constexpr unsigned kCommandSeconds = 120;

// `heart` with the arguments, run in `folder`, which is also its home; ended
// after kCommandSeconds (exit code -1).
CommandResult runHeart(const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder);

// Where a command's standard output and error go while it runs, and taking
// them into the result (and out of the folder) when it has ended.
std::filesystem::path outputFile(const std::filesystem::path& folder);
std::filesystem::path errorFile(const std::filesystem::path& folder);
void takeOutput(const std::filesystem::path& folder, CommandResult& result);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder for one test, removed with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace heart::testing
