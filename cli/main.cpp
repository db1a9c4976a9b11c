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
                 "The plug-in module, or a folder of modules, to load (default: " +
                     heart::Host::defaultPluginPath() + ")");
  app.require_subcommand(1);
  app.fallthrough();
  for (const heart::cli::Verb& verb : heart::cli::VerbRegistry::all()) verb.add(app, context);
  CLI11_PARSE(app, argc, argv);
  return context.exitCode;
}
