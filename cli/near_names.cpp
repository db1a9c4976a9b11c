#include "near_names.h"

#include <algorithm>
#include <cctype>

namespace heart::cli {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Letters put in, left out, changed, or two neighbours swapped, ignoring case.
size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t changed = lower(a[i - 1]) == lower(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + changed});
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) &&
          lower(a[i - 2]) == lower(b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

}  // namespace

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower(x) == lower(y); });
}

std::string nearestName(std::string_view typed, const std::vector<std::string>& names) {
  // Names far longer than anything typed on a command line are not compared.
  if (typed.empty() || typed.size() > 200) return {};
  const size_t allowed = std::max<size_t>(1, typed.size() / 4);
  size_t best = allowed + 1;
  std::string nearest;
  for (const std::string& name : names) {
    if (name.size() > typed.size() + allowed || name.size() + allowed < typed.size()) continue;
    size_t distance = editDistance(typed, name);
    if (distance < best) {
      best = distance;
      nearest = name;
    }
  }
  return nearest;
}

std::string didYouMean(std::string_view typed, const std::vector<std::string>& names) {
  std::string nearest = nearestName(typed, names);
  if (nearest.empty()) return {};
  std::string text = "; did you mean ";
  text += nearest;
  text += "?";
  return text;
}

}  // namespace heart::cli
