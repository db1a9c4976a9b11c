// `heart swatches`: the swatch list the plug-in sees, in a new document or in
// an opened drawing, with or without a palette: index, kind, components from
// 0 to 1, name.
#include <iomanip>
#include <iostream>
#include <sstream>

#include "cli_verbs.h"
#include "document/swatch_list.h"
#include "swatches/drawing_swatches.h"
#include "swatches/palette_file.h"

namespace heart::cli {
namespace {

const char* kindName(int16_t kind) {
  switch (kind) {
    case kGrayColor:
      return "gray";
    case kThreeColor:
      return "rgb";
    case kFourColor:
      return "cmyk";
    case kNoneColor:
      return "none";
    default:
      return "?";
  }
}

std::string componentsOf(const AIColor& color) {
  const int count = color.kind == kGrayColor    ? 1
                    : color.kind == kThreeColor ? 3
                    : color.kind == kFourColor  ? 4
                                                : 0;
  if (count == 0) return "-";
  std::ostringstream text;
  for (int i = 0; i < count; ++i) text << (i ? " " : "") << color.c[i];
  return text.str();
}

void printSwatches(std::ostream& out, const std::vector<Swatch>& swatches) {
  out << std::left << std::setw(7) << "INDEX" << std::setw(6) << "KIND" << std::setw(30)
      << "COMPONENTS"
      << "NAME\n";
  for (size_t index = 0; index < swatches.size(); ++index)
    out << std::left << std::setw(7) << index << std::setw(6)
        << kindName(swatches[index].color.kind) << std::setw(30)
        << componentsOf(swatches[index].color) << printable(swatches[index].name) << "\n";
  // The random swatch fill draws an index from 2 to the count; the count
  // itself is past the end, where the heart keeps the colour it had.
  out << "\nThe random swatch choice takes indices 2 to " << swatches.size() << "; index "
      << swatches.size() << " is past the end, where a heart keeps its colour.\n";
}

void addSwatchesVerb(CLI::App& app, CliContext& context) {
  CLI::App* verb = app.add_subcommand(
      "swatches", "List the swatches the plug-in sees: index, kind, components, name");
  auto palette = std::make_shared<std::string>();
  auto open = std::make_shared<std::string>();
  verb->add_option("--swatches", *palette,
                   "A palette as `run` takes it: .gpl, .txt, .hex, .css, or a drawing's solid "
                   "swatches (.svg, .svgz)");
  verb->add_option("--open", *open,
                   "A drawing as `run --open` takes it: its own solid swatches are the list "
                   "unless --swatches is given");
  verb->callback([&context, palette, open] {
    std::vector<Swatch> swatches = defaultSwatches();
    std::vector<std::string> skipped;
    if (!open->empty()) {
      Result<Drawing> drawing = openDrawing(*open);
      if (!drawing) {
        context.exitCode = reportFailure("swatches", drawing.error());
        return;
      }
      DrawingPalette own = paletteOfDrawing(*drawing);
      if (!own.colours.empty()) swatches = swatchListWithPalette(own.colours);
      skipped = std::move(own.skipped);
    }
    if (!palette->empty()) {
      Result<std::vector<Swatch>> read = readSwatchesFile(*palette);
      if (!read) {
        context.exitCode = reportFailure("swatches", read.error());
        return;
      }
      swatches = swatchListWithPalette(*read);
      skipped.clear();
    }
    printSwatches(std::cout, swatches);
    for (const std::string& name : skipped)
      std::cout << "Left out, a colour heart cannot read: " << printable(name) << "\n";
    context.exitCode = kExitDone;
  });
}

}  // namespace

HEART_CLI_VERB(65, addSwatchesVerb);

}  // namespace heart::cli
