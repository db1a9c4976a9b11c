// The in-place conversions between zero-terminated and length-prefixed strings.
#include "shell/length_prefixed_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LengthPrefixedString, LongestStringConvertsAndComesBack) {
  char buffer[300] = {};
  std::string text;
  for (int i = 0; i < 255; ++i) text += static_cast<char>('a' + i % 26);
  text.copy(buffer, text.size());

  ASSERT_TRUE(toLengthPrefixed(buffer));
  EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 255);
  EXPECT_EQ(std::string(buffer + 1, 255), text);

  toZeroTerminated(buffer);
  EXPECT_EQ(std::string(buffer), text);
}

TEST(LengthPrefixedString, TooLongIsRefusedAndLeftAlone) {
  char buffer[300] = {};
  const std::string text(256, 'x');
  text.copy(buffer, text.size());
  EXPECT_FALSE(toLengthPrefixed(buffer));
  EXPECT_EQ(std::string(buffer), text);
}

TEST(LengthPrefixedString, EmptyAndShortStrings) {
  char empty[256] = {};
  ASSERT_TRUE(toLengthPrefixed(empty));
  EXPECT_EQ(empty[0], 0);
  toZeroTerminated(empty);
  EXPECT_EQ(std::string(empty), "");

  char heart[256] = "Heart...";
  ASSERT_TRUE(toLengthPrefixed(heart));
  EXPECT_EQ(std::string(heart, 9), std::string("\x08Heart..."));
}

TEST(LengthPrefixedString, FourCharacterCodes) {
  char buffer[256] = {};
  codeToLengthPrefixed(kBadSelectorErr, buffer);
  EXPECT_EQ(std::string(buffer, 5), std::string("\x04!sel"));
  codeToLengthPrefixed(HEART_FOUR_CC('\xFF', 'a', '\x80', 'z'), buffer);
  EXPECT_EQ(std::string(buffer, 5), std::string("\x04\xFF"
                                                "a\x80z"));
}

}  // namespace
