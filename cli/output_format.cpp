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

bool formatFromName(const std::string& output, const std::string& forced, OutputFormat* format,
                    std::string* error) {
  if (output.empty()) {
    *error =
        "the output file name is empty; give -o FILE.svg, -o FILE.png, -o FILE.pdf or -o - "
        "for the standard output";
    return false;
  }
  if (!forced.empty()) {
    if (!formatNamed(forced, format)) {
      *error = "--format takes svg, png or pdf, not \"" + forced + "\"";
      return false;
    }
    return true;
  }
  if (output == "-") {
    *format = OutputFormat::Svg;
    return true;
  }
  std::string extension = std::filesystem::path(output).extension().string();
  if (!extension.empty() && formatNamed(extension.substr(1), format)) return true;
  *error = output + ": " +
           (extension.empty() ? std::string("the name has no extension")
                              : "\"" + extension + "\" is not a format heart writes") +
           "; name the drawing .svg, .png or .pdf, or choose one with --format svg|png|pdf";
  return false;
}

}  // namespace

bool chooseOutputFormat(const std::string& output, const std::string& forced, OutputFormat* format,
                        std::string* error) {
  if (!formatFromName(output, forced, format, error)) return false;
  if (*format == OutputFormat::Png && !canWritePng()) {
    *error = output + ": " + kNoPngInThisBuild;
    return false;
  }
  if (*format == OutputFormat::Pdf && !canWritePdf()) {
    *error = output + ": " + kNoPdfInThisBuild;
    return false;
  }
  return true;
}

}  // namespace heart::cli
