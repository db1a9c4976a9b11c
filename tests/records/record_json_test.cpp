// The record's JSON form: byte-exact round trips and every refusal naming
// the field at fault.
#include "records/record_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "plugin/params/field_table.h"
#include "records/record_defaults.h"

namespace heart::testing {
namespace {

bool sameBytes(const ParameterRecord& a, const ParameterRecord& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A record whose every word is a random value its field may hold.
ParameterRecord randomValidRecord(std::mt19937& rng) {
  ParameterRecord record;
  std::memset(&record, 0, sizeof record);
  for (const FieldInfo& field : kFieldTable) {
    char* word = reinterpret_cast<char*>(&record) + field.offset;
    if (field.type == kFieldFloat) {
      std::uniform_real_distribution<float> value(field.minimum, field.maximum);
      float real = value(rng);
      std::memcpy(word, &real, 4);
    } else if (field.ranged) {
      std::uniform_int_distribution<int32_t> value(static_cast<int32_t>(field.minimum),
                                                   static_cast<int32_t>(field.maximum));
      int32_t whole = value(rng);
      std::memcpy(word, &whole, 4);
    } else {
      int32_t whole = static_cast<int32_t>(rng());
      std::memcpy(word, &whole, 4);
    }
  }
  return record;
}

// Why a result was refused; a text no test looks for when it was not.
template <class T>
std::string refusal(const Result<T>& result) {
  return result ? "(not refused)" : result.error();
}

ParameterRecord roundTripThroughText(const ParameterRecord& record) {
  auto json = recordToJson(record);
  EXPECT_TRUE(json) << refusal(json);
  if (!json) return ParameterRecord{};
  auto back = recordFromJsonText(json->dump(2));
  EXPECT_TRUE(back) << refusal(back);
  return back ? *back : ParameterRecord{};
}

TEST(RecordJsonRoundTrip, DefaultsComeBackByteForByte) {
  ParameterRecord record = defaultRecord({306, 396});
  EXPECT_TRUE(sameBytes(roundTripThroughText(record), record));
}

TEST(RecordJsonRoundTrip, RandomRecordsComeBackByteForByte) {
  std::mt19937 rng(20061);
  for (int i = 0; i < 300; ++i) {
    ParameterRecord record = randomValidRecord(rng);
    ASSERT_TRUE(sameBytes(roundTripThroughText(record), record)) << "record " << i;
  }
}

TEST(RecordJsonRoundTrip, AwkwardRealsKeepTheirBits) {
  ParameterRecord record = defaultRecord({0, 0});
  const float awkward[] = {0.1f,
                           -0.0f,
                           1e-40f,  // subnormal
                           std::numeric_limits<float>::denorm_min(),
                           1499.9999f,
                           -1500.0f,
                           1500.0f,
                           std::nextafter(1.0f, 2.0f),
                           1.0f / 3.0f,
                           16777217.0f / 16777216.0f};
  for (float value : awkward) {
    record.shapeTweaks[3] = value;
    ParameterRecord back = roundTripThroughText(record);
    EXPECT_TRUE(sameBytes(back, record)) << "value " << value;
  }
}

TEST(RecordJsonForm, NamesFieldsInRecordOrderWithArraysAndNativeTypes) {
  ParameterRecord record = defaultRecord({306, 396});
  record.shapeTweaks[15] = 2.5f;
  record.dialogBounds[2] = -9;
  RecordJson json = recordToJson(record).value();
  EXPECT_EQ(json.size(), 85u - 15u - 3u);
  EXPECT_EQ(json.begin().key(), "basicPattern");
  EXPECT_EQ(json.back(), 0);  // hasDialogBounds, the last word
  EXPECT_TRUE(json["preview"].is_boolean());
  EXPECT_EQ(json["preview"], true);
  EXPECT_TRUE(json["heartCount"].is_number_integer());
  EXPECT_TRUE(json["heartHeight"].is_number_float());
  ASSERT_EQ(json["shapeTweaks"].size(), 16u);
  EXPECT_EQ(json["shapeTweaks"][15], 2.5);
  ASSERT_EQ(json["dialogBounds"].size(), 4u);
  EXPECT_EQ(json["dialogBounds"][2], -9);
  // Reals are written in their shortest form, not as long doubles.
  record.heartHeight = 0.1f;
  EXPECT_NE(recordToJson(record)->dump().find("\"heartHeight\":0.1,"), std::string::npos);
}

TEST(RecordJsonForm, BaseRecordFillsAbsentFields) {
  ParameterRecord base = defaultRecord({306, 396});
  auto record = recordFromJsonText(R"({"heartCount": 12, "randomWarp": true})", &base);
  ASSERT_TRUE(record) << refusal(record);
  EXPECT_EQ(record->heartCount, 12);
  EXPECT_EQ(record->randomWarp, 1);
  ParameterRecord expected = base;
  expected.heartCount = 12;
  expected.randomWarp = 1;
  EXPECT_TRUE(sameBytes(*record, expected));
}

// JSON text of the defaults with one member's value replaced.
std::string defaultsWith(const std::string& member, const std::string& valueText) {
  RecordJson json = recordToJson(defaultRecord({306, 396})).value();
  std::string text = json.dump(1);
  std::string key = "\"" + member + "\": ";
  size_t start = text.find(key);
  EXPECT_NE(start, std::string::npos) << member;
  start += key.size();
  size_t depth = 0, end = start;
  for (; end < text.size(); ++end) {
    char c = text[end];
    if (c == '[') ++depth;
    if (c == ']') --depth;
    if (depth == 0 && (c == ',' || c == '\n')) break;
  }
  return text.substr(0, start) + valueText + text.substr(end);
}

struct Refusal {
  std::string member;
  std::string value;
  std::string mentions;  // the field the error must name
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
  *out << refusal.member << " = " << refusal.value;
}

class RecordJsonRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(RecordJsonRefusal, NamesTheField) {
  const Refusal& refusal = GetParam();
  auto record = recordFromJsonText(defaultsWith(refusal.member, refusal.value));
  EXPECT_FALSE(record);
  EXPECT_NE(heart::testing::refusal(record).find("\"" + refusal.mentions + "\""), std::string::npos)
      << heart::testing::refusal(record);
}

INSTANTIATE_TEST_SUITE_P(
    WrongTypes, RecordJsonRefusal,
    ::testing::Values(Refusal{"preview", "1", "preview"},
                      Refusal{"heartCount", "1.5", "heartCount"},
                      Refusal{"heartCount", "\"3\"", "heartCount"},
                      Refusal{"heartHeight", "\"100\"", "heartHeight"},
                      Refusal{"heartHeight", "null", "heartHeight"},
                      Refusal{"shapeTweaks", "[1, 2, 3]", "shapeTweaks"},
                      Refusal{"shapeTweaks", "[0,0,0,0,0,0,0,0,0,0,0,true,0,0,0,0]",
                              "shapeTweaks[11]"},
                      Refusal{"dialogBounds", "[0, 0, 0, 0.5]", "dialogBounds[3]"}));

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, RecordJsonRefusal,
    ::testing::Values(
        Refusal{"heartCount", "0", "heartCount"}, Refusal{"heartCount", "401", "heartCount"},
        Refusal{"heartHeight", "2500.5", "heartHeight"}, Refusal{"viewZoom", "0.5", "viewZoom"},
        Refusal{"currentPage", "7", "currentPage"}, Refusal{"finalRun", "2", "finalRun"},
        Refusal{"dialogBounds", "[0, 0, 4294967296, 0]", "dialogBounds[2]"},
        Refusal{"shapeTweaks", "[0,0,0,0,0,0,0,0,0,0,0,0,0,0,-1501,0]", "shapeTweaks[14]"}));

INSTANTIATE_TEST_SUITE_P(NotFinite, RecordJsonRefusal,
                         ::testing::Values(Refusal{"heartHeight", "NaN", "heartHeight"},
                                           Refusal{"slant", "-Infinity", "slant"},
                                           Refusal{"centerX", "1e39", "centerX"},
                                           Refusal{"centerY", "1e999", "centerY"},
                                           Refusal{"slant", "-10e999999999999991", "slant"},
                                           Refusal{"shapeTweaks",
                                                   "[0, 0, NaN, 0,0,0,0,0,0,0,0,0,0,0,0,0]",
                                                   "shapeTweaks[2]"}));

TEST(RecordJsonRefusals, RangeEndsAreAccepted) {
  EXPECT_TRUE(recordFromJsonText(defaultsWith("heartCount", "400")));
  EXPECT_TRUE(recordFromJsonText(defaultsWith("heartHeight", "-1500")));
  EXPECT_TRUE(recordFromJsonText(defaultsWith("viewZoom", "500")));
}

TEST(RecordJsonRefusals, UnknownAndMissingFieldsAreNamed) {
  RecordJson json = recordToJson(defaultRecord({306, 396})).value();
  json["heartHieght"] = 100;
  EXPECT_NE(refusal(recordFromJson(json)).find("unknown field \"heartHieght\""), std::string::npos);

  json = recordToJson(defaultRecord({306, 396})).value();
  json.erase("sketchRepeats");
  EXPECT_NE(refusal(recordFromJson(json)).find("\"sketchRepeats\" is missing"), std::string::npos);

  std::string text = recordToJson(defaultRecord({306, 396})).value().dump();
  text.insert(1, "\"heartCount\": 50, ");
  EXPECT_NE(refusal(recordFromJsonText(text)).find("\"heartCount\" is given more than once"),
            std::string::npos);

  EXPECT_NE(refusal(recordFromJsonText("[1, 2]")).find("object"), std::string::npos);
}

TEST(RecordJsonRefusals, SyntaxErrorsGiveLineAndField) {
  const std::string error = refusal(recordFromJsonText(defaultsWith("heartCount", "12,,")));
  EXPECT_NE(error.find("line"), std::string::npos) << error;
  EXPECT_NE(error.find("heartCount"), std::string::npos) << error;
}

TEST(RecordJsonRefusals, StoredValuesAreCheckedBeforeShowing) {
  ParameterRecord record = defaultRecord({306, 396});
  record.heartHeight = std::numeric_limits<float>::quiet_NaN();
  EXPECT_NE(refusal(recordToJson(record)).find("\"heartHeight\""), std::string::npos);

  record = defaultRecord({306, 396});
  record.symmetric = 2;
  EXPECT_NE(refusal(recordToJson(record)).find("\"symmetric\""), std::string::npos);

  record = defaultRecord({306, 396});
  record.shapeTweaks[9] = 1e6f;
  EXPECT_NE(refusal(checkRecord(record)).find("\"shapeTweaks[9]\""), std::string::npos);

  record = defaultRecord({306, 396});
  record.heartCount = 0;
  EXPECT_NE(refusal(checkRecord(record)).find("\"heartCount\""), std::string::npos);
}

}  // namespace
}  // namespace heart::testing
