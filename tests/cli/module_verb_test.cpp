// `heart module`: what a module file holds, for this host's module and for
// Windows modules it cannot run; damaged files and other files are refused
// naming the file.
#include <gtest/gtest.h>

#include "command_runner.h"

namespace heart::testing {
namespace {

using testing::runHeart;
using testing::ScratchFolder;

void expectLines(const std::string& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    EXPECT_NE(out.find(line + "\n"), std::string::npos) << "no \"" << line << "\" in:\n" << out;
}

TEST(ModuleVerb, ShowsThisHostsModule) {
  ScratchFolder scratch;
  const auto result = runHeart({"module", HEART_MODULE_PATH}, scratch.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
#ifdef _WIN32
  const char* kind = sizeof(void*) == 8 ? "  kind: PE32+ DLL" : "  kind: PE32 DLL";
#else
  const char* kind =
      sizeof(void*) == 8 ? "  kind: ELF 64-bit shared object" : "  kind: ELF 32-bit shared object";
#endif
  expectLines(result.out, {
                              kind,
                              "  entry point: PluginMain",
                              "    ProductName: Heart",
                          });
  EXPECT_NE(result.out.find("    PIPL 16000: "), std::string::npos) << result.out;
}

#ifdef HEART_WINDOWS_MODULE_I686
TEST(ModuleVerb, ShowsAWindowsModuleItCannotRun) {
  ScratchFolder scratch;
  const auto result = runHeart({"module", HEART_WINDOWS_MODULE_I686}, scratch.path());
  EXPECT_EQ(result.exitCode, 0) << result.err;
  expectLines(result.out, {"  kind: PE32 DLL", "  machine: i386", "  entry point: PluginMain",
                           "  exports: PluginMain", "    OriginalFilename: Norv_Heart.aip",
                           "    FileVersion: 1, 4, 0, 0"});
  for (const char* resource :
       {"    PIPL 16000: ", "    dialog 16050: ", "    dialog 16051: ", "    dialog 16100: ",
        "    icon group 16051: ", "    cursor group 16000: ", "    version 1: "})
    EXPECT_NE(result.out.find(resource), std::string::npos) << resource << " in:\n" << result.out;
}

TEST(ModuleVerb, RefusesADamagedWindowsModuleNamingIt) {
  ScratchFolder scratch;
  std::string bytes = testing::readFile(HEART_WINDOWS_MODULE_I686);
  bytes.resize(300);  // inside the section table
  testing::writeFile(scratch / "cut.aip", bytes);
  const auto result = runHeart({"module", "cut.aip"}, scratch.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("heart module: cut.aip: "), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("past the end"), std::string::npos) << result.err;
}
#endif

TEST(ModuleVerb, RefusesAFileThatIsNoModule) {
  ScratchFolder scratch;
  testing::writeFile(scratch / "notes.txt", "just some words\nand more words\n");
  const auto result = runHeart({"module", "notes.txt"}, scratch.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("notes.txt: neither a Windows module nor an ELF file"),
            std::string::npos)
      << result.err;
}

}  // namespace
}  // namespace heart::testing
