#include "output_format.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "export/pdf_export.h"
#include "export/png_export.h"

namespace heart::cli {
namespace {

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool formatNamed(const std::string& word, OutputFormat* format) {
  std::string lower = lowerCase(word);
  if (lower == "svg") {
    *format = OutputFormat::Svg;
  } else if (lower == "png") {
    *format = OutputFormat::Png;
  } else if (lower == "pdf") {
    *format = OutputFormat::Pdf;
  } else {
    return false;
  }
  return true;
}

Result<OutputFormat> formatFromName(const std::string& output, const std::string& forced) {
  if (output.empty())
    return fail(
        "the output file name is empty; give -o FILE.svg, -o FILE.png, -o FILE.pdf or -o - "
        "for the standard output");
  OutputFormat format = OutputFormat::Svg;
  if (!forced.empty()) {
    if (!formatNamed(forced, &format))
      return fail("--format takes svg, png or pdf, not \"" + forced + "\"");
    return format;
  }
  if (output == "-") return OutputFormat::Svg;
  std::string extension = std::filesystem::path(output).extension().string();
  if (!extension.empty() && formatNamed(extension.substr(1), &format)) return format;
  return fail(output + ": " +
              (extension.empty() ? std::string("the name has no extension")
                                 : "\"" + extension + "\" is not a format heart writes") +
              "; name the drawing .svg, .png or .pdf, or choose one with --format svg|png|pdf");
}

}  // namespace

Result<OutputFormat> chooseOutputFormat(const std::string& output, const std::string& forced) {
  Result<OutputFormat> format = formatFromName(output, forced);
  if (format && *format == OutputFormat::Png && !canWritePng())
    return fail(output + ": " + kNoPngInThisBuild);
  if (format && *format == OutputFormat::Pdf && !canWritePdf())
    return fail(output + ": " + kNoPdfInThisBuild);
  return format;
}

}  // namespace heart::cli
