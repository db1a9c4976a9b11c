#include "export/svg_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace heart {

void appendNumber(std::string& out, float value) {
  if (!std::isfinite(value)) value = 0;
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  out.append(buffer, result.ptr);
}

namespace {

float unit(float component) {
  if (!(component >= 0)) return 0;  // below 0, or not a number
  return component > 1 ? 1 : component;
}

void writeHex(float r, float g, float b, char hex[8]) {
  static const char kDigits[] = "0123456789abcdef";
  int values[3] = {static_cast<int>(std::lround(unit(r) * 255)),
                   static_cast<int>(std::lround(unit(g) * 255)),
                   static_cast<int>(std::lround(unit(b) * 255))};
  hex[0] = '#';
  for (int i = 0; i < 3; ++i) {
    hex[1 + 2 * i] = kDigits[values[i] >> 4];
    hex[2 + 2 * i] = kDigits[values[i] & 15];
  }
  hex[7] = '\0';
}

}  // namespace

bool screenColor(const AIColor& color, char hex[8]) {
  switch (color.kind) {
    case kNoneColor:
      return false;
    case kGrayColor:
    case kCustomColor: {  // a custom colour's ink is unknown here: its tint as gray
      float light = 1 - unit(color.c[0]);
      writeHex(light, light, light, hex);
      return true;
    }
    case kFourColor: {
      float k = 1 - unit(color.c[3]);
      writeHex((1 - unit(color.c[0])) * k, (1 - unit(color.c[1])) * k, (1 - unit(color.c[2])) * k,
               hex);
      return true;
    }
    case kThreeColor:
      writeHex(color.c[0], color.c[1], color.c[2], hex);
      return true;
    default:  // gradients, patterns and unknown kinds
      writeHex(0.5f, 0.5f, 0.5f, hex);
      return true;
  }
}

namespace {

// The length of the valid UTF-8 character at text[i], or 0.
size_t utf8Length(std::string_view text, size_t i) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  size_t length;
  uint32_t code;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  bool notCharacter = code == 0xFFFE || code == 0xFFFF || code > 0x10FFFF;
  return overlong || surrogate || notCharacter ? 0 : length;
}

}  // namespace

void appendEscaped(std::string& out, std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    switch (c) {
      case '&':
        out += "&amp;";
        ++i;
        continue;
      case '<':
        out += "&lt;";
        ++i;
        continue;
      case '>':
        out += "&gt;";
        ++i;
        continue;
      case '"':
        out += "&quot;";
        ++i;
        continue;
      case '\'':
        out += "&apos;";
        ++i;
        continue;
      default:
        break;
    }
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      out += '?';
      ++i;
      continue;
    }
    size_t length = utf8Length(text, i);
    if (length == 0) {
      out += '?';
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
}

std::string unescapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    size_t end = text.find(';', i);
    if (end == std::string_view::npos) {
      out += text[i];
      continue;
    }
    std::string_view name = text.substr(i + 1, end - i - 1);
    if (name == "amp")
      out += '&';
    else if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else {
      out += text[i];
      continue;
    }
    i = end;
  }
  return out;
}

}  // namespace heart
