// Numbers, colours and escapes of the SVG text.
#include "export/svg_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace heart::testing {
namespace {

std::string written(float value) {
  std::string out;
  appendNumber(out, value);
  return out;
}

float readBack(const std::string& text) {
  float value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(ec, std::errc()) << text;
  EXPECT_EQ(end, text.data() + text.size()) << text;
  return value;
}

TEST(SvgNumbers, EveryFloatReadsBackExactlyWithTheFewestDigitsAndNoExponent) {
  std::mt19937 engine(11);
  std::uniform_int_distribution<uint32_t> anyBits;
  std::uniform_real_distribution<float> drawing(-2000, 2000);
  auto check = [](float value) {
    std::string text = written(value);
    ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    ASSERT_EQ(readBack(text), value) << text;
    // As short as the library's shortest fixed form.
    char shortest[128];
    auto end =
        std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::fixed).ptr;
    ASSERT_LE(text.size(), static_cast<size_t>(end - shortest))
        << text << " vs " << std::string(shortest, end);
  };
  for (int i = 0; i < 200000; ++i) check(drawing(engine));
  for (int i = 0; i < 200000; ++i) {
    float value = std::bit_cast<float>(anyBits(engine));
    if (std::isfinite(value)) check(value);
  }
  // Powers of two, where the gap below is half the gap above, and their neighbours.
  for (int e = -30; e < 30; ++e) {
    float power = std::ldexp(1.0f, e);
    check(power);
    check(std::nextafter(power, 0.0f));
    check(std::nextafter(power, 1e30f));
    check(-power);
  }
  for (float value : {0.1f, 0.3f, 12.5f, 100.0f, 612.0f, 1e-6f, 16777216.0f, 3.4e38f, 1e-45f})
    check(value);
  EXPECT_EQ(written(0.1f), "0.1");
  EXPECT_EQ(written(-12.5f), "-12.5");
  EXPECT_EQ(written(612.0f), "612");
  EXPECT_EQ(written(-0.0f), "0");
  EXPECT_EQ(written(std::nanf("")), "0");
  EXPECT_EQ(written(-INFINITY), "0");
}

TEST(SvgText, EscapesMarkupAndReplacesWhatXmlCannotHold) {
  std::string out;
  appendEscaped(out, "a<b & \"c\" 'd'>");
  EXPECT_EQ(out, "a&lt;b &amp; \"c\" 'd'&gt;");
  EXPECT_EQ(unescapeXml(out), "a<b & \"c\" 'd'>");
  EXPECT_EQ(unescapeXml("&quot;&apos;&amp;lt;&unknown;"), "\"'&lt;&unknown;");
  out.clear();
  appendEscaped(out, "ok\x01\xff\xc3\xa9\xed\xa0\x80.");  // control, broken byte, é, surrogate
  EXPECT_EQ(out,
            "ok?"
            "?\xc3\xa9?"
            "?"
            "?.");
}

}  // namespace
}  // namespace heart::testing
