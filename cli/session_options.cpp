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
#include "records/named_settings.h"
#include "records/record_json.h"
#include "swatches/drawing_swatches.h"
#include "swatches/palette_file.h"

namespace heart::cli {

void addSessionOptions(CLI::App& verb, SessionArguments& arguments) {
  verb.add_option("-o,--output", arguments.options.output,
                  "The drawing to write: FILE.svg, FILE.png or FILE.pdf (the extension in any "
                  "case), or - for the standard output")
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
  CLI::Option* dpi =
      verb.add_option("--dpi", arguments.options.png.dpi,
                      "PNG resolution in pixels an inch (default 72: one pixel a point; "
                      "300 makes a letter page 2550 x 3300)")
          ->check(CLI::PositiveNumber);
  CLI::Option* width =
      verb.add_option("--width", arguments.options.png.width,
                      "PNG width in pixels, the height following the page's proportions")
          ->check(CLI::PositiveNumber)
          ->excludes(dpi);
  verb.add_option("--height", arguments.options.png.height,
                  "PNG height in pixels, the width following the page's proportions (with "
                  "--width: the page fits inside both)")
      ->check(CLI::PositiveNumber)
      ->excludes(dpi);
  (void)width;
  verb.add_option("--background", arguments.background,
                  "Under a PNG's art: white (the default) or none (transparent)");
  verb.add_flag("--no-record", arguments.noRecord,
                "Neither read nor save a stored record: start from the defaults");
  verb.add_flag("--save-record", arguments.saveRecord,
                "With --from or --edit: save the drawing's record as the stored record too");
  verb.add_option("--set", arguments.edits,
                  "Set a field of the record: FIELD=VALUE (repeatable), e.g. heartCount=20, "
                  "dropShadow=true, shapeTweaks[3]=12. Applied before the dialog opens and "
                  "again after its presets, buttons and script, so the value given here is "
                  "the one drawn (`heart fields` lists the fields)");
  verb.add_option("--settings", arguments.settings,
                  "Start from the designer's settings saved under this name (Heart Studio's "
                  "\"Save settings...\") instead of the stored record");
  verb.add_option("--seed", arguments.options.host.seed,
                  "Seed of the random source, for a reproducible run");
  verb.add_option("--random-values", arguments.options.randomValuesFile,
                  "A file of random values from 0 to 1, one a line, used in order instead of "
                  "the seeded source (started over when used up)");
  verb.add_option("--page", arguments.page,
                  "Page size of the new document: WxH in points, or with a unit (210x297mm, "
                  "8.5x11in, 1200x800px), or a paper: letter, legal, tabloid, A3 to A6, each "
                  "also -landscape")
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
                  bool keepPage, const std::string& verb) {
  SessionOptions& options = arguments->options;
  DocumentSettings& document = options.host.document;
  if (metadata.recordJson.empty()) {
    return reportFailure(verb, file + " carries no parameter record");
  }
  Result<ParameterRecord> record = recordFromJsonText(metadata.recordJson);
  if (!record) {
    return reportFailure(verb, file + ": " + record.error());
  }
  options.record = *record;
  if (!metadata.documentJson.empty()) {
    Result<DrawingSettings> read = parseDocumentSettingsJson(metadata.documentJson);
    if (!read) return reportFailure(verb, file + ": " + read.error());
    const DrawingSettings& settings = *read;
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
int openDrawingOption(SessionArguments* arguments, const std::string& verb) {
  SessionOptions& options = arguments->options;
  bool editing = !arguments->edit.empty();
  const std::string& file = editing ? arguments->edit : arguments->open;
  const std::string option = editing ? "--edit" : "--open";
  if (!arguments->page.empty()) {
    return reportUsageError(
        verb, "--page cannot be given with " + option + ": the page is the drawing's");
  }
  if (editing && !arguments->from.empty()) {
    return reportUsageError(verb,
                            "--from cannot be given with --edit: the run is the drawing's own");
  }
  options.inputs.push_back({file, "the drawing given with " + option});
  Result<Drawing> drawing = openDrawing(file);
  if (!drawing) {
    return reportFailure(verb, drawing.error());
  }
  DocumentSettings& document = options.host.document;
  document.pageWidth = static_cast<float>(drawing->pageSize.x);
  document.pageHeight = static_cast<float>(drawing->pageSize.y);
  if (Result<void> page = checkPageSize(document.pageWidth, document.pageHeight); !page)
    return reportFailure(verb, file + ": " + page.error() + "; nothing was written");
  if (editing) {
    if (drawing->heartGroups.empty()) {
      return reportFailure(
          verb, file +
                    " holds no hearts that heart drew (a group whose first element is <metadata "
                    "id=\"heart-run\">); give it with --open to add hearts; nothing was written");
    }
    options.editGroup = drawing->heartGroups.size() - 1;
    Result<SvgMetadata> metadata = parseRunRecord(drawing->heartGroups.back().runText);
    if (!metadata) {
      return reportFailure(
          verb, file + ": the last group of hearts: " + metadata.error() + "; nothing was written");
    }
    if (int code = takeRunRecord(arguments, *metadata, file, true, verb)) return code;
  }
  // Without --swatches, a drawing's own solid swatches are its swatch list.
  if (arguments->swatches.empty())
    if (DrawingPalette palette = paletteOfDrawing(*drawing); !palette.colours.empty())
      document.swatches = swatchListWithPalette(palette.colours);
  options.drawing = std::make_shared<const Drawing>(std::move(*drawing));
  return kExitDone;
}

// --dpi, --width, --height and --background go with a PNG (or, in the
// studio, with its "Save as PNG"), and the picture they ask for is refused
// now, before anything is drawn, when it passes the cap.
int checkPictureOptions(SessionArguments* arguments, const std::string& verb) {
  SessionOptions& options = arguments->options;
  PngOptions& png = options.png;
  if (!arguments->background.empty()) {
    std::string background = arguments->background;
    for (char& c : background) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (background != "white" && background != "none")
      return reportUsageError(
          verb, "--background is white or none, not \"" + arguments->background + "\"");
    png.whitePage = background == "white";
  }
  const bool asked = png.dpi != 0 || png.width != 0 || png.height != 0 || !png.whitePage;
  if (asked && options.format != OutputFormat::Png && verb != "studio")
    return reportUsageError(
        verb, "--dpi, --width, --height and --background make a PNG; the output " + options.output +
                  " is not one");
  if (options.format != OutputFormat::Png) return kExitDone;
  const DocumentSettings& document = options.host.document;
  if (Result<PngSize> size = pngSize(AIRealPoint{document.pageWidth, document.pageHeight}, png);
      !size)
    return reportUsageError(verb, size.error() +
                                      "; ask for a lower --dpi or a smaller --width or "
                                      "--height; nothing was written");
  return kExitDone;
}

}  // namespace

int completeSessionOptions(SessionArguments* arguments, const std::string& verb) {
  SessionOptions& options = arguments->options;
  DocumentSettings& document = options.host.document;
  Result<OutputFormat> format = chooseOutputFormat(options.output, arguments->format);
  if (!format) return reportUsageError(verb, format.error());
  options.format = *format;
  if (!arguments->page.empty()) {
    Result<PageSize> page = parsePageSize(arguments->page);
    if (!page) return reportUsageError(verb, page.error());
    document.pageWidth = page->width;
    document.pageHeight = page->height;
  }
  if (!arguments->colorModel.empty()) {
    Result<int16_t> model = parseColorModel(arguments->colorModel);
    if (!model) return reportUsageError(verb, model.error());
    document.colorModel = *model;
  }
  if (!arguments->fill.empty()) {
    Result<AIColor> color = parsePaintColor(arguments->fill);
    if (!color) return reportUsageError(verb, "--fill: " + color.error());
    options.fill = *color;
  }
  if (!arguments->stroke.empty()) {
    Result<AIColor> color = parsePaintColor(arguments->stroke);
    if (!color) return reportUsageError(verb, "--stroke: " + color.error());
    options.stroke = *color;
  }
  if (options.strokeWidth)
    if (Result<void> width = checkStrokeWidth(*options.strokeWidth, "--stroke-width"); !width)
      return reportUsageError(verb, width.error());
  if (!arguments->swatches.empty()) {
    Result<std::vector<Swatch>> palette = readSwatchesFile(arguments->swatches);
    if (!palette) {
      return reportFailure(verb, "--swatches: " + palette.error());
    }
    document.swatches = swatchListWithPalette(*palette);
    options.inputs.push_back({arguments->swatches, "the palette given with --swatches"});
  }
  const SvgLayout& layout = options.svgLayout;
  if (layout.keepFills && !layout.layersByColour) {
    return reportUsageError(verb, "--keep-fills goes with --layers-by-colour");
  }
  if (layout.layersByColour && options.format != OutputFormat::Svg) {
    return reportUsageError(
        verb, "--layers-by-colour lays out an SVG; the output " + options.output + " is not one");
  }
  if (layout.layersByColour && (!arguments->open.empty() || !arguments->edit.empty())) {
    return reportUsageError(
        verb,
        "--layers-by-colour lays out a drawing of heart's own; it cannot be given with "
        "--open or --edit");
  }
  if (arguments->noRecord && (arguments->saveRecord || !arguments->recordPath.empty())) {
    return reportUsageError(verb, "--no-record cannot be given with --record or --save-record");
  }
  const std::string& from = arguments->from;
  bool editing = !arguments->edit.empty();
  if (arguments->saveRecord && from.empty() && !editing) {
    return reportUsageError(
        verb, "--save-record goes with --from or --edit; without them the record is saved anyway");
  }
  if (editing && !arguments->open.empty()) {
    return reportUsageError(verb, "--open and --edit name the drawing twice; give one of them");
  }
  if (!arguments->noRecord)
    options.recordPath =
        arguments->recordPath.empty() ? defaultRecordPath() : arguments->recordPath;
  bool recorded = !from.empty() || editing;
  options.readRecord = !arguments->noRecord && !recorded;
  options.saveRecord = !arguments->noRecord && (!recorded || arguments->saveRecord);
  // The edits are read and checked now, once, so a faulty one stops the
  // command before anything runs.
  Result<std::vector<FieldEdit>> edits = parseFieldEdits(arguments->edits);
  if (!edits) return reportUsageError(verb, "--set: " + edits.error());
  options.edits = std::move(*edits);
  if (!arguments->settings.empty()) {
    if (recorded) return reportUsageError(verb, "--settings cannot be given with --from or --edit");
    Result<ParameterRecord> named = readNamedSettings(arguments->settings);
    if (!named) return reportFailure(verb, "--settings: " + named.error());
    options.record = *named;
    options.readRecord = false;
  }
  if (!options.randomValuesFile.empty())
    options.inputs.push_back({options.randomValuesFile, "the random values"});
  if (!from.empty()) {
    options.inputs.push_back({from, "the drawing given with --from"});
    Result<SvgMetadata> metadata = isPdfName(from) ? readPdfMetadata(from) : readSvgMetadata(from);
    if (!metadata) {
      return reportFailure(verb, metadata.error());
    }
    // The drawing's page, colour model and paint, unless given again here
    // (or opened with --open).
    if (int code = takeRunRecord(arguments, *metadata, from, !arguments->open.empty(), verb))
      return code;
  }
  if (!arguments->open.empty() || editing)
    if (int code = openDrawingOption(arguments, verb)) return code;
  return checkPictureOptions(arguments, verb);
}

}  // namespace heart::cli
