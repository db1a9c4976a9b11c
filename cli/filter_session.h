// One use of the heart filter from the command line: a host with a new
// document, the stored record handed to the filter, the options dialog run
// with the user's actions, Go, the drawing saved, and the record stored again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialog_actions.h"
#include "host/suites.h"
#include "params/parameter_record.h"

namespace heart::cli {

struct SessionOptions {
  std::string verb;        // for messages: "run", "dialog"
  std::string pluginPath;  // empty: the built module
  // The new document.
  float pageWidth = 612.0f;
  float pageHeight = 792.0f;
  int16_t colorModel = kDocRGBColor;
  std::optional<AIColor> fill;  // the current paint for new art
  std::optional<AIColor> stroke;
  std::optional<float> strokeWidth;
  // The random source: a seed, or a file of values used in order.
  std::optional<uint32_t> seed;
  std::string randomValuesFile;
  std::vector<float> randomValues;
  // The stored record: a file read before and written after a confirmed
  // dialog (empty: none), a record that replaces it (from a drawing), and
  // edits made to it before the run.
  std::string recordPath;
  std::optional<ParameterRecord> record;
  std::vector<std::string> edits;
  // The user's actions in the options dialog; confirmed when they run out.
  std::vector<DialogAction> actions;
  // Where the drawing goes: .svg or .png; empty: nowhere.
  std::string output;
};

// Runs the session. Answers the exit code: 0 when the drawing was written
// (or the user cancelled), 1 with a message on the error stream otherwise.
// Nothing is written when anything fails before the drawing is complete.
int runFilterSession(const SessionOptions& options);

}  // namespace heart::cli
