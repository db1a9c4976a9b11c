// `heart filters`: the filters the plug-in registers at Startup.
#include <iomanip>
#include <iostream>

#include "cli_verbs.h"
#include "services/filter_registry.h"
#include "terminal_host.h"

namespace heart::cli {
namespace {

int listFilters(const CliContext& context) {
  Result<TerminalHost> started = startTerminalHost(context.pluginPath);
  if (!started) return reportFailure("filters", started.error());
  TerminalHost terminal = std::move(*started);
  std::vector<const Filter*> filters = terminal.host->filters().filters();
  size_t width = std::string("CATEGORY").size();
  for (const Filter* filter : filters) width = std::max(width, filter->category.size());
  std::cout << std::left << std::setw(static_cast<int>(width + 2)) << "CATEGORY"
            << "TITLE\n";
  for (const Filter* filter : filters)
    std::cout << std::left << std::setw(static_cast<int>(width + 2)) << filter->category
              << filter->title << "\n";
  return 0;
}

void addFiltersVerb(CLI::App& app, CliContext& context) {
  CLI::App* verb = app.add_subcommand("filters", "List the filters the plug-in registers");
  verb->callback([&context] { context.exitCode = listFilters(context); });
}

}  // namespace

HEART_CLI_VERB(10, addFiltersVerb);

}  // namespace heart::cli
