#include "core/json_depth.h"

namespace heart {

Result<void> checkJsonDepth(std::string_view text, int limit) {
  int depth = 0;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;  // the escaped character, a quote included
      } else if (c == '"') {
        inString = false;
      }
      continue;
    }
    if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit)
        return fail("the JSON nests deeper than " + std::to_string(limit) +
                    " levels (at character " + std::to_string(i + 1) + ")");
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return {};
}

}  // namespace heart
