// Every check box and spin edit of the options dialog edits its own word of
// the record and no other: each is set alone, and the record before and after
// differs in exactly the field the item is bound to.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "dialog_session.h"
#include "plugin/params/field_table.h"

namespace heart::testing {
namespace {

enum class Kind { kCheckBox, kReal, kInteger };

struct Binding {
  int32_t item;
  const char* field;
  int32_t page;  // 0: always shown
  Kind kind;
  double value;  // the value set; check boxes flip their default
};

// Item, field and page of the dialog's layout; the values are distinct and
// inside each item's range, so a value that lands in another field shows.
// The enabling items (sketch repeats, drop shadow) come before the items they
// enable; "Symmetric" comes last because it disables the right-hand side.
const Binding kBindings[] = {
    {3, "preview", 0, Kind::kCheckBox, 0},
    {27, "viewZoom", 0, Kind::kReal, 237.25},
    {11, "heartHeight", 1, Kind::kReal, 1234.5},
    {12, "curveDistanceLeft", 1, Kind::kReal, -311.25},
    {13, "curveDistanceRight", 1, Kind::kReal, 322.75},
    {14, "curveHeightLeft", 1, Kind::kReal, -333.5},
    {15, "curveHeightRight", 1, Kind::kReal, 344.25},
    {16, "slant", 1, Kind::kReal, -17.75},
    {17, "curveLengthLeft1", 2, Kind::kReal, 1101.25},
    {18, "curveLengthLeft2", 2, Kind::kReal, -1102.5},
    {19, "curveLengthRight1", 2, Kind::kReal, 1103.75},
    {20, "curveLengthRight2", 2, Kind::kReal, -1104.25},
    {21, "curveAngleLeft", 2, Kind::kReal, 201.5},
    {22, "curveAngleRight", 2, Kind::kReal, -202.25},
    {40, "shapeTweaks[0]", 3, Kind::kReal, 501.25},
    {41, "shapeTweaks[1]", 3, Kind::kReal, -502.5},
    {42, "shapeTweaks[2]", 3, Kind::kReal, 503.75},
    {43, "shapeTweaks[3]", 3, Kind::kReal, -504.25},
    {44, "shapeTweaks[4]", 3, Kind::kReal, 505.5},
    {45, "shapeTweaks[5]", 3, Kind::kReal, -506.75},
    {46, "shapeTweaks[6]", 3, Kind::kReal, 507.25},
    {47, "shapeTweaks[7]", 3, Kind::kReal, -508.5},
    {48, "shapeTweaks[8]", 3, Kind::kReal, 509.75},
    {49, "shapeTweaks[9]", 3, Kind::kReal, -510.25},
    {50, "shapeTweaks[10]", 3, Kind::kReal, 511.5},
    {51, "shapeTweaks[11]", 3, Kind::kReal, -512.75},
    {52, "shapeTweaks[12]", 3, Kind::kReal, 513.25},
    {53, "shapeTweaks[13]", 3, Kind::kReal, -514.5},
    {54, "shapeTweaks[14]", 3, Kind::kReal, 515.75},
    {55, "shapeTweaks[15]", 3, Kind::kReal, -516.25},
    {137, "anchorFlag1", 3, Kind::kCheckBox, 0},
    {138, "anchorFlag2", 3, Kind::kCheckBox, 0},
    {139, "anchorFlag3", 3, Kind::kCheckBox, 0},
    {140, "anchorFlag4", 3, Kind::kCheckBox, 0},
    {26, "interpolatePoints", 3, Kind::kReal, -61.5},
    {4, "centerX", 4, Kind::kReal, -2345.25},
    {5, "centerY", 4, Kind::kReal, 3456.75},
    {6, "heartAngle", 4, Kind::kReal, -4321.5},
    {8, "scaleHorizontal", 4, Kind::kReal, -123.25},
    {9, "scaleVertical", 4, Kind::kReal, 456.5},
    {7, "heartCount", 4, Kind::kInteger, 37},
    {25, "sketchRepeats", 4, Kind::kInteger, 41},
    {24, "sketchWeight", 4, Kind::kReal, 287.75},
    {23, "sketchShift", 4, Kind::kReal, 143.25},
    {126, "dropShadow", 5, Kind::kCheckBox, 1},
    {115, "randomFill", 5, Kind::kCheckBox, 1},
    {116, "randomFillSwatches", 5, Kind::kCheckBox, 1},
    {117, "randomStroke", 5, Kind::kCheckBox, 1},
    {118, "randomHeart", 5, Kind::kCheckBox, 1},
    {120, "randomCreatePoints", 5, Kind::kCheckBox, 1},
    {121, "randomWidth", 5, Kind::kCheckBox, 1},
    {122, "randomOpacity", 5, Kind::kCheckBox, 1},
    {123, "randomStyle", 5, Kind::kCheckBox, 1},
    {134, "randomDirectionPoints", 5, Kind::kCheckBox, 1},
    {136, "randomCurve", 5, Kind::kCheckBox, 1},
    {143, "randomShadowDirection", 5, Kind::kCheckBox, 1},
    {144, "randomShadowOpacity", 5, Kind::kCheckBox, 1},
    {145, "halfFillShadow", 5, Kind::kCheckBox, 1},
    {146, "randomShadowScaling", 5, Kind::kCheckBox, 1},
    {119, "randomAngle", 6, Kind::kCheckBox, 1},
    {124, "randomScaling", 6, Kind::kCheckBox, 1},
    {125, "symbolize", 6, Kind::kCheckBox, 1},
    {127, "randomWarp", 6, Kind::kCheckBox, 1},
    {128, "jitterFill", 6, Kind::kCheckBox, 1},
    {129, "jitterStroke", 6, Kind::kCheckBox, 1},
    {130, "jitterWidth", 6, Kind::kCheckBox, 1},
    {131, "jitterCenter", 6, Kind::kCheckBox, 1},
    {132, "jitterScaling", 6, Kind::kCheckBox, 1},
    {135, "newLayer", 6, Kind::kCheckBox, 1},
    {141, "randomSketchShift", 6, Kind::kCheckBox, 0},
    {142, "randomSketchWeight", 6, Kind::kCheckBox, 0},
    {147, "basicPattern", 6, Kind::kCheckBox, 1},
    {133, "symmetric", 2, Kind::kCheckBox, 1},
};

TEST(ItemBindings, EachCheckBoxAndSpinEditEditsItsOwnFieldAlone) {
  DialogSession session;
  std::vector<std::pair<const Moment*, const Moment*>> steps;
  for (const Binding& binding : kBindings) {
    if (binding.page != 0) session.press(89 + binding.page);
    const Moment& before = session.capture();
    switch (binding.kind) {
      case Kind::kCheckBox:
        session.check(binding.item, binding.value != 0);
        break;
      case Kind::kReal:
        session.type(binding.item, binding.value);
        break;
      case Kind::kInteger:
        session.add(DialogEvent::setInteger(binding.item, static_cast<int32_t>(binding.value)));
        break;
    }
    steps.emplace_back(&before, &session.capture());
  }
  session.runDialog();

  ASSERT_EQ(steps.size(), std::size(kBindings));
  for (size_t i = 0; i < steps.size(); ++i) {
    const Binding& binding = kBindings[i];
    SCOPED_TRACE(binding.field);
    const FieldInfo* field = findField(binding.field);
    ASSERT_NE(field, nullptr);
    ParameterRecord expected = steps[i].first->record;
    setFieldValue(&expected, *field, static_cast<float>(binding.value));
    EXPECT_EQ(differences(steps[i].second->record, expected, {"finalRun", "previewDrawn"}), "")
        << "item " << binding.item;
  }
}

}  // namespace
}  // namespace heart::testing
