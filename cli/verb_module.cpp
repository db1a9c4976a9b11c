// `heart module [FILE]`: what a module file holds, read without running it:
// kind, machine, entry point, exports and imports, resources with their ids
// and sizes, and version strings. Works for modules this host cannot run.
#include <filesystem>
#include <iostream>

#include "application/host.h"
#include "cli_verbs.h"
#include "module/module_summary.h"
#include "plugin_location.h"

namespace heart::cli {
namespace {

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
  return out.empty() ? "none" : out;
}

int showModule(const std::string& file, const CliContext& context) {
  std::string located = pluginLocation(context.pluginPath);
  std::string path = !file.empty() ? file : !located.empty() ? located : Host::defaultPluginPath();
  // A plug-in folder stands for the module in it.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec))
    path = (std::filesystem::path(path) / "Norv_Heart.aip").string();
  Result<ModuleSummary> summary = summarizeModule(path);
  if (!summary) return reportFailure("module", summary.error());
  std::cout << path << "\n  kind: " << summary->kind << "\n  machine: " << summary->machine
            << "\n  entry point: "
            << (summary->entryPoint.empty() ? "none (" + summary->problem + ")"
                                            : summary->entryPoint)
            << "\n";
  if (summary->kind.rfind("PE", 0) == 0)
    std::cout << "  exports: " << joined(summary->exports)
              << "\n  imports: " << joined(summary->imports) << "\n";
  std::cout << "  resources: " << summary->resources.size() << "\n";
  for (const ModuleSummary::Resource& resource : summary->resources)
    std::cout << "    " << resource.type << " " << resource.id << ": " << resource.size
              << " bytes\n";
  if (!summary->versionStrings.empty()) std::cout << "  version:\n";
  for (const auto& [key, value] : summary->versionStrings)
    std::cout << "    " << key << ": " << value << "\n";
  return summary->entryPoint.empty() ? 1 : 0;
}

void addModuleVerb(CLI::App& app, CliContext& context) {
  CLI::App* verb = app.add_subcommand(
      "module", "Show what a module file holds (any platform's), without running it");
  static std::string file;
  verb->add_option("file", file, "The module file (default: the plug-in this host loads)");
  verb->callback([&context] { context.exitCode = showModule(file, context); });
}

}  // namespace

HEART_CLI_VERB(70, addModuleVerb);

}  // namespace heart::cli
