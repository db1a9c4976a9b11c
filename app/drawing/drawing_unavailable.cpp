// Drawings in a build without libxml2 for its target (the 32-bit and
// Windows builds): opening one is refused with a clear message, and nothing
// is written.
#include "drawing/drawing.h"

namespace heart {

bool canOpenDrawings() { return false; }

Result<Drawing> readDrawing(std::string, const std::string& name) {
  return fail(name + ": " + kNoDrawingsInThisBuild);
}

Result<Drawing> openDrawing(const std::string& path) {
  return fail(path + ": " + kNoDrawingsInThisBuild);
}

}  // namespace heart
