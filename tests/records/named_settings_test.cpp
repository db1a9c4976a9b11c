// The designer's named settings: kept and read back byte for byte, names
// that could leave the folder refused, a missing name answered with the
// names there are.
#include "records/named_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "records/record_defaults.h"
#include "records/record_file.h"
#include "records/record_json.h"

namespace heart::testing {
namespace {

namespace fs = std::filesystem;

class NamedSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / (std::string("heart-named-settings-") + test->name()) /
              "heart" / "settings";
    fs::remove_all(folder_.parent_path().parent_path());
  }
  void TearDown() override { fs::remove_all(folder_.parent_path().parent_path()); }

  static ParameterRecord record(int32_t hearts, bool shadow) {
    ParameterRecord made = defaultRecord(AIRealPoint{300, 400});
    made.heartCount = hearts;
    made.dropShadow = shadow;
    return made;
  }
  size_t filesInFolder() const {
    std::error_code ignored;
    if (!fs::exists(folder_, ignored)) return 0;
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
};

TEST_F(NamedSettingsTest, KeepsRecordsUnderTheirNamesAsRecordJson) {
  const ParameterRecord wide = record(40, true), sparse = record(3, false);
  ASSERT_TRUE(saveNamedSettings(folder_, "wide hearts", wide)) << "makes the folder";
  ASSERT_TRUE(saveNamedSettings(folder_, "Sparse-2_b", sparse));
  Result<ParameterRecord> read = readNamedSettings(folder_, "wide hearts");
  ASSERT_TRUE(read) << read.error();
  EXPECT_EQ(std::memcmp(&*read, &wide, sizeof wide), 0);
  // The file is the JSON that `heart record pack` takes.
  Result<std::string> text = readWholeFile((folder_ / "Sparse-2_b.json").string());
  ASSERT_TRUE(text);
  Result<ParameterRecord> packed = recordFromJsonText(*text);
  ASSERT_TRUE(packed) << packed.error();
  EXPECT_EQ(std::memcmp(&*packed, &sparse, sizeof sparse), 0);
  // Saving under a name again replaces that one only.
  ASSERT_TRUE(saveNamedSettings(folder_, "wide hearts", sparse));
  read = readNamedSettings(folder_, "wide hearts");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->heartCount, 3);
  // Other files in the folder are not settings.
  std::ofstream(folder_ / "notes.txt") << "x";
  std::ofstream(folder_ / "a.b.json") << "{}";
  fs::create_directory(folder_ / "folder.json");
  Result<std::vector<std::string>> names = listNamedSettings(folder_);
  ASSERT_TRUE(names);
  EXPECT_EQ(*names, (std::vector<std::string>{"Sparse-2_b", "wide hearts"}));
}

TEST_F(NamedSettingsTest, RefusesNamesOutsideLettersDigitsBlanksDashAndUnderscore) {
  for (const char* bad : {"", "../up", "a/b", "a.b", "semi;colon", " lead", "trail ", "tab\there",
                          "new\nline", "caf\xc3\xa9", "star*", "~home"}) {
    Result<void> saved = saveNamedSettings(folder_, bad, record(5, false));
    ASSERT_FALSE(saved) << "accepted \"" << bad << "\"";
    EXPECT_NE(saved.error().find("settings name"), std::string::npos) << saved.error();
    EXPECT_FALSE(readNamedSettings(folder_, bad)) << bad;
  }
  const std::string longest(kLongestSettingsName, 'x');
  EXPECT_FALSE(saveNamedSettings(folder_, longest + "x", record(5, false)));
  EXPECT_EQ(filesInFolder(), 0u) << "a refused name wrote nothing";
  for (const std::string& good : {longest, std::string("A b-9_Z"), std::string("0")})
    EXPECT_TRUE(saveNamedSettings(folder_, good, record(5, false))) << good;
  EXPECT_EQ(filesInFolder(), 3u);
}

TEST_F(NamedSettingsTest, RefusesAFaultyRecordWithoutWritingIt) {
  ParameterRecord faulty = record(5, false);
  faulty.heartCount = 401;  // the count item takes 1 to 400
  Result<void> saved = saveNamedSettings(folder_, "faulty", faulty);
  ASSERT_FALSE(saved);
  EXPECT_NE(saved.error().find("heartCount"), std::string::npos) << saved.error();
  EXPECT_EQ(filesInFolder(), 0u);
}

TEST_F(NamedSettingsTest, AMissingNameListsTheNamesThereAre) {
  Result<ParameterRecord> none = readNamedSettings(folder_, "gone");
  ASSERT_FALSE(none);
  EXPECT_NE(none.error().find("\"gone\""), std::string::npos) << none.error();
  EXPECT_NE(none.error().find("there are none"), std::string::npos) << none.error();
  ASSERT_TRUE(saveNamedSettings(folder_, "b two", record(2, false)));
  ASSERT_TRUE(saveNamedSettings(folder_, "a one", record(1, false)));
  none = readNamedSettings(folder_, "gone");
  ASSERT_FALSE(none);
  EXPECT_NE(none.error().find("there are \"a one\", \"b two\""), std::string::npos) << none.error();
}

}  // namespace
}  // namespace heart::testing
