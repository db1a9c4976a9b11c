// The parameter record is a stored format: its size, every word's offset and
// type, and the field table that every reader of the record goes by.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <type_traits>

#include "params/field_table.h"

namespace {

struct Expected {
  std::string name;
  size_t offset;
  FieldType type;
};

template <typename T>
constexpr FieldType typeOf() {
  return std::is_same_v<T, float> ? kFieldFloat : kFieldInt;
}

// Scalar members by name and by the C++ declaration; switches are told apart
// from whole numbers by the field table's own name list below.
#define SCALAR(member)                                                                        \
  Expected {                                                                                  \
#member, offsetof(ParameterRecord, member), typeOf < decltype(ParameterRecord::member)>() \
  }

const std::set<std::string> kSwitches = {"basicPattern",
                                         "randomShadowScaling",
                                         "halfFillShadow",
                                         "randomShadowDirection",
                                         "randomShadowOpacity",
                                         "randomSketchWeight",
                                         "randomSketchShift",
                                         "randomCurve",
                                         "newLayer",
                                         "symmetric",
                                         "randomDirectionPoints",
                                         "jitterCenter",
                                         "jitterScaling",
                                         "jitterFill",
                                         "jitterStroke",
                                         "jitterWidth",
                                         "randomWarp",
                                         "dropShadow",
                                         "symbolize",
                                         "randomScaling",
                                         "randomStyle",
                                         "randomOpacity",
                                         "randomWidth",
                                         "randomCreatePoints",
                                         "randomAngle",
                                         "randomStroke",
                                         "randomFillSwatches",
                                         "preview",
                                         "randomFill",
                                         "randomHeart",
                                         "anchorFlag1",
                                         "anchorFlag2",
                                         "anchorFlag3",
                                         "anchorFlag4"};

std::vector<Expected> expectedWords() {
  std::vector<Expected> words = {SCALAR(basicPattern),
                                 SCALAR(randomShadowScaling),
                                 SCALAR(halfFillShadow),
                                 SCALAR(randomShadowDirection),
                                 SCALAR(randomShadowOpacity),
                                 SCALAR(randomSketchWeight),
                                 SCALAR(randomSketchShift),
                                 SCALAR(randomCurve),
                                 SCALAR(newLayer),
                                 SCALAR(symmetric),
                                 SCALAR(randomDirectionPoints),
                                 SCALAR(jitterCenter),
                                 SCALAR(jitterScaling),
                                 SCALAR(jitterFill),
                                 SCALAR(jitterStroke),
                                 SCALAR(jitterWidth),
                                 SCALAR(randomWarp),
                                 SCALAR(dropShadow),
                                 SCALAR(symbolize),
                                 SCALAR(randomScaling),
                                 SCALAR(randomStyle),
                                 SCALAR(randomOpacity),
                                 SCALAR(randomWidth),
                                 SCALAR(randomCreatePoints),
                                 SCALAR(randomAngle),
                                 SCALAR(randomStroke),
                                 SCALAR(randomFillSwatches),
                                 SCALAR(preview),
                                 SCALAR(randomFill),
                                 SCALAR(randomHeart),
                                 SCALAR(anchorFlag1),
                                 SCALAR(anchorFlag2),
                                 SCALAR(anchorFlag3),
                                 SCALAR(anchorFlag4),
                                 SCALAR(viewZoom),
                                 SCALAR(interpolatePoints),
                                 SCALAR(sketchShift),
                                 SCALAR(sketchWeight),
                                 SCALAR(heartHeight),
                                 SCALAR(curveDistanceLeft),
                                 SCALAR(curveDistanceRight),
                                 SCALAR(curveHeightLeft),
                                 SCALAR(curveHeightRight),
                                 SCALAR(curveLengthLeft1),
                                 SCALAR(curveLengthLeft2),
                                 SCALAR(curveLengthRight1),
                                 SCALAR(curveLengthRight2),
                                 SCALAR(curveAngleLeft),
                                 SCALAR(curveAngleRight),
                                 SCALAR(heartAngle),
                                 SCALAR(centerX),
                                 SCALAR(centerY),
                                 SCALAR(scaleHorizontal),
                                 SCALAR(scaleVertical),
                                 SCALAR(slant)};
  for (int k = 0; k < 16; ++k)
    words.push_back({"shapeTweaks[" + std::to_string(k) + "]",
                     offsetof(ParameterRecord, shapeTweaks) + 4 * k, kFieldFloat});
  for (const Expected& word : {SCALAR(currentPage), SCALAR(sketchRepeats), SCALAR(sketchColorMode),
                               SCALAR(heartPreset), SCALAR(placementMode), SCALAR(heartCount),
                               SCALAR(settingsPreset), SCALAR(finalRun), SCALAR(previewDrawn)})
    words.push_back(word);
  for (int k = 0; k < 4; ++k)
    words.push_back({"dialogBounds[" + std::to_string(k) + "]",
                     offsetof(ParameterRecord, dialogBounds) + 4 * k, kFieldInt});
  words.push_back(SCALAR(hasDialogBounds));
  for (Expected& word : words)
    if (kSwitches.count(word.name)) word.type = kFieldBool;
  return words;
}

TEST(RecordLayout, IsEightyFiveWordsWithoutPadding) {
  EXPECT_EQ(sizeof(ParameterRecord), 340u);
  EXPECT_EQ(kRecordSize, 340);
  std::vector<Expected> words = expectedWords();
  ASSERT_EQ(words.size(), 85u);
  for (size_t i = 0; i < words.size(); ++i) EXPECT_EQ(words[i].offset, 4 * i) << words[i].name;
}

TEST(RecordLayout, FieldTableMatchesTheDeclaredRecord) {
  std::vector<Expected> words = expectedWords();
  ASSERT_EQ(static_cast<size_t>(kFieldCount), words.size());
  for (int i = 0; i < kFieldCount; ++i) {
    const FieldInfo& field = kFieldTable[i];
    SCOPED_TRACE(field.name);
    EXPECT_EQ(field.name, words[i].name);
    EXPECT_EQ(static_cast<size_t>(field.offset), words[i].offset);
    EXPECT_EQ(field.type, words[i].type);
    EXPECT_EQ(findField(field.name), &field);
    EXPECT_LE(field.minimum, field.maximum);
    if (field.type == kFieldBool) {
      EXPECT_EQ(field.minimum, 0);
      EXPECT_EQ(field.maximum, 1);
    }
  }
  EXPECT_EQ(findField("noSuchField"), nullptr);
  EXPECT_EQ(findField(nullptr), nullptr);
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
