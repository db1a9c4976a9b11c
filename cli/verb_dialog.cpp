// `heart dialog --script FILE`: runs the options dialog with the actions of a
// script (see dialog_actions.h for the format), prints the dialog's state where
// the script asks, and after a confirmation runs Go and writes the drawing.
#include "cli_verbs.h"
#include "plugin_location.h"
#include "records/record_file.h"
#include "session_options.h"

namespace heart::cli {
namespace {

struct DialogArguments {
  SessionArguments session;
  std::string script;
};

void addDialogVerb(CLI::App& app, CliContext& context) {
  auto arguments = std::make_shared<DialogArguments>();
  CLI::App* verb = app.add_subcommand(
      "dialog", "Run the options dialog with the actions of a script, then draw the hearts");
  verb->add_option("--script", arguments->script,
                   "The script: one action a line (set, check, choose, press, page, pick, "
                   "print, confirm, cancel)")
      ->required();
  verb->footer(kDialogScriptHelp);
  addSessionOptions(*verb, arguments->session);
  verb->callback([arguments, &context] {
    SessionOptions& options = arguments->session.options;
    options.verb = "dialog";
    options.host.pluginPath = pluginLocation(context.pluginPath);
    if (int code = completeSessionOptions(&arguments->session, "dialog")) {
      context.exitCode = code;
      return;
    }
    Result<std::string> text = readWholeFile(arguments->script);
    if (!text) {
      context.exitCode = reportFailure("dialog", text.error());
      return;
    }
    Result<std::vector<DialogAction>> actions = parseDialogScript(*text);
    if (!actions) {
      context.exitCode = reportFailure("dialog", arguments->script + ": " + actions.error());
      return;
    }
    options.inputs.push_back({arguments->script, "the script"});
    options.actions = std::move(*actions);
    context.exitCode = runFilterSession(options);
  });
}

}  // namespace

HEART_CLI_VERB(50, addDialogVerb);

}  // namespace heart::cli
