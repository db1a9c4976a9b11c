// The options that `heart run`, `heart dialog` and `heart studio` share: the
// document, the current paint, the random source, the stored record and the
// output.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "filter_session.h"

namespace heart::cli {

// The options as typed. Those that are their own value go straight into the
// session's options; the others stay text until they are checked.
struct SessionArguments {
  SessionOptions options;
  std::string format;
  bool saveRecord = false;
  std::string recordPath;
  bool noRecord = false;
  std::vector<std::string> edits;
  std::string page;
  std::string colorModel;
  std::string fill, stroke;
  std::string swatches;
  std::string from;
  std::string open, edit;
  std::string settings;
  std::string background;
};

void addSessionOptions(CLI::App& verb, SessionArguments& arguments);

// Checks the typed text and completes arguments->options with it. Answers
// kExitDone, or reports the fault as `verb`'s and answers kExitUsage for a
// faulty argument, kExitFailure for a file named by one (--from) that cannot
// be used.
int completeSessionOptions(SessionArguments* arguments, const std::string& verb);

}  // namespace heart::cli
