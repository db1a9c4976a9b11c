#include "terminal_host.h"

#include <iostream>

#include "core/alert_sink.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_presenter.h"
#include "plugin_location.h"
#include "result_text.h"

namespace heart::cli {

Result<TerminalHost> startTerminalHost(const std::string& pluginPath) {
  TerminalHost terminal;
  HostOptions options;
  options.pluginPath = pluginLocation(pluginPath);
  auto host = std::make_unique<Host>(options);
  if (Result<void> loaded = host->load(); !loaded) return loaded.failure();
  host->alerts().setStream(&std::cerr);
  host->dialogs().setPresenter(std::make_unique<TerminalPresenter>(std::cout));
  terminal.events = std::make_unique<ScriptedEventSource>();
  host->dialogs().setEventSource(terminal.events.get());
  if (ASErr result = host->startup())
    return fail("the plug-in's Startup failed with " + resultText(result));
  terminal.host = std::move(host);
  return terminal;
}

}  // namespace heart::cli
