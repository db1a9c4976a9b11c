#include "services/number_strings.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace heart {

std::optional<float> parseNumber(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  // from_chars takes no leading '+', which people write.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  // Only decimal notation: from_chars would also read "nan", "inf" and
  // hexadecimal forms in some configurations.
  for (char c : text) {
    bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+';
    if (!allowed) return std::nullopt;
  }
  double value = 0;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(value);
}

std::optional<std::string> formatNumber(double value, int places) {
  if (!std::isfinite(value) || places < 0 || places > 20) return std::nullopt;
  char buffer[400];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
  if (error != std::errc()) return std::nullopt;
  std::string text(buffer, end);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace heart
