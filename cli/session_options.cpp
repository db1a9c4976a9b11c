#include "session_options.h"

#include <cmath>

#include "core/record_json.h"
#include "document_options.h"
#include "export/svg_export.h"
#include "record_edits.h"

namespace heart::cli {

void addSessionOptions(CLI::App& verb, SessionArguments& arguments) {
  verb.add_option("-o,--output", arguments.output,
                  "The drawing to write: FILE.svg, or FILE.png for a picture")
      ->capture_default_str();
  verb.add_option("--record", arguments.recordPath,
                  "The stored parameter record, read before and saved after a confirmed dialog "
                  "(default: " +
                      defaultRecordPath() + ")");
  verb.add_flag("--no-record", arguments.noRecord,
                "Neither read nor save a stored record: start from the defaults");
  verb.add_option("--set", arguments.edits,
                  "Edit a field of the stored record first: FIELD=VALUE (repeatable), e.g. "
                  "heartCount=20, dropShadow=true, shapeTweaks[3]=12");
  verb.add_option("--seed", arguments.seed, "Seed of the random source, for a reproducible run");
  verb.add_option("--random-values", arguments.randomValuesFile,
                  "A file of random values from 0 to 1, one a line, used in order instead of "
                  "the seeded source (started over when used up)");
  verb.add_option("--page", arguments.page, "Page size of the new document in points: WxH")
      ->default_str("612x792");
  verb.add_option("--color-model", arguments.colorModel,
                  "Colour model of the new document: gray, rgb or cmyk")
      ->default_str("rgb");
  verb.add_option("--fill", arguments.fill,
                  "Fill of new hearts: none, gray:G, rgb:R,G,B, cmyk:C,M,Y,K or #rrggbb "
                  "(default white)");
  verb.add_option("--stroke", arguments.stroke, "Stroke of new hearts, as --fill (default black)");
  verb.add_option("--stroke-width", arguments.strokeWidth,
                  "Stroke width of new hearts in points (default 1)");
  verb.add_option("--from", arguments.from,
                  "Draw the same hearts as an SVG this command wrote: its record and its "
                  "random seed or values");
}

bool sessionFromArguments(const SessionArguments& arguments, SessionOptions* options,
                          std::string* error) {
  options->output = arguments.output;
  if (!arguments.page.empty() &&
      !parsePageSize(arguments.page, &options->pageWidth, &options->pageHeight, error))
    return false;
  if (!arguments.colorModel.empty() &&
      !parseColorModel(arguments.colorModel, &options->colorModel, error))
    return false;
  AIColor color{};
  if (!arguments.fill.empty()) {
    if (!parsePaintColor(arguments.fill, &color, error)) return false;
    options->fill = color;
  }
  if (!arguments.stroke.empty()) {
    if (!parsePaintColor(arguments.stroke, &color, error)) return false;
    options->stroke = color;
  }
  if (arguments.strokeWidth) {
    if (!std::isfinite(*arguments.strokeWidth) || *arguments.strokeWidth < 0) {
      *error = "--stroke-width must be a finite width of 0 or more";
      return false;
    }
    options->strokeWidth = arguments.strokeWidth;
  }
  if (!arguments.noRecord)
    options->recordPath = arguments.recordPath.empty() ? defaultRecordPath() : arguments.recordPath;
  options->edits = arguments.edits;
  options->seed = arguments.seed;
  options->randomValuesFile = arguments.randomValuesFile;
  if (!arguments.from.empty()) {
    std::optional<SvgMetadata> metadata = readSvgMetadata(arguments.from, error);
    if (!metadata) return false;
    if (metadata->recordJson.empty()) {
      *error = arguments.from + " carries no parameter record";
      return false;
    }
    std::optional<ParameterRecord> record = recordFromJsonText(metadata->recordJson, error);
    if (!record) {
      *error = arguments.from + ": " + *error;
      return false;
    }
    options->record = record;
    // The drawing's page, colour model and paint, unless given again here.
    if (!metadata->documentJson.empty()) {
      DocumentSettingsText settings;
      if (!parseDocumentSettingsJson(metadata->documentJson, &settings, error)) {
        *error = arguments.from + ": " + *error;
        return false;
      }
      if (arguments.page.empty()) {
        options->pageWidth = settings.pageWidth;
        options->pageHeight = settings.pageHeight;
      }
      if (arguments.colorModel.empty()) options->colorModel = settings.colorModel;
      if (arguments.fill.empty()) options->fill = settings.fill;
      if (arguments.stroke.empty()) options->stroke = settings.stroke;
      if (!arguments.strokeWidth) options->strokeWidth = settings.strokeWidth;
    }
    if (!options->seed && options->randomValuesFile.empty()) {
      options->seed = metadata->seed;
      options->randomValues = metadata->randomValues;
    }
  }
  return true;
}

}  // namespace heart::cli
