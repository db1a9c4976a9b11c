// The colour keywords of CSS: 148 names (gray and grey both spelled), each
// with its sRGB value as 0xRRGGBB, in alphabetical order.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace heart {

struct CssColourName {
  const char* name;
  uint32_t rgb;
};

constexpr int kCssColourNameCount = 148;
extern const CssColourName kCssColourNames[kCssColourNameCount];

// The value of a keyword, matched without regard to case; none for another word.
std::optional<uint32_t> cssColourNamed(std::string_view name);

}  // namespace heart
