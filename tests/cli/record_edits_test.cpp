// The "--set field=value" edits: read once into checked edits, then written
// into a record with the field table's setters.
#include "record_edits.h"

#include <gtest/gtest.h>

#include <cstring>

#include "records/record_defaults.h"

namespace heart::testing {
namespace {

using cli::applyFieldEdits;
using cli::FieldEdit;
using cli::parseFieldEdits;

ParameterRecord defaults() { return defaultRecord(AIRealPoint{306, 396}); }

ParameterRecord edited(const std::vector<std::string>& edits) {
  Result<std::vector<FieldEdit>> parsed = parseFieldEdits(edits);
  EXPECT_TRUE(parsed) << parsed.error();
  ParameterRecord record = defaults();
  if (parsed) applyFieldEdits(&record, *parsed);
  return record;
}

std::string refusal(const std::vector<std::string>& edits) {
  Result<std::vector<FieldEdit>> parsed = parseFieldEdits(edits);
  EXPECT_FALSE(parsed) << edits.front();
  return parsed ? std::string() : parsed.error();
}

TEST(FieldEdits, EachEditReachesTheWordItNames) {
  const ParameterRecord base = defaults();
  struct Case {
    const char* edit;
    void (*expect)(const ParameterRecord&);
  };
  const Case cases[] = {
      {"heartCount=20", [](const ParameterRecord& r) { EXPECT_EQ(r.heartCount, 20); }},
      {"heartCount=2e1", [](const ParameterRecord& r) { EXPECT_EQ(r.heartCount, 20); }},
      {"heartCount= 7 ", [](const ParameterRecord& r) { EXPECT_EQ(r.heartCount, 7); }},
      {"dropShadow=1", [](const ParameterRecord& r) { EXPECT_EQ(r.dropShadow, 1); }},
      {"dropShadow=true", [](const ParameterRecord& r) { EXPECT_EQ(r.dropShadow, 1); }},
      {"preview=0", [](const ParameterRecord& r) { EXPECT_EQ(r.preview, 0); }},
      {"slant=-12.25", [](const ParameterRecord& r) { EXPECT_EQ(r.slant, -12.25f); }},
      {"slant=0.1", [](const ParameterRecord& r) { EXPECT_EQ(r.slant, 0.1f); }},
      {"centerX=5000", [](const ParameterRecord& r) { EXPECT_EQ(r.centerX, 5000.0f); }},
      {"shapeTweaks[3]=12.5", [](const ParameterRecord& r) { EXPECT_EQ(r.shapeTweaks[3], 12.5f); }},
      {"shapeTweaks[15]=-1500",
       [](const ParameterRecord& r) { EXPECT_EQ(r.shapeTweaks[15], -1500.0f); }},
      // The index as strtol reads it.
      {"shapeTweaks[+3]=4", [](const ParameterRecord& r) { EXPECT_EQ(r.shapeTweaks[3], 4.0f); }},
      {"shapeTweaks[ 3]=5", [](const ParameterRecord& r) { EXPECT_EQ(r.shapeTweaks[3], 5.0f); }},
      {"shapeTweaks[03]=6", [](const ParameterRecord& r) { EXPECT_EQ(r.shapeTweaks[3], 6.0f); }},
      {"shapeTweaks[-0]=7", [](const ParameterRecord& r) { EXPECT_EQ(r.shapeTweaks[0], 7.0f); }},
      {"sketchColorMode=11", [](const ParameterRecord& r) { EXPECT_EQ(r.sketchColorMode, 11); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edit);
    ParameterRecord record = edited({c.edit});
    c.expect(record);
    // Nothing else changes.
    int differing = 0;
    for (size_t byte = 0; byte < sizeof record; byte += 4)
      differing += std::memcmp(reinterpret_cast<const char*>(&record) + byte,
                               reinterpret_cast<const char*>(&base) + byte, 4) != 0;
    EXPECT_EQ(differing, 1);
  }
}

TEST(FieldEdits, TheReservedWordsTakeAnyThirtyTwoBitValue) {
  ParameterRecord record = edited({"dialogBounds[2]=-2147483648", "hasDialogBounds=7"});
  int32_t bound = 0, has = 0;
  std::memcpy(&bound, reinterpret_cast<const char*>(&record) + 328, 4);
  std::memcpy(&has, reinterpret_cast<const char*>(&record) + 336, 4);
  EXPECT_EQ(bound, INT32_MIN);
  EXPECT_EQ(has, 7);
}

TEST(FieldEdits, EditsGoOnInOrderSoTheLastOfAFieldStays) {
  ParameterRecord record = edited({"heartCount=5", "slant=3", "heartCount=7"});
  EXPECT_EQ(record.heartCount, 7);
  EXPECT_EQ(record.slant, 3.0f);
}

TEST(FieldEdits, AFaultyEditIsRefusedWithAMessageNamingIt) {
  const struct {
    const char* edit;
    const char* message;
  } cases[] = {
      {"heartCount", "\"heartCount\" is not field=value"},
      {"=1", "\"=1\" is not field=value"},
      {"heartCount=nan", "field heartCount: \"nan\" is not a number, true or false"},
      {"heartCount=1e999", "field heartCount: \"1e999\" is not a number, true or false"},
      {"heartCount=\"3\"", "field heartCount: \"\"3\"\" is not a number, true or false"},
      {"heartCount=", "field heartCount: \"\" is not a number, true or false"},
      {"noSuch=abc", "field noSuch: \"abc\" is not a number, true or false"},
      {"shapeTweaks=[1]", "field shapeTweaks: \"[1]\" is not a number, true or false"},
      {"noSuch=1", "field noSuch is not a field of the record (`heart fields` lists them)"},
      {"shapeTweaks[16]=1",
       "field shapeTweaks[16] is not a field of the record (`heart fields` lists them)"},
      {"shapeTweaks[-1]=1",
       "field shapeTweaks[-1] is not a field of the record (`heart fields` lists them)"},
      {"shapeTweaks[3 ]=1",
       "field shapeTweaks[3 ] is not a field of the record (`heart fields` lists them)"},
      {"shapeTweaks[]=1",
       "field shapeTweaks[] is not a field of the record (`heart fields` lists them)"},
      {"shapeTweaks[3=1",
       "field shapeTweaks[3 is not a field of the record (`heart fields` lists them)"},
      {"heartCount[0]=1",
       "field heartCount[0] is not a field of the record (`heart fields` lists them)"},
      {"dialogBounds[4]=1",
       "field dialogBounds[4] is not a field of the record (`heart fields` lists them)"},
      {"shapeTweaks=1.5", "field \"shapeTweaks\" must be an array of 16 values, not 1.5"},
      {"dialogBounds=3", "field \"dialogBounds\" must be an array of 4 values, not 3"},
      {"heartCount=401", "field \"heartCount\" is 401, outside its range 1 to 400"},
      {"heartCount=1e9", "field \"heartCount\" is 1000000000, outside its range 1 to 400"},
      {"heartCount=2.5", "field \"heartCount\" must be a whole number, not 2.5"},
      {"heartCount=true", "field \"heartCount\" must be a whole number, not true"},
      {"dropShadow=2", "field \"dropShadow\" must be true or false, not 2"},
      {"dropShadow=0.5", "field \"dropShadow\" must be true or false, not 0.5"},
      {"slant=true", "field \"slant\" must be a number, not true"},
      {"slant=-361", "field \"slant\" is -361, outside its range -360 to 360"},
      {"slant=1e300", "field \"slant\" is 1e+300, not a finite 32-bit real"},
      {"shapeTweaks[3]=2000", "field \"shapeTweaks[3]\" is 2000, outside its range -1500 to 1500"},
      {"dialogBounds[0]=4294967296",
       "field \"dialogBounds[0]\" is 4294967296, outside its range of a 32-bit word"},
  };
  for (const auto& c : cases) EXPECT_EQ(refusal({c.edit}), c.message) << c.edit;
}

// Names and switches as people type them: any case, on/off and yes/no, and a
// near miss answered with the field that was probably meant.
TEST(FieldEdits, NamesInAnyCaseSwitchesInWordsAndNearMissesNamed) {
  Result<std::vector<FieldEdit>> edits = parseFieldEdits(
      {"HEARTCOUNT=7", "shapetweaks[2]=5", "dropShadow=on", "newLayer=Yes", "preview=off"});
  ASSERT_TRUE(edits) << edits.error();
  ParameterRecord record{};
  record.preview = 1;
  applyFieldEdits(&record, *edits);
  EXPECT_EQ(record.heartCount, 7);
  EXPECT_EQ(record.shapeTweaks[2], 5.0f);
  EXPECT_EQ(record.dropShadow, 1);
  EXPECT_EQ(record.newLayer, 1);
  EXPECT_EQ(record.preview, 0);
  EXPECT_EQ(refusal({"heartCont=5"}),
            "field heartCont is not a field of the record; did you mean heartCount? (`heart "
            "fields` lists them)");
  EXPECT_EQ(refusal({"dropShadwo=1"}),
            "field dropShadwo is not a field of the record; did you mean dropShadow? (`heart "
            "fields` lists them)");
  EXPECT_EQ(refusal({"colour=1"}),
            "field colour is not a field of the record (`heart fields` lists them)");
}

// A name is looked up whole: one cut short at a NUL byte names no field, and
// an array's element followed by a NUL does not hang the search for its length.
TEST(FieldEdits, ANameHoldingANulByteNamesNoField) {
  using namespace std::string_literals;
  EXPECT_EQ(refusal({"heartCount\0x=5"s}),
            "field heartCount\0x is not a field of the record (`heart fields` lists them)"s);
  EXPECT_EQ(refusal({"shapeTweaks[1]\0\xff=1"s}),
            "field shapeTweaks[1]\0\xff is not a field of the record (`heart fields` lists them)"s);
}

TEST(FieldEdits, TheFirstFaultyEditIsTheOneNamedEvenWhenALaterOneWouldMendIt) {
  EXPECT_EQ(refusal({"heartCount=1000", "basicPattern=5"}),
            "field \"heartCount\" is 1000, outside its range 1 to 400");
  EXPECT_EQ(refusal({"heartCount=3", "heartCount=1000", "heartCount=5"}),
            "field \"heartCount\" is 1000, outside its range 1 to 400");
  EXPECT_EQ(refusal({"slant=1", "noSuch=1", "heartCount=0"}),
            "field noSuch is not a field of the record (`heart fields` lists them)");
}

}  // namespace
}  // namespace heart::testing
