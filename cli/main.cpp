// `heart`: the command line of the heart filter's host.
#include <CLI/CLI.hpp>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "application/host.h"
#include "cli_verbs.h"

#ifndef HEART_VERSION
#define HEART_VERSION "1.4.0"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Drawings written to the standard output ("-o -") must arrive byte for
  // byte, and text ends its lines with \n as on every other system.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  heart::cli::CliContext context;
  CLI::App app{"Draws hearts into a vector drawing through the Heart filter plug-in.", "heart"};
  app.set_version_flag("--version", "heart " HEART_VERSION, "Print the version and exit");
  app.add_option("--plugin", context.pluginPath,
                 "The plug-in module, or a folder of modules, to load (default: "
                 "$HEART_PLUGIN_PATH, else the plug-in folder installed with heart, else " +
                     heart::Host::defaultPluginPath() + ")");
  // A path such as /tmp/h.svg is an argument, never a Windows-style /option.
  app.allow_windows_style_options(false);
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
