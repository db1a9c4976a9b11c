// A host for the command line: its dialogs are printed to the terminal as
// they open and are confirmed by a scripted event source, and plain alerts
// are printed to the error stream.
#pragma once

#include <memory>
#include <string>

#include "application/host.h"
#include "core/result.h"
#include "dialog_manager/event_source.h"

namespace heart::cli {

struct TerminalHost {
  std::unique_ptr<ScriptedEventSource> events;  // empty: every dialog is confirmed
  std::unique_ptr<Host> host;
};

// A host with the module(s) at `pluginPath` loaded and started, or why it
// cannot be had.
Result<TerminalHost> startTerminalHost(const std::string& pluginPath);

}  // namespace heart::cli
