// The parameter record is a stored format: 85 words without padding, the
// switches first, then the reals, then the whole numbers; the field table
// that every reader of the record goes by covers each word exactly once.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "params/field_table.h"

namespace {

TEST(RecordLayout, IsEightyFiveWordsWithoutPadding) {
  EXPECT_EQ(sizeof(ParameterRecord), 340u);
  EXPECT_EQ(kRecordSize, 340);
  EXPECT_EQ(offsetof(ParameterRecord, viewZoom), 136u);
  EXPECT_EQ(offsetof(ParameterRecord, shapeTweaks), 220u);
  EXPECT_EQ(offsetof(ParameterRecord, currentPage), 284u);
  EXPECT_EQ(offsetof(ParameterRecord, hasDialogBounds), 336u);
}

TEST(RecordLayout, FieldTableCoversEveryWordOnceInOrder) {
  std::set<std::string> names;
  for (int i = 0; i < kFieldCount; ++i) {
    const FieldInfo& field = kFieldTable[i];
    SCOPED_TRACE(field.name);
    EXPECT_EQ(field.offset, 4 * i);
    EXPECT_TRUE(names.insert(field.name).second) << "name used twice";
    EXPECT_EQ(findField(field.name), &field);
    // Words 0 to 33 are switches, 34 to 70 reals, the rest whole numbers.
    FieldType expected = i < 34 ? kFieldBool : i < 71 ? kFieldFloat : kFieldInt;
    EXPECT_EQ(field.type, expected);
    EXPECT_LE(field.minimum, field.maximum);
    if (field.type == kFieldBool) {
      EXPECT_EQ(field.minimum, 0);
      EXPECT_EQ(field.maximum, 1);
    }
  }
  EXPECT_EQ(findField("noSuchField"), nullptr);
  EXPECT_EQ(findField(nullptr), nullptr);
}

TEST(RecordLayout, NamedEntriesMatchTheDeclaredMembers) {
  const std::pair<const char*, size_t> members[] = {
      {"basicPattern", offsetof(ParameterRecord, basicPattern)},
      {"preview", offsetof(ParameterRecord, preview)},
      {"anchorFlag4", offsetof(ParameterRecord, anchorFlag4)},
      {"viewZoom", offsetof(ParameterRecord, viewZoom)},
      {"centerX", offsetof(ParameterRecord, centerX)},
      {"centerY", offsetof(ParameterRecord, centerY)},
      {"slant", offsetof(ParameterRecord, slant)},
      {"shapeTweaks[0]", offsetof(ParameterRecord, shapeTweaks)},
      {"shapeTweaks[15]", offsetof(ParameterRecord, shapeTweaks) + 60},
      {"currentPage", offsetof(ParameterRecord, currentPage)},
      {"heartCount", offsetof(ParameterRecord, heartCount)},
      {"finalRun", offsetof(ParameterRecord, finalRun)},
      {"previewDrawn", offsetof(ParameterRecord, previewDrawn)},
      {"dialogBounds[3]", offsetof(ParameterRecord, dialogBounds) + 12},
      {"hasDialogBounds", offsetof(ParameterRecord, hasDialogBounds)}};
  for (const auto& [name, offset] : members) {
    const FieldInfo* field = findField(name);
    ASSERT_NE(field, nullptr) << name;
    EXPECT_EQ(static_cast<size_t>(field->offset), offset) << name;
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
