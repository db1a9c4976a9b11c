// One use of the heart filter from the command line: a host with a new
// document, the stored record handed to the filter, the options dialog run
// with the user's actions, Go, the drawing saved, and the record stored again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "application/host.h"
#include "core/output_file.h"
#include "dialog_actions.h"
#include "dialog_manager/event_source.h"
#include "drawing/drawing.h"
#include "export/png_size.h"
#include "export/svg_export.h"
#include "output_format.h"
#include "plugin/host/suites.h"
#include "plugin/params/parameter_record.h"
#include "record_edits.h"

namespace heart::cli {

struct SessionOptions {
  std::string verb;  // for messages: "run", "dialog"
  // The host: the module to load, the new document and the random seed
  // (none: seeded from the clock).
  HostOptions host;
  // The current paint for new art.
  std::optional<AIColor> fill;
  std::optional<AIColor> stroke;
  std::optional<float> strokeWidth;
  // Instead of the seed, a file of random values used in order, or the
  // values themselves (from a drawing).
  std::string randomValuesFile;
  std::vector<float> randomValues;
  // Values drawn from the seed or sequence before the session starts: a
  // drawing's run taken up where it began.
  uint64_t randomDraws = 0;
  // The stored record: its file (empty: none), whether it is read before
  // the dialog and saved after a confirmed one, a record used instead of the
  // stored one (from a drawing), and the --set edits, made before the dialog
  // opens and again on top of what the dialog's actions did.
  std::string recordPath;
  bool readRecord = true;
  bool saveRecord = true;
  std::optional<ParameterRecord> record;
  std::vector<FieldEdit> edits;
  // Say nothing about the stored record.
  bool quiet = false;
  // The files the session reads besides the stored record (a script, a
  // drawing, random values): never written over.
  std::vector<NamedInput> inputs;
  // The user's actions in the options dialog; confirmed when they run out.
  std::vector<DialogAction> actions;
  // The actions came from the command line's own options (--preset, --tumble):
  // one the dialog refuses is a faulty command line.
  bool actionsFromOptions = false;
  // An interactive front end that supplies the actions instead: it is handed
  // the host once the document is ready, just before the dialog runs.
  std::function<EventSource&(Host&)> frontEnd;
  // The designer's drawing that is the current document (--open, --edit):
  // the document's page and front view are its own, and the SVG written is
  // the drawing with the hearts inserted (in place of the group heartGroups
  // [editGroup] with --edit).
  std::shared_ptr<const Drawing> drawing;
  std::optional<size_t> editGroup;
  // Where the drawing goes ("-": the standard output), and in what format.
  std::string output = "hearts.svg";
  OutputFormat format = OutputFormat::Svg;
  // How an SVG lays out its art (one layer per pen with --layers-by-colour).
  SvgLayout svgLayout;
  // How large a PNG is, and whether its page is white (--dpi, --width,
  // --height, --background).
  PngOptions png;
  // A picture of the page for a batch's contact sheet, at most cellSize
  // pixels a side, written beside the drawing (none when empty).
  std::string cellPicture;
  int cellSize = 0;
};

// Checks, before anything runs, that neither the drawing nor the stored
// record would be written over a file the session reads. A front end that
// starts something of its own (a server, a window) checks first, so that a
// refused session starts nothing.
Result<void> refuseOverwritingInputs(const SessionOptions& options);

// Runs the session. Answers the exit code: kExitDone when the drawing was
// written, kExitCancelled when the dialog was cancelled, kExitUsage when the
// output would overwrite an input, kExitFailure with a message on the error
// stream otherwise. Nothing is written when anything fails before the drawing
// is complete.
int runFilterSession(const SessionOptions& options);

// The drawing OK would write in `format`, through the same writers as the
// output, while the dialog is still open: the document as it stands (the
// preview's hearts) with `confirmed` as the run's record, the record as a
// confirmed dialog leaves it. Refused when the --set edits, made again after
// the dialog, would change the record: OK would then draw afresh.
Result<std::string> drawingOfThePreview(const SessionOptions& options, Host& host,
                                        const ParameterRecord& confirmed, OutputFormat format);

// The stored record, when the options read one and its file is there
// (saying which, unless quiet); none otherwise. A failure for a file that
// cannot be read or holds a faulty record.
Result<std::optional<ParameterRecord>> readStoredRecord(const SessionOptions& options);

}  // namespace heart::cli
