// The `heart` command as a person runs it.
#include <gtest/gtest.h>

#include <cstring>
#include <nlohmann/json.hpp>

#include "command_runner.h"
#include "plugin/params/parameter_record.h"

namespace heart::testing {
namespace {

class HeartCommand : public ::testing::Test {
 protected:
  CommandResult heart(const std::vector<std::string>& arguments) {
    return runHeart(arguments, scratch.path());
  }
  ScratchFolder scratch;
};

TEST_F(HeartCommand, VersionAndHelp) {
  CommandResult version = heart({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "heart 1.4.0\n");

  CommandResult help = heart({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* verb : {"filters", "about", "record", "--plugin"})
    EXPECT_NE(help.out.find(verb), std::string::npos) << verb;

  EXPECT_NE(heart({}).exitCode, 0) << "a verb is required";
  EXPECT_NE(heart({"frobnicate"}).exitCode, 0);
}

TEST_F(HeartCommand, FiltersListsCategoryAndTitleFromTheModule) {
  CommandResult filters = heart({"filters"});
  EXPECT_EQ(filters.exitCode, 0) << filters.err;
  EXPECT_NE(filters.out.find("Zelt <Create>  Heart...\n"), std::string::npos) << filters.out;

  // The same through an explicit module file and through its folder.
  EXPECT_EQ(heart({"--plugin", HEART_MODULE_PATH, "filters"}).out, filters.out);
  EXPECT_EQ(heart({"filters", "--plugin", HEART_MODULE_DIR}).out, filters.out);
}

TEST_F(HeartCommand, MissingOrForeignModuleIsAClearError) {
  CommandResult missing = heart({"--plugin", "/no/such/Norv_Heart.aip", "filters"});
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_NE(missing.err.find("not found"), std::string::npos) << missing.err;
  EXPECT_EQ(missing.out, "");

  writeFile(scratch / "empty.aip", "");
  CommandResult foreign = heart({"--plugin", "empty.aip", "about"});
  EXPECT_NE(foreign.exitCode, 0);
  EXPECT_NE(foreign.err.find("empty.aip"), std::string::npos) << foreign.err;

  std::filesystem::create_directory(scratch / "nothing");
  CommandResult emptyFolder = heart({"--plugin", "nothing", "filters"});
  EXPECT_NE(emptyFolder.exitCode, 0);
  EXPECT_NE(emptyFolder.err.find("no plug-in modules"), std::string::npos) << emptyFolder.err;
}

TEST_F(HeartCommand, AboutPrintsTheAboutBoxAndItIsConfirmed) {
  CommandResult about = heart({"about"});
  EXPECT_EQ(about.exitCode, 0) << about.err;
  EXPECT_EQ(about.out.rfind("Heart Plug-in About\n", 0), 0u) << about.out;
  for (const char* line : {"Plugin Name: Heart", "Release Date: September 2006", "1.4"})
    EXPECT_NE(about.out.find(line), std::string::npos) << line;
  EXPECT_EQ(about.err, "");
}

ParameterRecord recordIn(const std::filesystem::path& path) {
  std::string bytes = readFile(path);
  ParameterRecord record{};
  EXPECT_EQ(bytes.size(), sizeof record);
  std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
  return record;
}

TEST_F(HeartCommand, RecordRoundTripIsByteForByte) {
  ASSERT_EQ(heart({"record", "defaults", "-o", "first.rec"}).exitCode, 0);
  ParameterRecord defaults = recordIn(scratch / "first.rec");
  EXPECT_EQ(defaults.heartCount, 1);
  EXPECT_EQ(defaults.centerX, 612.0f / 2 - 200);
  EXPECT_EQ(defaults.centerY, 792.0f / 2);

  CommandResult shown = heart({"record", "show", "first.rec"});
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  nlohmann::json json = nlohmann::json::parse(shown.out);
  EXPECT_EQ(json["heartHeight"], 100.0);
  EXPECT_EQ(json["preview"], true);

  // Change values the way a person edits the JSON, then pack it.
  json["heartCount"] = 25;
  json["shapeTweaks"][7] = -0.1;
  json["randomWarp"] = true;
  writeFile(scratch / "edited.json", json.dump(2));
  CommandResult packed = heart({"record", "pack", "edited.json", "-o", "edited.rec"});
  ASSERT_EQ(packed.exitCode, 0) << packed.err;
  ParameterRecord edited = recordIn(scratch / "edited.rec");
  EXPECT_EQ(edited.heartCount, 25);
  EXPECT_EQ(edited.shapeTweaks[7], -0.1f);
  EXPECT_EQ(edited.randomWarp, 1);

  // show -o, pack: the same bytes again.
  ASSERT_EQ(heart({"record", "show", "edited.rec", "-o", "again.json"}).exitCode, 0);
  ASSERT_EQ(heart({"record", "pack", "again.json", "-o", "again.rec"}).exitCode, 0);
  EXPECT_EQ(readFile(scratch / "again.rec"), readFile(scratch / "edited.rec"));
}

TEST_F(HeartCommand, RecordDefaultsFollowThePageCentre) {
  ASSERT_EQ(
      heart({"record", "defaults", "--page-width", "1000", "--page-height", "600", "-o", "r.rec"})
          .exitCode,
      0);
  ParameterRecord record = recordIn(scratch / "r.rec");
  EXPECT_EQ(record.centerX, 300.0f);
  EXPECT_EQ(record.centerY, 300.0f);

  CommandResult badPage = heart({"record", "defaults", "--page-width", "-5", "-o", "bad.rec"});
  EXPECT_NE(badPage.exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(scratch / "bad.rec"));
}

struct BadJson {
  const char* name;
  const char* from;  // text in the defaults' JSON ...
  const char* to;    // ... replaced by this
  const char* field;
};

void PrintTo(const BadJson& bad, std::ostream* out) { *out << bad.name; }

class RecordPackRefusal : public HeartCommand, public ::testing::WithParamInterface<BadJson> {};

TEST_P(RecordPackRefusal, NamesTheFieldWritesNothingAndLeavesFilesAlone) {
  ASSERT_EQ(heart({"record", "defaults", "-o", "d.rec"}).exitCode, 0);
  std::string json = heart({"record", "show", "d.rec"}).out;
  size_t at = json.find(GetParam().from);
  ASSERT_NE(at, std::string::npos) << GetParam().from;
  json.replace(at, std::strlen(GetParam().from), GetParam().to);
  writeFile(scratch / "bad.json", json);
  writeFile(scratch / "old.rec", "an earlier file");

  CommandResult result = heart({"record", "pack", "bad.json", "-o", "old.rec"});
  EXPECT_NE(result.exitCode, 0);
  EXPECT_NE(result.err.find(std::string("\"") + GetParam().field + "\""), std::string::npos)
      << result.err;
  EXPECT_EQ(readFile(scratch / "bad.json"), json) << "the input is untouched";
  EXPECT_EQ(readFile(scratch / "old.rec"), "an earlier file") << "nothing was written";

  result = heart({"record", "pack", "bad.json", "-o", "new.rec"});
  EXPECT_NE(result.exitCode, 0);
  EXPECT_FALSE(std::filesystem::exists(scratch / "new.rec"));
  for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
        << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RecordPackRefusal,
    ::testing::Values(
        BadJson{"NaN", "\"heartHeight\": 100.0", "\"heartHeight\": NaN", "heartHeight"},
        BadJson{"OutOfRange", "\"heartCount\": 1", "\"heartCount\": 401", "heartCount"},
        BadJson{"UnknownField", "\"slant\"", "\"slope\"", "slope"},
        BadJson{"WrongType", "\"symmetric\": false", "\"symmetric\": 0", "symmetric"},
        BadJson{"ArrayElement", "\"shapeTweaks\": [\n    0.0", "\"shapeTweaks\": [\n    1600",
                "shapeTweaks[0]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeartCommand, RecordShowRefusesFilesThatAreNoValidRecord) {
  ASSERT_EQ(heart({"record", "defaults", "-o", "d.rec"}).exitCode, 0);
  std::string bytes = readFile(scratch / "d.rec");

  writeFile(scratch / "short.rec", bytes.substr(0, 339));
  CommandResult shortFile = heart({"record", "show", "short.rec"});
  EXPECT_NE(shortFile.exitCode, 0);
  EXPECT_NE(shortFile.err.find("339 bytes"), std::string::npos) << shortFile.err;
  EXPECT_EQ(shortFile.out, "");

  writeFile(scratch / "long.rec", bytes + "x");
  EXPECT_NE(heart({"record", "show", "long.rec"}).exitCode, 0);

  // A stored NaN and a stored count outside its range, each named.
  std::string damaged = bytes;
  const uint32_t nan = 0x7FC00000;
  std::memcpy(damaged.data() + offsetof(ParameterRecord, slant), &nan, 4);
  writeFile(scratch / "nan.rec", damaged);
  CommandResult nanFile = heart({"record", "show", "nan.rec", "-o", "nan.json"});
  EXPECT_NE(nanFile.exitCode, 0);
  EXPECT_NE(nanFile.err.find("\"slant\""), std::string::npos) << nanFile.err;
  EXPECT_FALSE(std::filesystem::exists(scratch / "nan.json"));
  EXPECT_EQ(readFile(scratch / "nan.rec"), damaged);

  damaged = bytes;
  const int32_t tooMany = 4000;
  std::memcpy(damaged.data() + offsetof(ParameterRecord, heartCount), &tooMany, 4);
  writeFile(scratch / "many.rec", damaged);
  CommandResult manyFile = heart({"record", "show", "many.rec"});
  EXPECT_NE(manyFile.exitCode, 0);
  EXPECT_NE(manyFile.err.find("\"heartCount\""), std::string::npos) << manyFile.err;
}

}  // namespace
}  // namespace heart::testing
