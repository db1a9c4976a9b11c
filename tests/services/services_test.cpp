// The host's own service suites, called through their tables as a plug-in
// calls them.
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

#include "core/length_prefixed.h"
#include "services/number_strings.h"
#include "services_fixture.h"

namespace heart::testing {
namespace {

using BlocksTest = ServicesTest;

TEST_F(BlocksTest, BlocksAreZeroFilledNamedAndTrackedUntilFreed) {
  auto* suite = acquire<SPBlocksSuite>(kSPBlocksSuite, kSPBlocksSuiteVersion);
  void* block = nullptr;
  ASSERT_EQ(suite->AllocateBlock(64, "globals", &block), kNoErr);
  ASSERT_NE(block, nullptr);
  const unsigned char zeros[64] = {};
  EXPECT_EQ(std::memcmp(block, zeros, 64), 0);
  ASSERT_EQ(blocks.live().size(), 1u);
  EXPECT_EQ(blocks.live()[0].name, "globals");
  EXPECT_EQ(blocks.live()[0].size, 64u);

  EXPECT_EQ(suite->FreeBlock(block), kNoErr);
  EXPECT_EQ(blocks.liveCount(), 0u);
  EXPECT_EQ(suite->FreeBlock(nullptr), kNoErr);
}

TEST_F(BlocksTest, FreeingWhatTheHostDidNotHandOutIsRefused) {
  auto* suite = acquire<SPBlocksSuite>(kSPBlocksSuite, kSPBlocksSuiteVersion);
  void* block = nullptr;
  ASSERT_EQ(suite->AllocateBlock(8, "x", &block), kNoErr);
  int local = 0;
  EXPECT_EQ(suite->FreeBlock(&local), kBadParameterErr);
  EXPECT_EQ(suite->FreeBlock(block), kNoErr);
  EXPECT_EQ(suite->FreeBlock(block), kBadParameterErr) << "a second free";
  EXPECT_EQ(suite->AllocateBlock(8, "x", nullptr), kBadParameterErr);
}

TEST_F(BlocksTest, InjectedFailureAllocatesNothing) {
  auto* suite = acquire<SPBlocksSuite>(kSPBlocksSuite, kSPBlocksSuiteVersion);
  faultInjector().failAt("SP Blocks Suite.AllocateBlock", 1, kMemFullErr);
  void* block = &block;
  EXPECT_EQ(suite->AllocateBlock(16, "globals", &block), kMemFullErr);
  EXPECT_EQ(blocks.liveCount(), 0u);
  EXPECT_EQ(suite->AllocateBlock(16, "globals", &block), kNoErr);
  EXPECT_EQ(blocks.liveCount(), 1u);
}

using MdMemoryTest = ServicesTest;

TEST_F(MdMemoryTest, HandlesPointToZeroFilledBlocksThatKeepContentOnResize) {
  auto* suite = acquire<AIMdMemorySuite>(kAIMdMemorySuite, kAIMdMemorySuiteVersion);
  AIMdMemoryHandle handle = nullptr;
  ASSERT_EQ(suite->MdMemoryNewHandle(340, &handle), kNoErr);
  ASSERT_NE(handle, nullptr);
  ASSERT_NE(*handle, nullptr);
  for (int i = 0; i < 340; ++i) ASSERT_EQ((*handle)[i], 0) << i;
  size_t size = 0;
  EXPECT_EQ(suite->MdMemoryGetSize(handle, &size), kNoErr);
  EXPECT_EQ(size, 340u);

  std::memcpy(*handle, "heart", 5);
  ASSERT_EQ(suite->MdMemoryResize(handle, 4096), kNoErr);
  EXPECT_EQ(std::memcmp(*handle, "heart", 5), 0);
  EXPECT_EQ((*handle)[4095], 0);
  ASSERT_EQ(suite->MdMemoryResize(handle, 3), kNoErr);
  EXPECT_EQ(std::memcmp(*handle, "hea", 3), 0);
  EXPECT_EQ(suite->MdMemoryGetSize(handle, &size), kNoErr);
  EXPECT_EQ(size, 3u);

  EXPECT_EQ(suite->MdMemoryDisposeHandle(handle), kNoErr);
  EXPECT_EQ(handles.liveCount(), 0u);
}

TEST_F(MdMemoryTest, ForeignAndDisposedHandlesAreRefused) {
  auto* suite = acquire<AIMdMemorySuite>(kAIMdMemorySuite, kAIMdMemorySuiteVersion);
  char byte = 0;
  char* pointer = &byte;
  AIMdMemoryHandle foreign = &pointer;
  size_t size = 0;
  EXPECT_EQ(suite->MdMemoryGetSize(foreign, &size), kBadParameterErr);
  EXPECT_EQ(suite->MdMemoryResize(foreign, 10), kBadParameterErr);
  EXPECT_EQ(suite->MdMemoryDisposeHandle(foreign), kBadParameterErr);
  EXPECT_EQ(pointer, &byte);

  AIMdMemoryHandle handle = nullptr;
  ASSERT_EQ(suite->MdMemoryNewHandle(4, &handle), kNoErr);
  ASSERT_EQ(suite->MdMemoryDisposeHandle(handle), kNoErr);
  EXPECT_EQ(suite->MdMemoryDisposeHandle(handle), kBadParameterErr);
  EXPECT_EQ(suite->MdMemoryNewHandle(4, nullptr), kBadParameterErr);
}

using UserSuiteTest = ServicesTest;

std::string lengthPrefixed(const std::string& text) {
  unsigned char buffer[256];
  EXPECT_TRUE(toLengthPrefixed(text, buffer));
  return std::string(reinterpret_cast<char*>(buffer), text.size() + 1);
}

TEST_F(UserSuiteTest, ParsesNumbersAsTheErrorTableWritesThem) {
  auto* suite = acquire<AIUserSuite>(kAIUserSuite, kAIUserSuiteVersion);
  const std::pair<const char*, float> good[] = {
      {"-108", -108.0f}, {"271", 271.0f},   {" 12.5 ", 12.5f}, {"+5", 5.0f},
      {"1e3", 1000.0f},  {"-0.25", -0.25f}, {".5", 0.5f}};
  for (const auto& [text, expected] : good) {
    std::string pstring = lengthPrefixed(text);
    AIReal value = 0;
    EXPECT_EQ(suite->PStringToReal(reinterpret_cast<const unsigned char*>(pstring.data()), &value),
              kNoErr)
        << text;
    EXPECT_EQ(value, expected) << text;
  }
}

TEST_F(UserSuiteTest, RefusesWhatIsNotAFiniteNumberAndKeepsTheValue) {
  auto* suite = acquire<AIUserSuite>(kAIUserSuite, kAIUserSuiteVersion);
  for (const char* text : {"", "SEGM", "!sel", "12abc", "nan", "inf", "1e39", "--1", "0x10", "+"}) {
    std::string pstring = lengthPrefixed(text);
    AIReal value = 7;
    EXPECT_EQ(suite->PStringToReal(reinterpret_cast<const unsigned char*>(pstring.data()), &value),
              kBadParameterErr)
        << text;
    EXPECT_EQ(value, 7) << text;
  }
  // Only the length byte's characters are read, not what follows them.
  const unsigned char cut[] = {2, '4', '2', '7'};
  AIReal value = 0;
  EXPECT_EQ(suite->PStringToReal(cut, &value), kNoErr);
  EXPECT_EQ(value, 42.0f);
}

TEST_F(UserSuiteTest, FormatsWithTheRequestedPlaces) {
  auto* suite = acquire<AIUserSuite>(kAIUserSuite, kAIUserSuiteVersion);
  const struct {
    AIReal value;
    ASInt16 places;
    const char* text;
  } cases[] = {{-108, 0, "-108"}, {271, 0, "271"},    {3.14159f, 2, "3.14"},
               {-0.4f, 0, "0"},   {2.5f, 3, "2.500"}, {1e9f, 0, "1000000000"}};
  for (const auto& c : cases) {
    unsigned char buffer[256];
    ASSERT_EQ(suite->RealToPString(c.value, c.places, buffer), kNoErr) << c.text;
    EXPECT_EQ(fromLengthPrefixed(buffer), c.text);
  }
  unsigned char buffer[256] = {9};
  EXPECT_EQ(suite->RealToPString(std::nanf(""), 0, buffer), kBadParameterErr);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(suite->RealToPString(1, -1, buffer), kBadParameterErr);
}

TEST(NumberStrings, FormattedNumbersParseBack) {
  for (float value : {-108.0f, 0.0f, 123.456f, -99999.5f, 3e10f}) {
    std::optional<std::string> text = formatNumber(value, 3);
    ASSERT_TRUE(text);
    std::optional<float> back = parseNumber(*text);
    ASSERT_TRUE(back) << *text;
    EXPECT_NEAR(*back, value, std::abs(value) * 1e-6f + 1e-3f) << *text;
  }
}

using AdmBasicTest = ServicesTest;

TEST_F(AdmBasicTest, IndexStringsComeFromTheModulesListsAndEndEmpty) {
  resources.stringLists.push_back(StringList{16000, {"<marker>", "Zelt <Create>", "Heart..."}});
  auto* suite = acquire<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
  char buffer[65];
  ASSERT_EQ(suite->GetIndexString(kPlugin, 16000, 2, buffer, sizeof buffer), kNoErr);
  EXPECT_STREQ(buffer, "Heart...");
  std::strcpy(buffer, "stale");
  EXPECT_EQ(suite->GetIndexString(kPlugin, 16000, 3, buffer, sizeof buffer), kNoErr);
  EXPECT_STREQ(buffer, "") << "an index past the end yields the empty string";
  std::strcpy(buffer, "stale");
  EXPECT_EQ(suite->GetIndexString(kPlugin, 16050, 1, buffer, sizeof buffer), kNoErr);
  EXPECT_STREQ(buffer, "");
}

TEST_F(AdmBasicTest, LongStringsAreCutToTheBufferAndBadCallsRefused) {
  resources.stringLists.push_back(StringList{16050, {"", std::string(300, 'x')}});
  auto* suite = acquire<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
  char buffer[256];
  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(suite->GetIndexString(kPlugin, 16050, 1, buffer, 10), kNoErr);
  EXPECT_EQ(std::string(buffer), std::string(9, 'x'));
  EXPECT_EQ(buffer[10], '#') << "nothing is written past the size given";

  auto* other = reinterpret_cast<SPPluginRef>(0x2000);
  EXPECT_EQ(suite->GetIndexString(other, 16050, 1, buffer, 10), kBadParameterErr);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(suite->GetIndexString(kPlugin, 16050, 1, buffer, 0), kBadParameterErr);
  EXPECT_EQ(suite->GetIndexString(kPlugin, 16050, 1, nullptr, 10), kBadParameterErr);
}

TEST_F(AdmBasicTest, AlertsAndBeepsReachTheSink) {
  auto* suite = acquire<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
  std::ostringstream terminal;
  alerts.setStream(&terminal);
  suite->MessageAlert("Suite Loading Error: 1395803748, suite: ADM Item Suite, version: 4!");
  suite->Beep();
  ASSERT_EQ(alerts.texts().size(), 1u);
  EXPECT_EQ(alerts.texts()[0],
            "Suite Loading Error: 1395803748, suite: ADM Item Suite, version: 4!");
  EXPECT_EQ(alerts.beeps(), 1);
  EXPECT_NE(terminal.str().find("ADM Item Suite"), std::string::npos);
}

using FilterMenuTest = ServicesTest;

TEST_F(FilterMenuTest, AddFilterDecodesTheLengthPrefixedStrings) {
  auto* filterSuite = acquire<AIFilterSuite>(kAIFilterSuite, kAIFilterSuiteVersion);
  std::string category = lengthPrefixed("Zelt <Create>");
  std::string title = lengthPrefixed("Heart...");
  EXPECT_EQ(static_cast<unsigned char>(title[0]), 8);
  PlatformAddFilterData data{reinterpret_cast<const unsigned char*>(category.data()),
                             reinterpret_cast<const unsigned char*>(title.data())};
  AIFilterHandle handle = nullptr;
  ASSERT_EQ(filterSuite->AddFilter(kPlugin, "Norv_Heart", &data, 0, &handle), kNoErr);
  ASSERT_EQ(filters.filters().size(), 1u);
  const Filter& filter = *filters.filters()[0];
  EXPECT_EQ(filter.category, "Zelt <Create>");
  EXPECT_EQ(filter.title, "Heart...");
  EXPECT_EQ(filter.plugin, kPlugin);
  EXPECT_EQ(filters.find(handle), &filter);

  const char* name = nullptr;
  EXPECT_EQ(filterSuite->GetFilterName(handle, &name), kNoErr);
  EXPECT_STREQ(name, "Norv_Heart");
  AIMenuItemHandle item = nullptr;
  EXPECT_EQ(filterSuite->GetFilterMenuItem(handle, &item), kNoErr);
  EXPECT_EQ(filters.find(item), filter.menuItem);

  auto* bogus = reinterpret_cast<AIFilterHandle>(0x10);
  EXPECT_EQ(filterSuite->GetFilterMenuItem(bogus, &item), kBadParameterErr);
  EXPECT_EQ(filterSuite->AddFilter(kPlugin, "x", nullptr, 0, &handle), kBadParameterErr);
}

TEST_F(FilterMenuTest, ThePluginsRuleEnablesTheItemWhileADocumentIsOpen) {
  auto* menuSuite = acquire<AIMenuSuite>(kAIMenuSuite, kAIMenuSuiteVersion);
  MenuItem& item = *filters.add(kPlugin, "Norv_Heart", "Zelt <Create>", "Heart...", 0).menuItem;
  AIMenuItemHandle handle = FilterRegistry::handleOf(item);
  MenuConditions now;
  filters.setConditionSource([&now] { return now; });

  ASBoolean enabled = 0;
  ASSERT_EQ(menuSuite->IsItemEnabled(handle, &enabled), kNoErr);
  EXPECT_EQ(enabled, 1) << "an item without a rule is enabled";

  ASSERT_EQ(menuSuite->UpdateMenuItemAutomatically(handle, 1, 0, 0, 0, 0, 1, 0), kNoErr);
  ASSERT_EQ(menuSuite->IsItemEnabled(handle, &enabled), kNoErr);
  EXPECT_EQ(enabled, 0) << "no document open";
  now.documentOpen = true;
  ASSERT_EQ(menuSuite->IsItemEnabled(handle, &enabled), kNoErr);
  EXPECT_EQ(enabled, 1);

  auto* bogus = reinterpret_cast<AIMenuItemHandle>(0x10);
  EXPECT_EQ(menuSuite->UpdateMenuItemAutomatically(bogus, 1, 0, 0, 0, 0, 1, 0), kBadParameterErr);
  EXPECT_EQ(menuSuite->UpdateMenuItemAutomatically(handle, 9, 0, 0, 0, 0, 1, 0), kBadParameterErr);
}

TEST(MenuRules, ArtAndDocumentConditionsCombine) {
  MenuConditions empty{true, true, 0, 0};
  MenuConditions paths{true, true, kIfAnyArt | kIfPathArt, 0};
  MenuConditions locked{true, false, kIfAnyArt | kIfPathArt, kIfAnyArt | kIfPathArt};

  MenuRule needsPath{1, kIfPathArt, 0, 0, 0, 0, 0};
  EXPECT_FALSE(needsPath.holds(empty));
  EXPECT_TRUE(needsPath.holds(paths));

  MenuRule noGroups{1, 0, kIfGroupArt, 0, 0, 0, 0};
  EXPECT_TRUE(noGroups.holds(paths));
  EXPECT_FALSE(noGroups.holds(MenuConditions{true, true, kIfAnyArt | kIfGroupArt, 0}));

  MenuRule editableAndNothingSelected{
      1, 0, 0, 0, kIfAnyArt, kIfOpenDocument | kIfCurrentLayerIsEditable, 0};
  EXPECT_TRUE(editableAndNothingSelected.holds(paths));
  EXPECT_FALSE(editableAndNothingSelected.holds(locked));

  MenuRule noDocument{1, 0, 0, 0, 0, 0, kIfOpenDocument};
  EXPECT_FALSE(noDocument.holds(empty));
  EXPECT_TRUE(noDocument.holds(MenuConditions{}));
}

}  // namespace
}  // namespace heart::testing
