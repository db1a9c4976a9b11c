// A designer's drawing opened for --open and --edit: every input is read or
// refused with a message naming the file, and every drawing read takes the
// hearts (on a new layer, in the current layer, in place of each group of
// hearts) into text that reads back with the group where it was put.
#include "drawing/drawing.h"

namespace {

constexpr std::string_view kContent =
    "<metadata id=\"heart-run\">{}</metadata>\n<path d=\"M 1 2 L 3 4 Z\"/>\n";

void mustReadBack(const heart::Drawing& drawing, const heart::HeartsPlan& plan) {
  std::string text = heart::drawingWithHearts(drawing, plan, kContent);
  heart::Result<heart::Drawing> again = heart::readDrawing(std::move(text), "again.svg");
  if (!again) __builtin_trap();
  bool found = false;
  for (const heart::HeartGroup& group : again->heartGroups)
    found = found || group.element.id == plan.groupId;
  if (!found) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  heart::Result<heart::Drawing> drawing =
      heart::readDrawing(std::string(reinterpret_cast<const char*>(data), size), "fuzz.svg");
  if (!drawing) {
    if (drawing.error().rfind("fuzz.svg: ", 0) != 0) __builtin_trap();
    return 0;
  }
  for (bool newLayer : {true, false})
    if (heart::Result<heart::HeartsPlan> plan = heart::planNewHearts(*drawing, newLayer))
      mustReadBack(*drawing, *plan);
  for (size_t i = 0; i < drawing->heartGroups.size(); ++i)
    if (heart::Result<heart::HeartsPlan> plan = heart::planReplacedHearts(*drawing, i))
      mustReadBack(*drawing, *plan);
  return 0;
}
