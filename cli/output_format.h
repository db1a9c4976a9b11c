// The format of a drawing: chosen by the output name's extension, in any
// case (.svg, .png, .pdf), or forced with --format. Any other extension, and an
// empty name, are refused before anything runs.
#pragma once

#include <string>

namespace heart::cli {

enum class OutputFormat { Svg, Png, Pdf };

// `forced` is --format's text ("svg", "png", "pdf", any case; empty when not
// given). "-" (the standard output) is SVG unless forced.
bool chooseOutputFormat(const std::string& output, const std::string& forced, OutputFormat* format,
                        std::string* error);

}  // namespace heart::cli
