// The options that `heart run` and `heart dialog` share: the document, the
// current paint, the random source, the stored record and the output.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "filter_session.h"

namespace heart::cli {

// The options as typed, before they are checked.
struct SessionArguments {
  std::string output = "hearts.svg";
  std::string format;
  bool quiet = false;
  bool saveRecord = false;
  std::string recordPath;
  bool noRecord = false;
  std::vector<std::string> edits;
  std::optional<uint32_t> seed;
  std::string randomValuesFile;
  std::string page;
  std::string colorModel;
  std::string fill, stroke;
  std::optional<float> strokeWidth;
  std::string from;
};

void addSessionOptions(CLI::App& verb, SessionArguments& arguments);

// Checks the arguments and fills the session's options. Answers kExitDone,
// or with *error naming the fault: kExitUsage for a faulty argument,
// kExitFailure for a file named by one (--from) that cannot be used.
int sessionFromArguments(const SessionArguments& arguments, SessionOptions* options,
                         std::string* error);

}  // namespace heart::cli
