// The parameter record is a stored format: 85 words without padding at fixed
// offsets. The table below is the record's published layout, written out
// here so that a field moved, retyped, re-ranged or bound to another dialog
// item in the plug-in's own field table shows up as a difference.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/params/field_table.h"

namespace heart::testing {
namespace {

struct PublishedField {
  const char* name;
  int32_t offset;
  FieldType type;
  float minimum;
  float maximum;
  const char* defaultValue;  // a number, "x"/"y" for the view centre, "-" when not written
  int32_t dialogItem;
};

const PublishedField kPublished[] = {
    {"basicPattern", 0, kFieldBool, 0, 1, "0", 147},
    {"randomShadowScaling", 4, kFieldBool, 0, 1, "0", 146},
    {"halfFillShadow", 8, kFieldBool, 0, 1, "0", 145},
    {"randomShadowDirection", 12, kFieldBool, 0, 1, "0", 143},
    {"randomShadowOpacity", 16, kFieldBool, 0, 1, "0", 144},
    {"randomSketchWeight", 20, kFieldBool, 0, 1, "1", 142},
    {"randomSketchShift", 24, kFieldBool, 0, 1, "1", 141},
    {"randomCurve", 28, kFieldBool, 0, 1, "0", 136},
    {"newLayer", 32, kFieldBool, 0, 1, "0", 135},
    {"symmetric", 36, kFieldBool, 0, 1, "0", 133},
    {"randomDirectionPoints", 40, kFieldBool, 0, 1, "0", 134},
    {"jitterCenter", 44, kFieldBool, 0, 1, "0", 131},
    {"jitterScaling", 48, kFieldBool, 0, 1, "0", 132},
    {"jitterFill", 52, kFieldBool, 0, 1, "0", 128},
    {"jitterStroke", 56, kFieldBool, 0, 1, "0", 129},
    {"jitterWidth", 60, kFieldBool, 0, 1, "0", 130},
    {"randomWarp", 64, kFieldBool, 0, 1, "0", 127},
    {"dropShadow", 68, kFieldBool, 0, 1, "0", 126},
    {"symbolize", 72, kFieldBool, 0, 1, "0", 125},
    {"randomScaling", 76, kFieldBool, 0, 1, "0", 124},
    {"randomStyle", 80, kFieldBool, 0, 1, "0", 123},
    {"randomOpacity", 84, kFieldBool, 0, 1, "0", 122},
    {"randomWidth", 88, kFieldBool, 0, 1, "0", 121},
    {"randomCreatePoints", 92, kFieldBool, 0, 1, "0", 120},
    {"randomAngle", 96, kFieldBool, 0, 1, "0", 119},
    {"randomStroke", 100, kFieldBool, 0, 1, "0", 117},
    {"randomFillSwatches", 104, kFieldBool, 0, 1, "0", 116},
    {"preview", 108, kFieldBool, 0, 1, "1", 3},
    {"randomFill", 112, kFieldBool, 0, 1, "0", 115},
    {"randomHeart", 116, kFieldBool, 0, 1, "0", 118},
    {"anchorFlag1", 120, kFieldBool, 0, 1, "1", 137},
    {"anchorFlag2", 124, kFieldBool, 0, 1, "1", 138},
    {"anchorFlag3", 128, kFieldBool, 0, 1, "1", 139},
    {"anchorFlag4", 132, kFieldBool, 0, 1, "1", 140},
    {"viewZoom", 136, kFieldFloat, 1, 500, "100", 27},
    {"interpolatePoints", 140, kFieldFloat, -1000, 1000, "0", 26},
    {"sketchShift", 144, kFieldFloat, 0, 200, "0", 23},
    {"sketchWeight", 148, kFieldFloat, 0, 400, "0", 24},
    {"heartHeight", 152, kFieldFloat, -1500, 2500, "100", 11},
    {"curveDistanceLeft", 156, kFieldFloat, -1000, 1000, "-70", 12},
    {"curveDistanceRight", 160, kFieldFloat, -1000, 1000, "70", 13},
    {"curveHeightLeft", 164, kFieldFloat, -1000, 1000, "40", 14},
    {"curveHeightRight", 168, kFieldFloat, -1000, 1000, "40", 15},
    {"curveLengthLeft1", 172, kFieldFloat, -2000, 2000, "60", 17},
    {"curveLengthLeft2", 176, kFieldFloat, -2000, 2000, "60", 18},
    {"curveLengthRight1", 180, kFieldFloat, -2000, 2000, "60", 19},
    {"curveLengthRight2", 184, kFieldFloat, -2000, 2000, "60", 20},
    {"curveAngleLeft", 188, kFieldFloat, -360, 360, "135", 21},
    {"curveAngleRight", 192, kFieldFloat, -360, 360, "45", 22},
    {"heartAngle", 196, kFieldFloat, -5000, 5000, "0", 6},
    {"centerX", 200, kFieldFloat, -5000, 5000, "x", 4},
    {"centerY", 204, kFieldFloat, -5000, 5000, "y", 5},
    {"scaleHorizontal", 208, kFieldFloat, -500, 500, "100", 8},
    {"scaleVertical", 212, kFieldFloat, -500, 500, "100", 9},
    {"slant", 216, kFieldFloat, -360, 360, "0", 16},
    {"shapeTweaks[0]", 220, kFieldFloat, -1500, 1500, "0", 40},
    {"shapeTweaks[1]", 224, kFieldFloat, -1500, 1500, "0", 41},
    {"shapeTweaks[2]", 228, kFieldFloat, -1500, 1500, "0", 42},
    {"shapeTweaks[3]", 232, kFieldFloat, -1500, 1500, "0", 43},
    {"shapeTweaks[4]", 236, kFieldFloat, -1500, 1500, "0", 44},
    {"shapeTweaks[5]", 240, kFieldFloat, -1500, 1500, "0", 45},
    {"shapeTweaks[6]", 244, kFieldFloat, -1500, 1500, "0", 46},
    {"shapeTweaks[7]", 248, kFieldFloat, -1500, 1500, "0", 47},
    {"shapeTweaks[8]", 252, kFieldFloat, -1500, 1500, "0", 48},
    {"shapeTweaks[9]", 256, kFieldFloat, -1500, 1500, "0", 49},
    {"shapeTweaks[10]", 260, kFieldFloat, -1500, 1500, "0", 50},
    {"shapeTweaks[11]", 264, kFieldFloat, -1500, 1500, "0", 51},
    {"shapeTweaks[12]", 268, kFieldFloat, -1500, 1500, "0", 52},
    {"shapeTweaks[13]", 272, kFieldFloat, -1500, 1500, "0", 53},
    {"shapeTweaks[14]", 276, kFieldFloat, -1500, 1500, "0", 54},
    {"shapeTweaks[15]", 280, kFieldFloat, -1500, 1500, "0", 55},
    {"currentPage", 284, kFieldInt, 1, 6, "1", 0},
    {"sketchRepeats", 288, kFieldInt, 0, 60, "0", 25},
    {"sketchColorMode", 292, kFieldInt, 0, 11, "0", 67},
    {"heartPreset", 296, kFieldInt, 0, 8, "0", 66},
    {"placementMode", 300, kFieldInt, 0, 7, "0", 10},
    {"heartCount", 304, kFieldInt, 1, 400, "1", 7},
    {"settingsPreset", 308, kFieldInt, 0, 26, "0", 65},
    {"finalRun", 312, kFieldInt, 0, 1, "-", 0},
    {"previewDrawn", 316, kFieldInt, 0, 1, "0", 0},
    {"dialogBounds[0]", 320, kFieldInt, 0, 0, "-", 0},
    {"dialogBounds[1]", 324, kFieldInt, 0, 0, "-", 0},
    {"dialogBounds[2]", 328, kFieldInt, 0, 0, "-", 0},
    {"dialogBounds[3]", 332, kFieldInt, 0, 0, "-", 0},
    {"hasDialogBounds", 336, kFieldInt, 0, 0, "0", 0},
};

TEST(RecordLayout, FieldTableIsThePublishedLayoutWordForWord) {
  static_assert(std::size(kPublished) == kFieldCount);
  EXPECT_EQ(sizeof(ParameterRecord), 340u);
  for (int i = 0; i < kFieldCount; ++i) {
    const PublishedField& expected = kPublished[i];
    const FieldInfo& field = kFieldTable[i];
    SCOPED_TRACE(expected.name);
    EXPECT_STREQ(field.name, expected.name);
    EXPECT_EQ(field.offset, expected.offset);
    EXPECT_EQ(field.type, expected.type);
    EXPECT_EQ(field.dialogItem, expected.dialogItem);
    if (field.ranged && expected.maximum > expected.minimum) {
      EXPECT_EQ(field.minimum, expected.minimum);
      EXPECT_EQ(field.maximum, expected.maximum);
    }
    EXPECT_EQ(findField(expected.name), &field);
  }
  EXPECT_EQ(findField("noSuchField"), nullptr);
  EXPECT_EQ(findField(nullptr), nullptr);
}

// The declared members sit at the published offsets: a stored record from
// an earlier session reads back into the same fields.
TEST(RecordLayout, MembersSitAtThePublishedOffsets) {
  ParameterRecord record;
  std::memset(&record, 0, sizeof record);
  record.basicPattern = 1;
  record.preview = 2;
  record.anchorFlag4 = 3;
  record.viewZoom = 4;
  record.centerX = 5;
  record.slant = 6;
  record.shapeTweaks[0] = 7;
  record.shapeTweaks[15] = 8;
  record.currentPage = 9;
  record.heartCount = 10;
  record.settingsPreset = 11;
  record.previewDrawn = 12;
  record.dialogBounds[3] = 13;
  record.hasDialogBounds = 14;
  const std::pair<int32_t, float> words[] = {{0, 1},    {108, 2},  {132, 3},  {136, 4}, {200, 5},
                                             {216, 6},  {220, 7},  {280, 8},  {284, 9}, {304, 10},
                                             {308, 11}, {316, 12}, {332, 13}, {336, 14}};
  const char* bytes = reinterpret_cast<const char*>(&record);
  for (const auto& [offset, value] : words) {
    int32_t whole = 0;
    float real = 0;
    std::memcpy(&whole, bytes + offset, 4);
    std::memcpy(&real, bytes + offset, 4);
    EXPECT_TRUE(whole == value || real == value) << "offset " << offset;
  }
}

TEST(RecordLayout, DefaultsAreThePublishedOnes) {
  const AIRealPoint centre = {306.5f, -41.25f};
  ParameterRecord record;
  std::memset(&record, 0x5a, sizeof record);
  setDefaults(&record, centre);
  for (const PublishedField& expected : kPublished) {
    SCOPED_TRACE(expected.name);
    const FieldInfo* field = findField(expected.name);
    ASSERT_NE(field, nullptr);
    const std::string value = expected.defaultValue;
    int32_t word = 0;
    std::memcpy(&word, reinterpret_cast<const char*>(&record) + expected.offset, 4);
    if (value == "-")
      EXPECT_EQ(word, 0x5a5a5a5a) << "left as it was";
    else if (value == "x")
      EXPECT_EQ(fieldValue(&record, *field), 106.5f);
    else if (value == "y")
      EXPECT_EQ(fieldValue(&record, *field), -41.25f);
    else
      EXPECT_EQ(fieldValue(&record, *field), std::stof(value));
  }
}

TEST(RecordLayout, FieldValuesReadAndWriteTheRightWord) {
  ParameterRecord record;
  std::memset(&record, 0, sizeof record);
  setFieldValue(&record, *findField("heartCount"), 37.0f);
  setFieldValue(&record, *findField("shapeTweaks[5]"), -12.5f);
  setFieldValue(&record, *findField("preview"), 1.0f);
  EXPECT_EQ(record.heartCount, 37);
  EXPECT_EQ(record.shapeTweaks[5], -12.5f);
  EXPECT_EQ(record.preview, 1);
  EXPECT_EQ(fieldValue(&record, *findField("shapeTweaks[5]")), -12.5f);
  EXPECT_EQ(record.shapeTweaks[4], 0.0f);
  EXPECT_EQ(record.shapeTweaks[6], 0.0f);
}

}  // namespace
}  // namespace heart::testing
