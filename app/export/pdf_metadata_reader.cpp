// Reads back the title, description and run record of a PDF this host
// wrote, from its document information: the last /Title, /Subject and
// /Keywords strings in the file (a later update of a PDF appends its own).
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "export/pdf_export.h"

namespace heart {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// A text string's bytes as UTF-8: UTF-16 after the byte order mark FE FF,
// else taken as they are (cairo writes plain ASCII text that way).
std::string textOf(const std::string& bytes) {
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFE ||
      static_cast<unsigned char>(bytes[1]) != 0xFF)
    return bytes;
  std::string out;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    uint32_t unit =
        (static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      uint32_t low = (static_cast<unsigned char>(bytes[i + 2]) << 8) |
                     static_cast<unsigned char>(bytes[i + 3]);
      if (low >= 0xDC00 && low < 0xE000) {
        appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    appendUtf8(out, unit);
  }
  return out;
}

// The string object at `at`: a literal (...) with its escapes, or <hex>.
std::optional<std::string> stringAt(std::string_view pdf, size_t at) {
  while (at < pdf.size() && std::strchr(" \t\r\n\f", pdf[at]) && pdf[at] != '\0') ++at;
  if (at >= pdf.size()) return std::nullopt;
  std::string bytes;
  if (pdf[at] == '<') {
    int high = -1;
    for (++at; at < pdf.size() && pdf[at] != '>'; ++at) {
      int value = hexValue(pdf[at]);
      if (value < 0) continue;  // white space between digits
      if (high < 0) {
        high = value;
      } else {
        bytes += static_cast<char>(high * 16 + value);
        high = -1;
      }
    }
    if (at >= pdf.size()) return std::nullopt;
    if (high >= 0) bytes += static_cast<char>(high * 16);
    return textOf(bytes);
  }
  if (pdf[at] != '(') return std::nullopt;
  int depth = 1;
  for (++at; at < pdf.size(); ++at) {
    char c = pdf[at];
    if (c == '\\' && at + 1 < pdf.size()) {
      char e = pdf[++at];
      switch (e) {
        case 'n':
          bytes += '\n';
          break;
        case 'r':
          bytes += '\r';
          break;
        case 't':
          bytes += '\t';
          break;
        case 'b':
          bytes += '\b';
          break;
        case 'f':
          bytes += '\f';
          break;
        case '\r':
          if (at + 1 < pdf.size() && pdf[at + 1] == '\n') ++at;
          break;
        case '\n':
          break;
        default:
          if (e >= '0' && e <= '7') {
            int value = e - '0';
            for (int digits = 1;
                 digits < 3 && at + 1 < pdf.size() && pdf[at + 1] >= '0' && pdf[at + 1] <= '7';
                 ++digits)
              value = value * 8 + (pdf[++at] - '0');
            bytes += static_cast<char>(value & 0xFF);
          } else {
            bytes += e;  // \( \) \\ and any other escaped character
          }
      }
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) return textOf(bytes);
    bytes += c;
  }
  return std::nullopt;
}

std::optional<std::string> lastEntry(std::string_view pdf, std::string_view key) {
  for (size_t at = pdf.rfind(key); at != std::string_view::npos;
       at = at == 0 ? std::string_view::npos : pdf.rfind(key, at - 1)) {
    size_t after = at + key.size();
    // "/Title" and not "/TitleX".
    if (after < pdf.size() && std::isalnum(static_cast<unsigned char>(pdf[after]))) continue;
    if (auto text = stringAt(pdf, after)) return text;
  }
  return std::nullopt;
}

}  // namespace

Result<SvgMetadata> parsePdfMetadata(std::string_view pdf) {
  if (pdf.substr(0, 5) != "%PDF-") return fail("not a PDF file");
  constexpr std::string_view kRun = "heart-run ";
  std::optional<std::string> keywords = lastEntry(pdf, "/Keywords");
  if (!keywords || keywords->compare(0, kRun.size(), kRun) != 0)
    return fail("the PDF carries no record of a heart run (no \"heart-run\" in its Keywords)");
  Result<SvgMetadata> metadata = parseRunJson(keywords->substr(kRun.size()), "the PDF");
  if (!metadata) return metadata;
  if (auto title = lastEntry(pdf, "/Title")) metadata->title = *title;
  if (auto subject = lastEntry(pdf, "/Subject")) metadata->description = *subject;
  return metadata;
}

Result<SvgMetadata> readPdfMetadata(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail("cannot read " + path + ": " + std::strerror(errno));
  std::ostringstream text;
  text << in.rdbuf();
  Result<SvgMetadata> metadata = parsePdfMetadata(text.str());
  if (!metadata) return fail(path + ": " + metadata.error());
  return metadata;
}

}  // namespace heart
