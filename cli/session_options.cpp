#include "session_options.h"

#include <cctype>
#include <cmath>
#include <filesystem>

#include "cli_verbs.h"
#include "document_options.h"
#include "drawing/drawing.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "output_format.h"
#include "record_edits.h"
#include "records/record_json.h"
#include "swatches/drawing_swatches.h"
#include "swatches/palette_file.h"

namespace heart::cli {

void addSessionOptions(CLI::App& verb, SessionArguments& arguments) {
  verb.add_option("-o,--output", arguments.options.output,
                  "The drawing to write: FILE.svg or FILE.png (the extension in any case), or - "
                  "for the standard output")
      ->capture_default_str();
  verb.add_option("--format", arguments.format,
                  "Write this format whatever the output's name: svg, png or pdf");
  verb.add_flag("-q,--quiet", arguments.options.quiet,
                "Do not say which stored record was read or saved");
  verb.add_option("--record", arguments.recordPath,
                  "The stored parameter record, read before and saved after a confirmed dialog "
                  "(default: $HEART_RECORD or " +
                      defaultRecordPath() + ")");
  verb.add_flag("--layers-by-colour", arguments.options.svgLayout.layersByColour,
                "SVG for a pen plotter: one Inkscape layer per stroke colour, labelled \"1 "
                "#e4e453\" and so on in the order of first use, fills dropped");
  verb.add_flag("--keep-fills", arguments.options.svgLayout.keepFills,
                "With --layers-by-colour: keep the fills, and put paths without a stroke on a "
                "last layer \"N none\"");
  verb.add_flag("--no-record", arguments.noRecord,
                "Neither read nor save a stored record: start from the defaults");
  verb.add_flag("--save-record", arguments.saveRecord,
                "With --from or --edit: save the drawing's record as the stored record too");
  verb.add_option("--set", arguments.edits,
                  "Set a field of the record: FIELD=VALUE (repeatable), e.g. heartCount=20, "
                  "dropShadow=true, shapeTweaks[3]=12. Applied before the dialog opens and "
                  "again after its presets, buttons and script, so the value given here is "
                  "the one drawn (`heart fields` lists the fields)");
  verb.add_option("--seed", arguments.options.host.seed,
                  "Seed of the random source, for a reproducible run");
  verb.add_option("--random-values", arguments.options.randomValuesFile,
                  "A file of random values from 0 to 1, one a line, used in order instead of "
                  "the seeded source (started over when used up)");
  verb.add_option("--page", arguments.page, "Page size of the new document in points: WxH")
      ->default_str("612x792");
  verb.add_option("--color-model", arguments.colorModel,
                  "Colour model of the new document: gray, rgb or cmyk")
      ->default_str("rgb");
  verb.add_option("--fill", arguments.fill,
                  "Fill of new hearts: none, gray:G, rgb:R,G,B, cmyk:C,M,Y,K (0 to 1), #rrggbb, "
                  "#rgb, rgb(R G B) (0 to 255 or %), device-cmyk(C M Y K) or a CSS colour name "
                  "(default white)");
  verb.add_option("--stroke", arguments.stroke, "Stroke of new hearts, as --fill (default black)");
  verb.add_option("--swatches", arguments.swatches,
                  "The document's swatches from a palette: a GIMP or Inkscape palette (.gpl), "
                  "a list of colours one a line (.txt, .hex), CSS custom properties (.css) or "
                  "an SVG drawing's solid swatches (.svg, .svgz); after [None] and "
                  "[Registration], in the file's order. Without it, a drawing given with "
                  "--open or --edit lends its own solid swatches (`heart swatches` lists them)");
  verb.add_option("--stroke-width", arguments.options.strokeWidth,
                  "Stroke width of new hearts in points (default 1)");
  verb.add_option("--open", arguments.open,
                  "Draw into this SVG drawing (.svg or .svgz) as the current document: its page, "
                  "its front view (sodipodi:namedview) and, with -o FILE.svg, the drawing written "
                  "with the hearts added as one group, on a new layer \"Hearts\" or at the end of "
                  "the current layer as newLayer says; everything else stays byte for byte");
  verb.add_option("--edit", arguments.edit,
                  "As --open, but redraw the last group of hearts in this drawing: its record and "
                  "random seed or values are the run's, and the new hearts replace it in place");
  verb.add_option("--from", arguments.from,
                  "Draw the same hearts as an SVG or PDF this command wrote: its record and its "
                  "random seed or values. The stored record is neither read nor replaced "
                  "(unless --save-record)");
}

namespace {

// The run recorded in a drawing: its record, and its page, colour model,
// paint and random seed or values where the command line gives none.
// `keepPage` leaves the page alone (it is the opened drawing's).
int takeRunRecord(SessionArguments* arguments, const SvgMetadata& metadata, const std::string& file,
                  bool keepPage, std::string* error) {
  SessionOptions& options = arguments->options;
  DocumentSettings& document = options.host.document;
  if (metadata.recordJson.empty()) {
    *error = file + " carries no parameter record";
    return kExitFailure;
  }
  Result<ParameterRecord> record = recordFromJsonText(metadata.recordJson);
  if (!record) {
    *error = file + ": " + record.error();
    return kExitFailure;
  }
  options.record = *record;
  if (!metadata.documentJson.empty()) {
    DrawingSettings settings;
    if (!parseDocumentSettingsJson(metadata.documentJson, &settings, error)) {
      *error = file + ": " + *error;
      return kExitFailure;
    }
    if (arguments->page.empty() && !keepPage) {
      document.pageWidth = settings.document.pageWidth;
      document.pageHeight = settings.document.pageHeight;
    }
    if (arguments->colorModel.empty()) document.colorModel = settings.document.colorModel;
    if (arguments->fill.empty()) options.fill = settings.fill;
    if (arguments->stroke.empty()) options.stroke = settings.stroke;
    if (!options.strokeWidth) options.strokeWidth = settings.strokeWidth;
  }
  if (!options.host.seed && options.randomValuesFile.empty()) {
    options.host.seed = metadata.seed;
    options.randomValues = metadata.randomValues;
    options.randomDraws = metadata.randomDraws;
  }
  return kExitDone;
}

bool isPdfName(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".pdf";
}

// --open and --edit: the drawing becomes the document, its page the page.
int openDrawingOption(SessionArguments* arguments, std::string* error) {
  SessionOptions& options = arguments->options;
  bool editing = !arguments->edit.empty();
  const std::string& file = editing ? arguments->edit : arguments->open;
  const std::string option = editing ? "--edit" : "--open";
  if (!arguments->page.empty()) {
    *error = "--page cannot be given with " + option + ": the page is the drawing's";
    return kExitUsage;
  }
  if (editing && !arguments->from.empty()) {
    *error = "--from cannot be given with --edit: the run is the drawing's own";
    return kExitUsage;
  }
  options.inputs.push_back({file, "the drawing given with " + option});
  Result<Drawing> drawing = openDrawing(file);
  if (!drawing) {
    *error = drawing.error();
    return kExitFailure;
  }
  DocumentSettings& document = options.host.document;
  document.pageWidth = static_cast<float>(drawing->pageSize.x);
  document.pageHeight = static_cast<float>(drawing->pageSize.y);
  if (!checkPageSize(document.pageWidth, document.pageHeight, error)) {
    *error = file + ": " + *error + "; nothing was written";
    return kExitFailure;
  }
  if (editing) {
    if (drawing->heartGroups.empty()) {
      *error = file +
               " holds no hearts that heart drew (a group whose first element is <metadata "
               "id=\"heart-run\">); give it with --open to add hearts; nothing was written";
      return kExitFailure;
    }
    options.editGroup = drawing->heartGroups.size() - 1;
    Result<SvgMetadata> metadata = parseRunRecord(drawing->heartGroups.back().runText);
    if (!metadata) {
      *error = file + ": the last group of hearts: " + metadata.error() + "; nothing was written";
      return kExitFailure;
    }
    if (int code = takeRunRecord(arguments, *metadata, file, true, error)) return code;
  }
  // Without --swatches, a drawing's own solid swatches are its swatch list.
  if (arguments->swatches.empty())
    if (DrawingPalette palette = paletteOfDrawing(*drawing); !palette.colours.empty())
      document.swatches = swatchListWithPalette(palette.colours);
  options.drawing = std::make_shared<const Drawing>(std::move(*drawing));
  return kExitDone;
}

}  // namespace

int completeSessionOptions(SessionArguments* arguments, std::string* error) {
  SessionOptions& options = arguments->options;
  DocumentSettings& document = options.host.document;
  if (!chooseOutputFormat(options.output, arguments->format, &options.format, error))
    return kExitUsage;
  if (!arguments->page.empty() &&
      !parsePageSize(arguments->page, &document.pageWidth, &document.pageHeight, error))
    return kExitUsage;
  if (!arguments->colorModel.empty() &&
      !parseColorModel(arguments->colorModel, &document.colorModel, error))
    return kExitUsage;
  AIColor color{};
  if (!arguments->fill.empty()) {
    if (!parsePaintColor(arguments->fill, &color, error)) {
      *error = "--fill: " + *error;
      return kExitUsage;
    }
    options.fill = color;
  }
  if (!arguments->stroke.empty()) {
    if (!parsePaintColor(arguments->stroke, &color, error)) {
      *error = "--stroke: " + *error;
      return kExitUsage;
    }
    options.stroke = color;
  }
  if (options.strokeWidth && !checkStrokeWidth(*options.strokeWidth, "--stroke-width", error))
    return kExitUsage;
  if (!arguments->swatches.empty()) {
    Result<std::vector<Swatch>> palette = readSwatchesFile(arguments->swatches);
    if (!palette) {
      *error = "--swatches: " + palette.error();
      return kExitFailure;
    }
    document.swatches = swatchListWithPalette(*palette);
    options.inputs.push_back({arguments->swatches, "the palette given with --swatches"});
  }
  const SvgLayout& layout = options.svgLayout;
  if (layout.keepFills && !layout.layersByColour) {
    *error = "--keep-fills goes with --layers-by-colour";
    return kExitUsage;
  }
  if (layout.layersByColour && options.format != OutputFormat::Svg) {
    *error = "--layers-by-colour lays out an SVG; the output " + options.output + " is not one";
    return kExitUsage;
  }
  if (layout.layersByColour && (!arguments->open.empty() || !arguments->edit.empty())) {
    *error =
        "--layers-by-colour lays out a drawing of heart's own; it cannot be given with "
        "--open or --edit";
    return kExitUsage;
  }
  if (arguments->noRecord && (arguments->saveRecord || !arguments->recordPath.empty())) {
    *error = "--no-record cannot be given with --record or --save-record";
    return kExitUsage;
  }
  const std::string& from = arguments->from;
  bool editing = !arguments->edit.empty();
  if (arguments->saveRecord && from.empty() && !editing) {
    *error = "--save-record goes with --from or --edit; without them the record is saved anyway";
    return kExitUsage;
  }
  if (editing && !arguments->open.empty()) {
    *error = "--open and --edit name the drawing twice; give one of them";
    return kExitUsage;
  }
  if (!arguments->noRecord)
    options.recordPath =
        arguments->recordPath.empty() ? defaultRecordPath() : arguments->recordPath;
  bool recorded = !from.empty() || editing;
  options.readRecord = !arguments->noRecord && !recorded;
  options.saveRecord = !arguments->noRecord && (!recorded || arguments->saveRecord);
  // The edits are read and checked now, once, so a faulty one stops the
  // command before anything runs.
  std::optional<std::vector<FieldEdit>> edits = parseFieldEdits(arguments->edits, error);
  if (!edits) {
    *error = "--set: " + *error;
    return kExitUsage;
  }
  options.edits = std::move(*edits);
  if (!options.randomValuesFile.empty())
    options.inputs.push_back({options.randomValuesFile, "the random values"});
  if (!from.empty()) {
    options.inputs.push_back({from, "the drawing given with --from"});
    Result<SvgMetadata> metadata = isPdfName(from) ? readPdfMetadata(from) : readSvgMetadata(from);
    if (!metadata) {
      *error = metadata.error();
      return kExitFailure;
    }
    // The drawing's page, colour model and paint, unless given again here
    // (or opened with --open).
    if (int code = takeRunRecord(arguments, *metadata, from, !arguments->open.empty(), error))
      return code;
  }
  if (!arguments->open.empty() || editing) return openDrawingOption(arguments, error);
  return kExitDone;
}

}  // namespace heart::cli
