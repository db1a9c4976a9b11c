// `heart`: the command line of the heart filter's host.
#include <CLI/CLI.hpp>

#include "application/host.h"
#include "cli_verbs.h"

#ifndef HEART_VERSION
#define HEART_VERSION "1.4.0"
#endif

int main(int argc, char** argv) {
  heart::cli::CliContext context;
  CLI::App app{"Draws hearts into a vector drawing through the Heart filter plug-in.", "heart"};
  app.set_version_flag("--version", "heart " HEART_VERSION, "Print the version and exit");
  app.add_option("--plugin", context.pluginPath,
                 "The plug-in module, or a folder of modules, to load (default: "
                 "$HEART_PLUGIN_PATH, else the plug-in folder installed with heart, else " +
                     heart::Host::defaultPluginPath() + ")");
  app.require_subcommand(1);
  app.fallthrough();
  for (const heart::cli::Verb& verb : heart::cli::VerbRegistry::all()) verb.add(app, context);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help and --version end the parse too; they are not errors.
    int printed = app.exit(e);
    return printed == 0 ? heart::cli::kExitDone : heart::cli::kExitUsage;
  }
  return context.exitCode;
}
