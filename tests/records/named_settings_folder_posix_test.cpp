// The folder of the designer's named settings, from the environment.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "records/named_settings.h"

namespace heart::testing {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts it back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(NamedSettingsFolder, FollowsXdgConfigHomeElseHome) {
  {
    ScopedVariable config("XDG_CONFIG_HOME", "/cfg/where"), home("HOME", "/home/d");
    Result<fs::path> folder = namedSettingsFolder();
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, fs::path("/cfg/where/heart/settings"));
  }
  for (const char* ignored : {"", "relative/cfg"}) {
    ScopedVariable config("XDG_CONFIG_HOME", ignored), home("HOME", "/home/d");
    Result<fs::path> folder = namedSettingsFolder();
    ASSERT_TRUE(folder) << ignored;
    EXPECT_EQ(*folder, fs::path("/home/d/.config/heart/settings")) << ignored;
  }
  ScopedVariable config("XDG_CONFIG_HOME", nullptr), home("HOME", nullptr);
  EXPECT_FALSE(namedSettingsFolder());
}

}  // namespace
}  // namespace heart::testing
