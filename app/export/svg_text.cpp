#include "export/svg_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace heart {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr int kMostFastDecimals = 9;

// The integer n and decimals k of the shortest decimal n / 10^k that reads
// back to `value`, when one with at most nine decimals and fewer than 16
// digits exists. Reading a decimal gives the float nearest to it, so the
// decimal reads back to `value` exactly when it lies closer to `value` than
// half the gap to the neighbouring float on its side. For |value| below 2^24
// every product here is exact in double precision: the float has 24
// significant bits and 10^k = 2^k * 5^k with 5^k below 2^21.
//
// The search starts at the most decimals k0 whose step 10^-k0 is no finer
// than the gap 2^e between floats here, k0 = floor(-e log10(2)): a shorter
// decimal that reads back lies within half a gap of `value`, and every other
// decimal with k0 decimals a step away, so rounding to k0 decimals finds it
// (with trailing zeros, which are then dropped).
bool shortestDecimal(float value, int64_t* n, int* k) {
  uint32_t bits = std::bit_cast<uint32_t>(value);
  int biased = static_cast<int>((bits >> 23) & 0xFF);
  if (biased == 0 || biased >= 127 + 24) return false;  // subnormal, or 2^24 and beyond
  int gapExponent = biased - 127 - 23;                  // the gap above is 2^gapExponent
  double gapUp = std::bit_cast<double>(static_cast<uint64_t>(gapExponent + 1023) << 52);
  double gapDown = (bits & 0x7FFFFF) == 0 ? gapUp / 2 : gapUp;
  // For the exponents of floats below 2^24, -e log10(2) lies at least 0.004
  // from a whole number, so the double product floors exactly.
  int first = gapExponent >= 0 ? 0 : static_cast<int>(-gapExponent * 0.30102999566398120);
  double v = value;
  // Nearly always k0 or k0 + 1 decimals read back, and which of the two is
  // as good as random: both are tried at once and one is chosen without a
  // branch that the processor would mispredict. Away from powers of two the
  // gap is the same on both sides. The search below takes the rest (and
  // answers the same, a count at a time).
  if (first < kMostFastDecimals && (bits & 0x7FFFFF) != 0) {
    const double coarseScale = kPowersOfTen[first], fineScale = kPowersOfTen[first + 1];
    const double coarse = v * coarseScale, fine = v * fineScale;  // exact
    const double half = std::copysign(0.5, v);
    const int64_t coarseDigits = static_cast<int64_t>(coarse + half);
    const int64_t fineDigits = static_cast<int64_t>(fine + half);
    const double halfGap = gapUp * 0.5;
    const bool coarseReadsBack =
        std::fabs(static_cast<double>(coarseDigits) - coarse) < halfGap * coarseScale;
    const bool fineReadsBack =
        std::fabs(static_cast<double>(fineDigits) - fine) < halfGap * fineScale;
    if ((std::fabs(fine) < 1e15) & (coarseReadsBack | fineReadsBack)) {
      int64_t digits = coarseReadsBack ? coarseDigits : fineDigits;
      int decimals = first + !coarseReadsBack;
      while (decimals > 0 && digits % 10 == 0) {
        digits /= 10;
        --decimals;
      }
      *n = digits;
      *k = decimals;
      return true;
    }
  }
  for (int decimals = first; decimals <= kMostFastDecimals; ++decimals) {
    double scale = kPowersOfTen[decimals];
    double scaled = v * scale;  // exact
    if (std::fabs(scaled) >= 1e15) return false;
    double rounded = static_cast<double>(static_cast<int64_t>(scaled + (scaled < 0 ? -0.5 : 0.5)));
    double error = rounded - scaled;  // exact: the two lie within one of each other
    bool awayFromZero = (error > 0) == (v > 0);
    double limit = (awayFromZero ? gapUp : gapDown) * 0.5 * scale;
    if (std::fabs(error) < limit) {
      int64_t digits = static_cast<int64_t>(rounded);
      while (decimals > 0 && digits % 10 == 0) {
        digits /= 10;
        --decimals;
      }
      *n = digits;
      *k = decimals;
      return true;
    }
  }
  return false;
}

// "00" to "99", two characters each.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The eight decimal digits of `value` (below 10^8, zero-padded) as eight
// characters in one word, the first in its lowest byte (as memcpy stores
// it on a little-endian machine): four pairs from the table, each found
// apart from the others.
[[gnu::always_inline]] inline uint64_t eightDigitWord(uint32_t value) {
  const auto pair = [](uint32_t twoDigits) {
    uint16_t characters;
    std::memcpy(&characters, kDigitPairs + 2 * twoDigits, 2);
    return static_cast<uint64_t>(characters);
  };
  const uint32_t high = value / 10000, low = value % 10000;
  if constexpr (std::endian::native == std::endian::little)
    return pair(high / 100) | pair(high % 100) << 16 | pair(low / 100) << 32 |
           pair(low % 100) << 48;
  else
    return pair(high / 100) << 48 | pair(high % 100) << 32 | pair(low / 100) << 16 |
           pair(low % 100);
}

// The word's characters from its `skip`th on, first in the lowest byte.
uint64_t charactersFrom(uint64_t word, int skip) {
  if constexpr (std::endian::native == std::endian::little)
    return word >> (8 * skip);
  else
    return word << (8 * skip);
}

void eightDigits(uint32_t value, char* out) {
  const uint64_t word = eightDigitWord(value);
  std::memcpy(out, &word, 8);
}

constexpr uint64_t kWholePowersOfTen[] = {1,
                                          10,
                                          100,
                                          1000,
                                          10000,
                                          100000,
                                          1000000,
                                          10000000,
                                          100000000,
                                          1000000000,
                                          10000000000,
                                          100000000000,
                                          1000000000000,
                                          10000000000000,
                                          100000000000000,
                                          1000000000000000,
                                          10000000000000000};

// The count of decimal digits of `value`, 1 to 16 for a value below 10^16:
// log10 estimated from the bit length (1233 / 4096 is just above log10 2),
// then corrected by one comparison.
int digitCount(uint64_t value) {
  const int bits = 64 - std::countl_zero(value | 1);
  const int estimate = (bits * 1233) >> 12;
  return estimate + 1 - (value < kWholePowersOfTen[estimate]);
}

}  // namespace

char* writeNumber(char* at, float value) {
  if (!std::isfinite(value) || value == 0) {
    *at = '0';
    return at + 1;
  }
  int64_t n;
  int k;
  if (!shortestDecimal(value, &n, &k))
    return std::to_chars(at, at + kNumberRoom, value, std::chars_format::fixed).ptr;
  if (n < 0) {
    *at++ = '-';
    n = -n;
  }
  const uint64_t magnitude = static_cast<uint64_t>(n);
  const int count = digitCount(magnitude);
  if (count <= 8) {
    // The digits in one word, stored whole and then again from the point on
    // one place further: stores of whole words, never of single digits.
    const uint64_t word =
        charactersFrom(eightDigitWord(static_cast<uint32_t>(magnitude)), 8 - count);
    if (count > k) {
      const int whole = count - k;
      std::memcpy(at, &word, 8);
      if (k == 0) return at + count;
      const uint64_t fraction = charactersFrom(word, whole);
      std::memcpy(at + whole + 1, &fraction, 8);
      at[whole] = '.';
      return at + count + 1;
    }
    // Below 1: "0." and the zeros that lead the decimals.
    std::memcpy(at, "0.00000000", 10);
    std::memcpy(at + 2 + k - count, &word, 8);
    return at + 2 + k;
  }
  // Nine digits or more: all of them into 16 places, then the point put k
  // digits from their end. The copies move a fixed 20 characters (more than
  // the 16 digits there can be), which the room of kNumberRoom allows.
  char buffer[40] = {};
  eightDigits(static_cast<uint32_t>(magnitude / 100000000), buffer);
  eightDigits(static_cast<uint32_t>(magnitude % 100000000), buffer + 8);
  const char* digits = buffer + 16 - count;
  if (count > k) {
    const int whole = count - k;
    std::memcpy(at, digits, 20);
    at += whole;
    if (k == 0) return at;
    *at++ = '.';
    std::memcpy(at, digits + whole, 20);
    return at + k;
  }
  *at++ = '0';
  *at++ = '.';
  std::memset(at, '0', 20);
  at += k - count;
  std::memcpy(at, digits, 20);
  return at + count;
}

void appendNumber(std::string& out, float value) {
  char buffer[kNumberRoom];
  out.append(buffer, writeNumber(buffer, value));
}

namespace {

float unit(float component) {
  if (!(component >= 0)) return 0;  // below 0, or not a number
  return component > 1 ? 1 : component;
}

void toBytes(float r, float g, float b, unsigned char rgb[3]) {
  rgb[0] = static_cast<unsigned char>(std::lround(unit(r) * 255));
  rgb[1] = static_cast<unsigned char>(std::lround(unit(g) * 255));
  rgb[2] = static_cast<unsigned char>(std::lround(unit(b) * 255));
}

}  // namespace

bool screenRgb(const AIColor& color, unsigned char rgb[3]) {
  switch (color.kind) {
    case kNoneColor:
      return false;
    case kGrayColor:
    case kCustomColor: {  // a custom colour's ink is unknown here: its tint as gray
      float light = 1 - unit(color.c[0]);
      toBytes(light, light, light, rgb);
      return true;
    }
    case kFourColor: {
      float k = 1 - unit(color.c[3]);
      toBytes((1 - unit(color.c[0])) * k, (1 - unit(color.c[1])) * k, (1 - unit(color.c[2])) * k,
              rgb);
      return true;
    }
    case kThreeColor:
      toBytes(color.c[0], color.c[1], color.c[2], rgb);
      return true;
    default:  // gradients, patterns and unknown kinds
      toBytes(0.5f, 0.5f, 0.5f, rgb);
      return true;
  }
}

bool screenColor(const AIColor& color, char hex[8]) {
  static const char kDigits[] = "0123456789abcdef";
  unsigned char rgb[3];
  if (!screenRgb(color, rgb)) return false;
  hex[0] = '#';
  for (int i = 0; i < 3; ++i) {
    hex[1 + 2 * i] = kDigits[rgb[i] >> 4];
    hex[2 + 2 * i] = kDigits[rgb[i] & 15];
  }
  hex[7] = '\0';
  return true;
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
