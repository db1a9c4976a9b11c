// The in-place conversions between zero-terminated and length-prefixed strings.
#include "plugin/shell/length_prefixed_string.h"

#include <gtest/gtest.h>

#include <string>

namespace heart::testing {
namespace {

TEST(LengthPrefixedString, Converts255CharactersAndRefuses256) {
  char buffer[300] = {};
  std::string text;
  for (int i = 0; i < 255; ++i) text += static_cast<char>('a' + i % 26);
  text.copy(buffer, text.size());
  ASSERT_TRUE(toLengthPrefixed(buffer));
  EXPECT_EQ(std::string(buffer, 256), static_cast<char>(255) + text);
  toZeroTerminated(buffer);
  EXPECT_EQ(std::string(buffer), text);

  char tooLong[300] = {};
  std::string(256, 'x').copy(tooLong, 256);
  EXPECT_FALSE(toLengthPrefixed(tooLong));
  EXPECT_EQ(std::string(tooLong), std::string(256, 'x')) << "left unchanged";
}

TEST(LengthPrefixedString, EmptyStringsAndCodes) {
  char buffer[256] = {};
  ASSERT_TRUE(toLengthPrefixed(buffer));
  EXPECT_EQ(buffer[0], 0);
  codeToLengthPrefixed(kBadSelectorErr, buffer);
  EXPECT_EQ(std::string(buffer, 5), std::string("\x04!sel"));
  codeToLengthPrefixed(HEART_FOUR_CC('\xFF', 'a', '\x80', 'z'), buffer);
  EXPECT_EQ(std::string(buffer, 5), std::string("\x04\xFF"
                                                "a\x80z"));
}

}  // namespace
}  // namespace heart::testing
