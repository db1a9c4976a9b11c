#include "swatches/palette_file.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "swatches/colour_text.h"

namespace heart {
namespace {

// The line in quotes, for a message. (Made by appending: GCC 12 warns
// falsely of overlapping copies where a literal is added to a temporary.)
std::string quoted(std::string_view line) {
  std::string text = "\"";
  text.append(line);
  text += '"';
  return text;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The lines of a text, a byte-order mark and carriage returns dropped.
std::vector<std::string_view> linesOf(std::string_view text) {
  if (startsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

Failure lineFault(const std::string& source, size_t line, const std::string& what) {
  return fail(source + " line " + std::to_string(line) + ": " + what);
}

bool readByte(std::string_view text, float* value) {
  if (text.empty() || text.size() > 3) return false;
  int number = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    number = number * 10 + (c - '0');
  }
  if (number > 255) return false;
  *value = static_cast<float>(number) / 255.0f;
  return true;
}

Result<std::vector<Swatch>> gimpPalette(std::string_view text, const std::string& source) {
  std::vector<std::string_view> lines = linesOf(text);
  if (lines.empty() || trimmedText(lines[0]) != "GIMP Palette")
    return fail(source + ": a GIMP palette starts with the line \"GIMP Palette\"");
  std::vector<Swatch> colours;
  for (size_t at = 1; at < lines.size(); ++at) {
    std::string_view line = trimmedText(lines[at]);
    if (line.empty() || line.front() == '#' || startsWith(line, "Name:") ||
        startsWith(line, "Columns:"))
      continue;
    AIColor colour{kThreeColor, {0, 0, 0, 0}, 0};
    std::string_view rest = line;
    for (int i = 0; i < 3; ++i) {
      rest = trimmedText(rest);
      size_t end = 0;
      while (end < rest.size() && !std::isspace(static_cast<unsigned char>(rest[end]))) ++end;
      if (!readByte(rest.substr(0, end), &colour.c[i]))
        return lineFault(source, at + 1,
                         quoted(line) +
                             " is not red, green and blue from 0 to 255 "
                             "and a name");
      rest.remove_prefix(end);
    }
    std::string name(trimmedText(rest));
    // GIMP writes "Untitled" for a colour without a name; its value says more.
    if (name.empty() || name == "Untitled") name = colourText(colour);
    colours.push_back(Swatch{name, colour});
  }
  return colours;
}

Result<std::vector<Swatch>> colourList(std::string_view text, const std::string& source) {
  std::vector<std::string_view> lines = linesOf(text);
  std::vector<Swatch> colours;
  for (size_t at = 0; at < lines.size(); ++at) {
    std::string_view line = trimmedText(lines[at]);
    if (line.empty() || startsWith(line, "//") || line.front() == ';') continue;
    Result<AIColor> colour = parseColourText(line);
    if (!colour) return lineFault(source, at + 1, colour.error());
    if (colour->kind == kNoneColor)
      return lineFault(source, at + 1, quoted(line) + " is no colour to paint with");
    colours.push_back(Swatch{std::string(line), *colour});
  }
  return colours;
}

// Custom properties "--name: value;" anywhere in the style sheet, comments
// left out. Values that are not colours (lengths, fonts) are passed over.
Result<std::vector<Swatch>> cssProperties(std::string_view text, const std::string& source) {
  std::string sheet;
  for (size_t at = 0; at < text.size();) {
    if (text.compare(at, 2, "/*") == 0) {
      size_t end = text.find("*/", at + 2);
      if (end == std::string_view::npos)
        return fail(source + ": a comment opened with /* is never closed");
      at = end + 2;
      sheet += ' ';
    } else {
      sheet += text[at++];
    }
  }
  std::vector<Swatch> colours;
  for (size_t at = sheet.find("--"); at != std::string::npos; at = sheet.find("--", at)) {
    size_t colon = sheet.find(':', at);
    size_t nameEnd = at + 2;
    while (nameEnd < sheet.size() && (std::isalnum(static_cast<unsigned char>(sheet[nameEnd])) ||
                                      sheet[nameEnd] == '-' || sheet[nameEnd] == '_'))
      ++nameEnd;
    if (colon == std::string::npos || nameEnd == at + 2 ||
        !trimmedText(std::string_view(sheet).substr(nameEnd, colon - nameEnd)).empty()) {
      at = nameEnd;
      continue;
    }
    size_t end = sheet.find_first_of(";}", colon);
    std::string_view value = trimmedText(std::string_view(sheet).substr(
        colon + 1, end == std::string::npos ? std::string::npos : end - colon - 1));
    Result<AIColor> colour = parseColourText(value);
    if (colour && colour->kind != kNoneColor)
      colours.push_back(Swatch{sheet.substr(at + 2, nameEnd - at - 2), *colour});
    at = end == std::string::npos ? sheet.size() : end;
  }
  return colours;
}

std::string extensionOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

}  // namespace

Result<std::vector<Swatch>> parsePalette(std::string_view text, PaletteFormat format,
                                         const std::string& source) {
  Result<std::vector<Swatch>> colours = format == PaletteFormat::kGimp ? gimpPalette(text, source)
                                        : format == PaletteFormat::kCss
                                            ? cssProperties(text, source)
                                            : colourList(text, source);
  if (colours && colours->empty()) return fail(source + ": the palette holds no colours");
  return colours;
}

PaletteFormat paletteFormatOf(const std::string& path, std::string_view text) {
  const std::string extension = extensionOf(path);
  if (extension == ".gpl") return PaletteFormat::kGimp;
  if (extension == ".css") return PaletteFormat::kCss;
  if (extension == ".txt" || extension == ".hex") return PaletteFormat::kColourList;
  std::vector<std::string_view> lines = linesOf(text.substr(0, 256));
  if (!lines.empty() && trimmedText(lines[0]) == "GIMP Palette") return PaletteFormat::kGimp;
  if (text.find("--") != std::string_view::npos && text.find(':') != std::string_view::npos)
    return PaletteFormat::kCss;
  return PaletteFormat::kColourList;
}

Result<std::vector<Swatch>> readPaletteFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    return fail("cannot read the palette " + path + ": " +
                (std::filesystem::exists(path, error) ? "not a file" : "no such file"));
  std::ifstream file(path, std::ios::binary);
  std::string text;
  char buffer[65536];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, static_cast<size_t>(file.gcount()));
    if (text.size() > kMaxPaletteBytes)
      return fail("the palette " + path + " is over " + std::to_string(kMaxPaletteBytes >> 20) +
                  " MiB: not a palette");
  }
  if (file.bad()) return fail("cannot read the palette " + path);
  return parsePalette(text, paletteFormatOf(path, text), path);
}

std::vector<Swatch> swatchListWithPalette(const std::vector<Swatch>& palette) {
  const std::vector<Swatch> defaults = defaultSwatches();
  std::vector<Swatch> list(defaults.begin(), defaults.begin() + 2);
  list.insert(list.end(), palette.begin(), palette.end());
  return list;
}

}  // namespace heart
