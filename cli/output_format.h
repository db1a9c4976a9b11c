// The format of a drawing: chosen by the output name's extension, in any
// case (.svg, .png, .pdf), or forced with --format. Any other extension, and an
// empty name, are refused before anything runs.
#pragma once

#include <string>

#include "core/result.h"

namespace heart::cli {

enum class OutputFormat { Svg, Png, Pdf };

// `forced` is --format's text ("svg", "png", "pdf", any case; empty when not
// given). "-" (the standard output) is SVG unless forced.
Result<OutputFormat> chooseOutputFormat(const std::string& output, const std::string& forced);

}  // namespace heart::cli
