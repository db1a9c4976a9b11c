// The verbs of the `heart` command. Each verb lives in its own file and
// registers itself with HEART_CLI_VERB, so a new verb needs no change
// elsewhere: main() adds every registered verb to the command line in order.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace heart::cli {

// What the verbs share: the global options, and the exit code the verb that
// ran leaves for main() to return.
struct CliContext {
  std::string pluginPath;  // --plugin; empty: the built module
  int exitCode = 0;
};

struct Verb {
  int order;  // position in the help listing
  void (*add)(CLI::App& app, CliContext& context);
};

class VerbRegistry {
 public:
  static bool add(Verb verb);
  // In their order.
  static std::vector<Verb> all();
};

// The exit codes of `heart`.
enum ExitCode : int {
  kExitDone = 0,       // the verb did its work
  kExitFailure = 1,    // it failed (a file, the plug-in, the drawing); nothing was written
  kExitUsage = 2,      // the command line was faulty; nothing ran
  kExitCancelled = 3,  // the options dialog was cancelled; nothing was written
};

// Prints "heart <verb>: <message>" on the error stream, control characters
// shown escaped, and answers kExitFailure.
int reportFailure(const std::string& verb, const std::string& message);

// The same for a faulty command line: answers kExitUsage.
int reportUsageError(const std::string& verb, const std::string& message);

// Prints "heart <verb>: <message>" on the error stream, escaped, as a remark
// that does not end the verb.
void reportNote(const std::string& verb, const std::string& message);

// Text as it may safely be shown on a terminal: control characters and bytes
// that are not UTF-8 written as \n, \t, \xHH; a backslash stays as it is.
std::string printable(const std::string& text);

}  // namespace heart::cli

#define HEART_CLI_CONCAT_INNER(a, b) a##b
#define HEART_CLI_CONCAT(a, b) HEART_CLI_CONCAT_INNER(a, b)
// Registers `addFunction` (void(CLI::App&, CliContext&)) as a verb.
#define HEART_CLI_VERB(order, addFunction)                             \
  static const bool HEART_CLI_CONCAT(heartVerbRegistered_, __LINE__) = \
      ::heart::cli::VerbRegistry::add(::heart::cli::Verb{order, addFunction})
