// `heart record`: stored parameter records (340 bytes) and their JSON form.
//   heart record defaults -o FILE     a record holding the defaults
//   heart record show FILE            the record's fields as JSON
//   heart record pack FILE.json -o FILE   JSON back into the record's bytes
// A faulty input is reported naming the field; nothing is written then. The
// output is never the input file, whatever it is called (checked by device
// and inode before anything is read).
#include <iostream>

#include "cli_verbs.h"
#include "core/output_file.h"
#include "document/document.h"
#include "records/record_defaults.h"
#include "records/record_file.h"
#include "records/record_json.h"

namespace heart::cli {
namespace {

struct RecordOptions {
  std::string input;
  std::string output;
  float pageWidth = 612.0f;
  float pageHeight = 792.0f;
};

int writeDefaults(const RecordOptions& options) {
  // The centre follows the front view of a new document of this size, as
  // when the plug-in makes its first record.
  const DocumentSettings settings{options.pageWidth, options.pageHeight, kDocRGBColor, {}};
  if (Result<void> checked = Document::check(settings); !checked)
    return reportFailure("record defaults", checked.error());
  const AIRealPoint centre = Document(settings).view(0).centre();
  if (Result<void> written = writeRecordFile(options.output, defaultRecord(centre)); !written)
    return reportFailure("record defaults", written.error());
  return 0;
}

int showRecord(const RecordOptions& options) {
  if (Result<void> refused =
          refuseOverwritingInput(options.output, "the output", {{options.input, "the record"}});
      !refused)
    return reportUsageError("record show", refused.error());
  Result<ParameterRecord> record = readRecordFile(options.input);
  if (!record) return reportFailure("record show", record.error());
  Result<RecordJson> json = recordToJson(*record);
  if (!json) return reportFailure("record show", options.input + ": " + json.error());
  std::string text = json->dump(2) + "\n";
  if (options.output.empty() || options.output == kStandardOutputName) {
    std::cout << text;
    return 0;
  }
  if (Result<void> written = writeFileAtomically(options.output, text); !written)
    return reportFailure("record show", written.error());
  return 0;
}

int packRecord(const RecordOptions& options) {
  if (Result<void> refused =
          refuseOverwritingInput(options.output, "the output", {{options.input, "the JSON"}});
      !refused)
    return reportUsageError("record pack", refused.error());
  Result<std::string> text = readWholeFile(options.input);
  if (!text) return reportFailure("record pack", text.error());
  Result<ParameterRecord> record = recordFromJsonText(*text);
  if (!record) return reportFailure("record pack", options.input + ": " + record.error());
  if (Result<void> written = writeRecordFile(options.output, *record); !written)
    return reportFailure("record pack", written.error());
  return 0;
}

void addRecordVerb(CLI::App& app, CliContext& context) {
  auto options = std::make_shared<RecordOptions>();
  CLI::App* verb =
      app.add_subcommand("record", "Write, show and pack stored parameter records (340 bytes)");
  verb->require_subcommand(1);

  CLI::App* defaults = verb->add_subcommand("defaults", "Write a record holding the defaults");
  defaults->add_option("-o,--output", options->output, "The record file to write")->required();
  defaults->add_option("--page-width", options->pageWidth,
                       "Page width in points of the document whose view centre the record "
                       "follows (default 612)");
  defaults->add_option("--page-height", options->pageHeight, "Page height in points (default 792)");
  defaults->callback([&context, options] { context.exitCode = writeDefaults(*options); });

  CLI::App* show = verb->add_subcommand("show", "Show a stored record's fields as JSON");
  show->add_option("file", options->input, "The record file (340 bytes)")->required();
  show->add_option("-o,--output", options->output, "Write the JSON here instead of printing it");
  show->callback([&context, options] { context.exitCode = showRecord(*options); });

  CLI::App* pack = verb->add_subcommand("pack", "Turn a record's JSON back into its 340 bytes");
  pack->add_option("file", options->input, "The JSON file, as `record show` writes it")->required();
  pack->add_option("-o,--output", options->output, "The record file to write")->required();
  pack->callback([&context, options] { context.exitCode = packRecord(*options); });
}

}  // namespace

HEART_CLI_VERB(30, addRecordVerb);

}  // namespace heart::cli
