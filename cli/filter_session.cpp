#include "filter_session.h"

#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>

#include "action_event_source.h"
#include "application/host.h"
#include "cli_verbs.h"
#include "core/alert_sink.h"
#include "core/output_file.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_presenter.h"
#include "dialog_manager/dialog_state.h"
#include "document/document.h"
#include "document/random_source.h"
#include "document_options.h"
#include "drawing/drawing.h"
#include "export/pdf_export.h"
#include "export/png_export.h"
#include "export/svg_export.h"
#include "page_coverage.h"
#include "plugin/resources/resource_ids.h"
#include "record_edits.h"
#include "records/record_defaults.h"
#include "records/record_file.h"
#include "records/record_json.h"
#include "result_text.h"
#include "terminal_progress.h"

namespace heart::cli {
namespace {

// Prints alerts and the about box to the error stream, but not the options
// dialog, whose state a script prints on request.
class AlertPresenter : public DialogPresenter {
 public:
  void opened(const DialogState& dialog) override {
    if (dialog.resourceId != kOptionsDialogId) terminal_.opened(dialog);
  }

 private:
  TerminalPresenter terminal_{std::cerr};
};

void applyPaint(const SessionOptions& options, Document& document) {
  AIPathStyle paint = document.currentPaint();
  if (options.fill) {
    paint.fillColor = *options.fill;
    paint.fillPaint = options.fill->kind != kNoneColor;
  }
  if (options.stroke) {
    paint.strokeColor = *options.stroke;
    paint.strokePaint = options.stroke->kind != kNoneColor;
  }
  if (options.strokeWidth) paint.strokeWidth = *options.strokeWidth;
  document.setCurrentPaint(paint);
}

// The record handed to the filter: the given one, the stored file, or none
// (the filter then makes one with its defaults); then the edits.
bool resolveRecord(const SessionOptions& options, Host& host,
                   std::optional<ParameterRecord>* record, std::string* error) {
  *record = options.record;
  if (!*record && !readStoredRecord(options, record, error)) return false;
  if (!options.edits.empty()) {
    if (!*record) *record = defaultRecord(host.document().view(0).centre());
    applyFieldEdits(&**record, options.edits);
  }
  return true;
}

// The designer's drawing with the hearts in it: on a new layer or in the
// current layer as the record's newLayer says, or in place of the group
// that --edit names.
bool writeIntoDrawing(const SessionOptions& options, Host& host, const SvgMetadata& metadata,
                      std::string* error) {
  const Drawing& drawing = *options.drawing;
  bool newLayer = false;
  const Host::StoredBlock stored = host.storedRecord();
  if (stored.bytes)
    if (Result<ParameterRecord> record = recordFromBlock(stored.bytes, stored.size))
      newLayer = record->newLayer != 0;
  Result<HeartsPlan> plan = options.editGroup ? planReplacedHearts(drawing, *options.editGroup)
                                              : planNewHearts(drawing, newLayer);
  if (!plan) {
    *error = plan.error() + "; nothing was written";
    return false;
  }
  Result<std::string> content =
      exportHeartsContent(host.document(), metadata,
                          [&plan](std::string_view base) { return plan->ids.take(base, true); });
  if (!content) {
    *error = content.error();
    return false;
  }
  return writeOutputFile(options.output, drawingWithHearts(drawing, *plan, *content), error);
}

bool writeDrawing(const SessionOptions& options, Host& host, std::string* error) {
  SvgMetadata metadata;
  metadata.title = "Hearts";
  metadata.description = "Hearts drawn by the Heart filter 1.4.";
  const Host::StoredBlock stored = host.storedRecord();
  if (stored.bytes)
    if (Result<ParameterRecord> record = recordFromBlock(stored.bytes, stored.size))
      if (Result<RecordJson> json = recordToJson(*record)) metadata.recordJson = json->dump();
  metadata.documentJson =
      documentSettingsJson(options.host.document, host.document().currentPaint());
  if (host.random().usingSequence())
    metadata.randomValues = host.random().sequence();
  else
    metadata.seed = host.random().seedValue();
  metadata.randomDraws = host.random().runStart();
  if (options.format == OutputFormat::Png)
    return writePngFile(host.document(), options.output, error, terminalProgress(options.output));
  if (options.format == OutputFormat::Pdf) {
    if (Result<void> written = writePdfFile(host.document(), metadata, options.output); !written) {
      *error = written.error();
      return false;
    }
    return true;
  }
  if (options.drawing) return writeIntoDrawing(options, host, metadata, error);
  if (Result<void> written =
          writeSvgFile(host.document(), metadata, options.output, options.svgLayout);
      !written) {
    *error = written.error();
    return false;
  }
  return true;
}

bool storeRecord(const SessionOptions& options, Host& host, std::string* error) {
  const Host::StoredBlock stored = host.storedRecord();
  if (!options.saveRecord || options.recordPath.empty() || !stored.bytes) return true;
  Result<ParameterRecord> record = recordFromBlock(stored.bytes, stored.size);
  if (!record) {
    *error = record.error();
    return false;
  }
  std::filesystem::path folder = std::filesystem::path(options.recordPath).parent_path();
  std::error_code made;
  if (!folder.empty()) std::filesystem::create_directories(folder, made);
  if (Result<void> written = writeRecordFile(options.recordPath, *record); !written) {
    *error = written.error();
    return false;
  }
  if (!options.quiet) reportNote(options.verb, "saved the stored record " + options.recordPath);
  return true;
}

// The --set edits once more, on top of what the dialog's presets, buttons
// and script did. When they change the confirmed record, the preview no
// longer shows it: Go is told to draw afresh. The confirmed record is
// checked first, as every record the edits go onto is.
bool applyEditsAfterDialog(const SessionOptions& options, Host& host, std::string* error) {
  const Host::StoredBlock stored = host.storedRecord();
  if (options.edits.empty() || !stored.bytes) return true;
  Result<ParameterRecord> confirmed = recordFromBlock(stored.bytes, stored.size);
  if (!confirmed) {
    *error = confirmed.error();
    return false;
  }
  if (Result<void> checked = checkRecord(*confirmed); !checked) {
    *error = checked.error();
    return false;
  }
  ParameterRecord edited = *confirmed;
  applyFieldEdits(&edited, options.edits);
  if (std::memcmp(&edited, &*confirmed, sizeof edited) == 0) return true;
  edited.previewDrawn = 0;
  if (!host.setStoredRecord(&edited, sizeof edited)) {
    *error = host.lastError();
    return false;
  }
  return true;
}

std::string pageText(float width, float height) {
  std::ostringstream text;
  text << width << "x" << height;
  return text.str();
}

}  // namespace

bool refuseOverwritingInputs(const SessionOptions& options, std::string* error) {
  std::vector<NamedInput> inputs = options.inputs;
  if (options.saveRecord &&
      !refuseOverwritingInput(options.recordPath, "the stored record", inputs, error))
    return false;
  if (options.readRecord || options.saveRecord)
    inputs.push_back({options.recordPath, "the stored record"});
  return refuseOverwritingInput(options.output, "the drawing", inputs, error);
}

bool readStoredRecord(const SessionOptions& options, std::optional<ParameterRecord>* record,
                      std::string* error) {
  if (!options.readRecord || options.recordPath.empty()) return true;
  std::error_code ignored;
  if (!std::filesystem::exists(options.recordPath, ignored)) {
    if (!options.quiet)
      reportNote(options.verb,
                 "no stored record at " + options.recordPath + " yet; starting from the defaults");
    return true;
  }
  Result<ParameterRecord> stored = readRecordFile(options.recordPath);
  if (!stored) {
    *error = stored.error();
    return false;
  }
  if (Result<void> checked = checkRecord(*stored); !checked) {
    *error = options.recordPath + ": " + checked.error();
    return false;
  }
  *record = *stored;
  if (!options.quiet) reportNote(options.verb, "read the stored record " + options.recordPath);
  return true;
}

int runFilterSession(const SessionOptions& options) {
  const std::string& verb = options.verb;
  std::string error;
  if (!refuseOverwritingInputs(options, &error)) return reportUsageError(verb, error);
  Result<std::unique_ptr<Host>> made = Host::create(options.host);
  if (!made) return reportFailure(verb, made.error());
  std::unique_ptr<Host> host = std::move(*made);
  if (Result<void> loaded = host->load(); !loaded) return reportFailure(verb, loaded.error());
  host->alerts().setStream(&std::cerr);
  host->dialogs().setPresenter(std::make_unique<AlertPresenter>());

  if (!options.randomValuesFile.empty()) {
    if (Result<void> loaded = host->random().loadSequenceFile(options.randomValuesFile); !loaded)
      return reportFailure(verb, loaded.error());
  } else if (!options.randomValues.empty()) {
    host->random().useSequence(options.randomValues);
  }
  host->random().moveTo(options.randomDraws);
  applyPaint(options, host->document());
  if (options.drawing) {
    // The front view looks where the designer last looked, so the centre's
    // defaults put the hearts there.
    Document& document = host->document();
    const Drawing& drawing = *options.drawing;
    document.view(0).setCentre(AIRealPoint{static_cast<AIReal>(drawing.viewCentre.x),
                                           static_cast<AIReal>(drawing.viewCentre.y)});
    if (drawing.viewZoom) document.view(0).setZoom(static_cast<AIReal>(*drawing.viewZoom));
    document.setBackdropSvg(drawing.text);
  }

  std::optional<ParameterRecord> record;
  if (!resolveRecord(options, *host, &record, &error)) return reportFailure(verb, error);

  if (ASErr result = host->startup())
    return reportFailure(verb, "the plug-in's Startup answered " + resultText(result));
  if (record && !host->setStoredRecord(&*record, sizeof *record))
    return reportFailure(verb, host->lastError());

  ActionEventSource events(*host, options.actions, std::cout, std::cerr, verb);
  host->dialogs().setEventSource(options.frontEnd ? &options.frontEnd(*host) : &events);
  ASErr parameters = host->getParameters();
  // A rejected action cancels the dialog; say which one before anything else.
  std::string rejected = !events.error().empty() ? events.error() : host->dialogs().lastError();
  host->dialogs().setEventSource(nullptr);
  if (!rejected.empty()) return reportFailure(verb, rejected + "; nothing was written");
  if (parameters == kCanceledErr) {
    reportNote(verb, "the options dialog was cancelled; nothing was written");
    return kExitCancelled;
  }
  if (parameters != kNoErr)
    return reportFailure(
        verb, "the options dialog answered " + resultText(parameters) + "; nothing was written");
  if (!applyEditsAfterDialog(options, *host, &error)) return reportFailure(verb, error);
  if (ASErr result = host->go())
    return reportFailure(
        verb, "drawing the hearts failed with " + resultText(result) + "; nothing was written");
  if (!artMeetsPage(host->document()))
    reportNote(verb,
               "warning: no part of the hearts lies on the " +
                   pageText(options.host.document.pageWidth, options.host.document.pageHeight) +
                   " page; the drawing shows an empty page (see --page, centerX, centerY)");
  if (!options.output.empty() && !writeDrawing(options, *host, &error))
    return reportFailure(verb, error);
  if (!options.cellPicture.empty()) {
    if (!writePagePicture(host->document(), options.cellSize, options.cellPicture, &error))
      return reportFailure(verb, "the contact sheet's picture: " + error);
  }
  if (!storeRecord(options, *host, &error)) return reportFailure(verb, error);
  host->shutdown();
  return 0;
}

}  // namespace heart::cli
