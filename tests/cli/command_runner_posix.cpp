// Runs the command as a child process with fork and exec.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "command_runner.h"

namespace heart::testing {

CommandResult runHeart(const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder) {
  const std::filesystem::path out = outputFile(folder);
  const std::filesystem::path err = errorFile(folder);
  CommandResult result;
  pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    // A fresh home: the stored record lives in the test's own folder.
    setenv("HOME", folder.c_str(), 1);
    unsetenv("HEART_RECORD");
    unsetenv("XDG_CONFIG_HOME");
    if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(126);
    // A command that hangs (a studio waiting for a browser that never comes)
    // is ended by the alarm, which outlives exec, and fails its test.
    alarm(kCommandSeconds);
    std::vector<char*> argv;
#ifdef HEART_COMMAND_EMULATOR
    // A cross build's command runs under the emulator that runs the tests.
    std::string emulator = HEART_COMMAND_EMULATOR;
    argv.push_back(emulator.data());
#endif
    std::string program = HEART_COMMAND_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  takeOutput(folder, result);
  return result;
}

}  // namespace heart::testing
