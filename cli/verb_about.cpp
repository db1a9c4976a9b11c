// `heart about`: the plug-in's about box, printed to the terminal.
#include "cli_verbs.h"
#include "result_text.h"
#include "terminal_host.h"

namespace heart::cli {
namespace {

int showAbout(const CliContext& context) {
  Result<TerminalHost> started = startTerminalHost(context.pluginPath);
  if (!started) return reportFailure("about", started.error());
  TerminalHost terminal = std::move(*started);
  if (ASErr result = terminal.host->about())
    return reportFailure("about", "the plug-in answered " + resultText(result));
  return 0;
}

void addAboutVerb(CLI::App& app, CliContext& context) {
  CLI::App* verb = app.add_subcommand("about", "Show the plug-in's about box");
  verb->callback([&context] { context.exitCode = showAbout(context); });
}

}  // namespace

HEART_CLI_VERB(20, addAboutVerb);

}  // namespace heart::cli
