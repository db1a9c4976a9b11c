#include "document/swatch_list.h"

namespace heart {

namespace {

Swatch gray(const char* name, float ink) {
  return Swatch{name, AIColor{kGrayColor, {ink, 0, 0, 0}, 0}};
}
Swatch process(const char* name, float c, float m, float y, float k) {
  return Swatch{name, AIColor{kFourColor, {c, m, y, k}, 0}};
}
Swatch rgb(const char* name, float r, float g, float b) {
  return Swatch{name, AIColor{kThreeColor, {r, g, b, 0}, 0}};
}

}  // namespace

std::vector<Swatch> defaultSwatches() {
  return {
      Swatch{"[None]", AIColor{kNoneColor, {0, 0, 0, 0}, 0}},
      // Registration prints on every plate.
      process("[Registration]", 1, 1, 1, 1),
      gray("White", 0),
      gray("Black", 1),
      rgb("Red", 1, 0, 0),
      process("Rose", 0, 0.8f, 0.4f, 0),
      rgb("Pink", 1, 0.6f, 0.75f),
      rgb("Orange", 1, 0.5f, 0),
      process("Yellow", 0, 0, 1, 0),
      rgb("Green", 0, 0.6f, 0.2f),
      process("Cyan", 1, 0, 0, 0),
      rgb("Blue", 0, 0.3f, 1),
      process("Magenta", 0, 1, 0, 0),
      rgb("Purple", 0.5f, 0, 0.6f),
      process("Brown", 0, 0.5f, 0.8f, 0.5f),
      gray("50% Gray", 0.5f),
  };
}

}  // namespace heart
