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

// Prints "heart <verb>: <message>" on the error stream and answers 1, the
// exit code of a failed verb.
int reportFailure(const std::string& verb, const std::string& message);

}  // namespace heart::cli

#define HEART_CLI_CONCAT_INNER(a, b) a##b
#define HEART_CLI_CONCAT(a, b) HEART_CLI_CONCAT_INNER(a, b)
// Registers `addFunction` (void(CLI::App&, CliContext&)) as a verb.
#define HEART_CLI_VERB(order, addFunction)                             \
  static const bool HEART_CLI_CONCAT(heartVerbRegistered_, __LINE__) = \
      ::heart::cli::VerbRegistry::add(::heart::cli::Verb{order, addFunction})
