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
Result<std::optional<ParameterRecord>> resolveRecord(const SessionOptions& options, Host& host) {
  std::optional<ParameterRecord> record = options.record;
  if (!record) {
    Result<std::optional<ParameterRecord>> stored = readStoredRecord(options);
    if (!stored) return stored.failure();
    record = *stored;
  }
  if (!options.edits.empty()) {
    if (!record) record = defaultRecord(host.document().view(0).centre());
    applyFieldEdits(&*record, options.edits);
  }
  return record;
}

// The designer's drawing with the hearts in it: on a new layer or in the
// current layer as the record's newLayer says, or in place of the group
// that --edit names.
Result<std::string> drawingWithTheHearts(const SessionOptions& options, Host& host,
                                         const SvgMetadata& metadata, bool newLayer) {
  const Drawing& drawing = *options.drawing;
  Result<HeartsPlan> plan = options.editGroup ? planReplacedHearts(drawing, *options.editGroup)
                                              : planNewHearts(drawing, newLayer);
  if (!plan) return fail(plan.error() + "; nothing was written");
  Result<std::string> content =
      exportHeartsContent(host.document(), metadata,
                          [&plan](std::string_view base) { return plan->ids.take(base, true); });
  if (!content) return content.failure();
  return drawingWithHearts(drawing, *plan, *content);
}

Result<std::string> drawingBytesWith(const SessionOptions& options, Host& host,
                                     const std::optional<ParameterRecord>& record,
                                     OutputFormat format, const RenderProgress& progress) {
  SvgMetadata metadata;
  metadata.title = "Hearts";
  metadata.description = "Hearts drawn by the Heart filter 1.4.";
  if (record)
    if (Result<RecordJson> json = recordToJson(*record)) metadata.recordJson = json->dump();
  metadata.documentJson =
      documentSettingsJson(options.host.document, host.document().currentPaint());
  if (host.random().usingSequence())
    metadata.randomValues = host.random().sequence();
  else
    metadata.seed = host.random().seedValue();
  metadata.randomDraws = host.random().runStart();
  if (format == OutputFormat::Png) {
    Result<std::vector<unsigned char>> png = exportPng(host.document(), options.png, progress);
    if (!png) return png.failure();
    return std::string(png->begin(), png->end());
  }
  if (format == OutputFormat::Pdf) return exportPdf(host.document(), metadata);
  if (options.drawing)
    return drawingWithTheHearts(options, host, metadata, record && record->newLayer != 0);
  return exportSvg(host.document(), metadata, options.svgLayout);
}

Result<void> writeDrawing(const SessionOptions& options, Host& host) {
  std::optional<ParameterRecord> record;
  const Host::StoredBlock stored = host.storedRecord();
  if (stored.bytes)
    if (Result<ParameterRecord> read = recordFromBlock(stored.bytes, stored.size)) record = *read;
  Result<std::string> bytes =
      drawingBytesWith(options, host, record, options.format, terminalProgress(options.output));
  if (!bytes) return bytes.failure();
  return writeOutputFile(options.output, *bytes);
}

Result<void> storeRecord(const SessionOptions& options, Host& host) {
  const Host::StoredBlock stored = host.storedRecord();
  if (!options.saveRecord || options.recordPath.empty() || !stored.bytes) return {};
  Result<ParameterRecord> record = recordFromBlock(stored.bytes, stored.size);
  if (!record) return record.failure();
  std::filesystem::path folder = std::filesystem::path(options.recordPath).parent_path();
  std::error_code made;
  if (!folder.empty()) std::filesystem::create_directories(folder, made);
  if (Result<void> written = writeRecordFile(options.recordPath, *record); !written) return written;
  if (!options.quiet) reportNote(options.verb, "saved the stored record " + options.recordPath);
  return {};
}

// The --set edits once more, on top of what the dialog's presets, buttons
// and script did. When they change the confirmed record, the preview no
// longer shows it: Go is told to draw afresh. The confirmed record is
// checked first, as every record the edits go onto is.
Result<void> applyEditsAfterDialog(const SessionOptions& options, Host& host) {
  const Host::StoredBlock stored = host.storedRecord();
  if (options.edits.empty() || !stored.bytes) return {};
  Result<ParameterRecord> confirmed = recordFromBlock(stored.bytes, stored.size);
  if (!confirmed) return confirmed.failure();
  if (Result<void> checked = checkRecord(*confirmed); !checked) return checked;
  ParameterRecord edited = *confirmed;
  applyFieldEdits(&edited, options.edits);
  if (std::memcmp(&edited, &*confirmed, sizeof edited) == 0) return {};
  edited.previewDrawn = 0;
  if (!host.setStoredRecord(&edited, sizeof edited)) return fail(host.lastError());
  return {};
}

std::string pageText(float width, float height) {
  std::ostringstream text;
  text << width << "x" << height;
  return text.str();
}

}  // namespace

Result<std::string> drawingOfThePreview(const SessionOptions& options, Host& host,
                                        const ParameterRecord& confirmed, OutputFormat format) {
  if (!options.edits.empty()) {
    ParameterRecord edited = confirmed;
    applyFieldEdits(&edited, options.edits);
    if (std::memcmp(&edited, &confirmed, sizeof edited) != 0)
      return fail(
          "OK would draw these settings afresh with the values --set gives; set them in the "
          "dialog to save what OK writes");
  }
  return drawingBytesWith(options, host, confirmed, format, {});
}

Result<void> refuseOverwritingInputs(const SessionOptions& options) {
  std::vector<NamedInput> inputs = options.inputs;
  Result<void> refused;
  if (options.saveRecord)
    refused = refuseOverwritingInput(options.recordPath, "the stored record", inputs);
  if (refused) {
    if (options.readRecord || options.saveRecord)
      inputs.push_back({options.recordPath, "the stored record"});
    refused = refuseOverwritingInput(options.output, "the drawing", inputs);
  }
  return refused;
}

Result<std::optional<ParameterRecord>> readStoredRecord(const SessionOptions& options) {
  if (!options.readRecord || options.recordPath.empty()) return std::optional<ParameterRecord>();
  std::error_code ignored;
  if (!std::filesystem::exists(options.recordPath, ignored)) {
    if (!options.quiet)
      reportNote(options.verb,
                 "no stored record at " + options.recordPath + " yet; starting from the defaults");
    return std::optional<ParameterRecord>();
  }
  Result<ParameterRecord> stored = readRecordFile(options.recordPath);
  if (!stored) return stored.failure();
  if (Result<void> checked = checkRecord(*stored); !checked)
    return fail(options.recordPath + ": " + checked.error());
  if (!options.quiet) reportNote(options.verb, "read the stored record " + options.recordPath);
  return std::optional<ParameterRecord>(*stored);
}

int runFilterSession(const SessionOptions& options) {
  const std::string& verb = options.verb;
  if (Result<void> refused = refuseOverwritingInputs(options); !refused)
    return reportUsageError(verb, refused.error());
  // An output that cannot be written is refused before hearts are drawn.
  if (Result<void> folder = checkOutputFolder(options.output); !folder)
    return reportFailure(verb, folder.error());
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

  Result<std::optional<ParameterRecord>> resolved = resolveRecord(options, *host);
  if (!resolved) return reportFailure(verb, resolved.error());
  const std::optional<ParameterRecord>& record = *resolved;

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
  if (!rejected.empty())
    return options.actionsFromOptions ? reportUsageError(verb, rejected + "; nothing was written")
                                      : reportFailure(verb, rejected + "; nothing was written");
  if (parameters == kCanceledErr) {
    reportNote(verb, "the options dialog was cancelled; nothing was written");
    return kExitCancelled;
  }
  if (parameters != kNoErr)
    return reportFailure(
        verb, "the options dialog answered " + resultText(parameters) + "; nothing was written");
  if (Result<void> applied = applyEditsAfterDialog(options, *host); !applied)
    return reportFailure(verb, applied.error());
  if (ASErr result = host->go())
    return reportFailure(
        verb, "drawing the hearts failed with " + resultText(result) + "; nothing was written");
  if (!artMeetsPage(host->document()))
    reportNote(verb,
               "warning: no part of the hearts lies on the " +
                   pageText(options.host.document.pageWidth, options.host.document.pageHeight) +
                   " page; the drawing shows an empty page (see --page, centerX, centerY)");
  if (!options.output.empty())
    if (Result<void> written = writeDrawing(options, *host); !written)
      return reportFailure(verb, written.error());
  if (!options.cellPicture.empty())
    if (Result<void> cell =
            writePagePicture(host->document(), options.cellSize, options.cellPicture);
        !cell)
      return reportFailure(verb, "the contact sheet's picture: " + cell.error());
  if (Result<void> saved = storeRecord(options, *host); !saved)
    return reportFailure(verb, saved.error());
  host->shutdown();
  return 0;
}

}  // namespace heart::cli
