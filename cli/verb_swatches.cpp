// `heart swatches`: the swatch list the plug-in sees in a new document, with
// or without a palette: index, kind, components from 0 to 1, name.
#include <iomanip>
#include <iostream>
#include <sstream>

#include "cli_verbs.h"
#include "document/swatch_list.h"
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
  verb->add_option("--swatches", *palette, "A palette as `run` takes it: .gpl, .txt, .hex or .css");
  verb->callback([&context, palette] {
    std::vector<Swatch> swatches = defaultSwatches();
    if (!palette->empty()) {
      Result<std::vector<Swatch>> read = readPaletteFile(*palette);
      if (!read) {
        context.exitCode = reportFailure("swatches", read.error());
        return;
      }
      swatches = swatchListWithPalette(*read);
    }
    printSwatches(std::cout, swatches);
    context.exitCode = kExitDone;
  });
}

}  // namespace

HEART_CLI_VERB(65, addSwatchesVerb);

}  // namespace heart::cli
