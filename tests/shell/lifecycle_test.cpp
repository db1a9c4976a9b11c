// Startup, filter registration, Unload/Reload and Shutdown through the real host.
#include <cstring>

#include "services/filter_registry.h"
#include "services/memory_blocks.h"
#include "plugin/shell/plugin_globals.h"
#include "shell_test_support.h"
#include "support/built_module.h"

namespace heart::testing {
namespace {

using Lifecycle = ShellTest;

// Records the menu strings exactly as the plug-in hands them to the Filter
// suite, then lets the host's own suite do the work.
const AIFilterSuite* gHostFilterSuite = nullptr;
std::vector<std::pair<std::string, std::string>> gRawMenuStrings;

std::string lengthPrefixedBytes(const unsigned char* text) {
  return std::string(reinterpret_cast<const char*>(text), 1 + text[0]);
}

ASErr recordingAddFilter(SPPluginRef plugin, const char* name, PlatformAddFilterData* data,
                         ASInt32 options, AIFilterHandle* filter) {
  gRawMenuStrings.emplace_back(lengthPrefixedBytes(data->category),
                               lengthPrefixedBytes(data->title));
  return gHostFilterSuite->AddFilter(plugin, name, data, options, filter);
}

// The globals block is readable while the host keeps it across an Unload.
const PluginGlobals* parkedGlobals(Host& host) {
  if (host.unload() != kNoErr) return nullptr;
  return static_cast<const PluginGlobals*>(host.globalsSlot());
}

TEST_F(Lifecycle, StartupRegistersTheHeartFilter) {
  const void* table = nullptr;
  ASSERT_EQ(host->broker().acquire("AI Filter Suite", 2, &table), kNoErr);
  host->broker().release("AI Filter Suite", 2);
  gHostFilterSuite = static_cast<const AIFilterSuite*>(table);
  AIFilterSuite recording = *gHostFilterSuite;
  recording.AddFilter = recordingAddFilter;
  host->broker().add("AI Filter Suite", 2, &recording);
  gRawMenuStrings.clear();

  ASSERT_EQ(host->startup(), kNoErr);

  // Length-prefixed: "Heart..." arrives as the byte 8 and its characters.
  ASSERT_EQ(gRawMenuStrings.size(), 1u);
  EXPECT_EQ(gRawMenuStrings[0].first, std::string("\x0D") + "Zelt <Create>");
  EXPECT_EQ(gRawMenuStrings[0].second, std::string("\x08") + "Heart...");

  const auto filters = host->filters().filters();
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0]->name, "Norv_Heart");
  EXPECT_EQ(filters[0]->category, "Zelt <Create>");
  EXPECT_EQ(filters[0]->title, "Heart...");
  EXPECT_EQ(filters[0]->options, 0);
  ASSERT_NE(filters[0]->menuItem, nullptr);
  ASSERT_TRUE(filters[0]->menuItem->hasRule);
  const MenuRule& rule = filters[0]->menuItem->rule;
  EXPECT_EQ(std::vector<int32_t>({rule.action, rule.ifObjectIsInArtwork,
                                  rule.ifObjectIsNotInArtwork, rule.ifObjectIsSelected,
                                  rule.ifObjectIsNotSelected, rule.ifIsTrue, rule.ifIsNotTrue}),
            std::vector<int32_t>({1, 0, 0, 0, 0, 1, 0}));

  // The globals block: allocated under its name, holding the handle and count.
  const auto live = host->blocks().live();
  ASSERT_EQ(live.size(), 1u);
  EXPECT_EQ(live[0].name, "globals");
  EXPECT_GE(live[0].size, sizeof(PluginGlobals));
  const AIFilterHandle registered = host->registeredFilter();
  const PluginGlobals* globals = parkedGlobals(*host);
  ASSERT_NE(globals, nullptr);
  EXPECT_EQ(globals->filterCount, 1);
  EXPECT_EQ(globals->filterHandles[0], registered);
  EXPECT_EQ(globals->savedBasicSuite, host->broker().basicSuite());
  host->broker().add("AI Filter Suite", 2, gHostFilterSuite);
}

TEST_F(Lifecycle, UnloadAndReloadKeepTheFilter) {
  ASSERT_EQ(host->startup(), kNoErr);
  const AIFilterHandle registered = host->registeredFilter();
  ASSERT_EQ(host->unload(), kNoErr);
  void* parked = host->globalsSlot();
  ASSERT_NE(parked, nullptr);
  ASSERT_EQ(host->reload(), kNoErr);
  EXPECT_EQ(host->registeredFilter(), registered);

  // Get Parameters acts only for the filter it registered: after the reload
  // the module still knows the handle, so the options dialog opens.
  events->add(DialogEvent::cancel());
  EXPECT_EQ(host->getParameters(), kCanceledErr);
  EXPECT_EQ(dialogsNamed("Norv_Heart").size(), 1u);

  ASSERT_EQ(host->unload(), kNoErr);
  EXPECT_EQ(host->globalsSlot(), parked) << "the same block all along";
  ASSERT_EQ(host->reload(), kNoErr);
}

TEST_F(Lifecycle, NoMenuStringsRegisterNothing) {
  SKIP_UNLESS_ELF_MODULE();
  startHost(moduleWithStrings(16000, {"<First Mac index is 1>"}, "no_menu_strings.aip"));
  EXPECT_EQ(host->startup(), kNoErr);
  EXPECT_TRUE(host->filters().filters().empty());
  const PluginGlobals* globals = parkedGlobals(*host);
  ASSERT_NE(globals, nullptr);
  EXPECT_EQ(globals->filterCount, 0);
  EXPECT_TRUE(host->dialogs().history().empty());
}

TEST_F(Lifecycle, OnlyTheFirstPairIsRegistered) {
  SKIP_UNLESS_ELF_MODULE();
  startHost(moduleWithStrings(16000, {"marker", "Group A", "Title A", "Group B", "Title B"},
                              "two_menu_pairs.aip"));
  EXPECT_EQ(host->startup(), kNoErr);
  const auto filters = host->filters().filters();
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0]->category, "Group A");
  EXPECT_EQ(filters[0]->title, "Title A");
  const PluginGlobals* globals = parkedGlobals(*host);
  ASSERT_NE(globals, nullptr);
  EXPECT_EQ(globals->filterCount, 1);
}

// Each step of Startup that fails ends it with the host's code and the alert.
TEST_F(Lifecycle, StartupFailuresAreReturnedAndShown) {
  const std::pair<const char*, ASErr> failures[] = {
      {"SP Blocks Suite.AllocateBlock", kMemFullErr},
      {"AI Filter Suite.AddFilter", kLayerLockedErr},
      {"AI Filter Suite.GetFilterMenuItem", kTooManyPointsErr},
      {"AI Menu Suite.UpdateMenuItemAutomatically", kHostMemoryErr}};
  for (const auto& [operation, code] : failures) {
    SCOPED_TRACE(operation);
    startHost(HEART_MODULE_PATH);
    faultInjector().failAt(operation, 1, code);
    EXPECT_EQ(host->startup(), code);
    EXPECT_EQ(dialogsNamed("Error Dialog").size(), 1u);
    if (std::strcmp(operation, "SP Blocks Suite.AllocateBlock") == 0) {
      EXPECT_TRUE(host->filters().filters().empty());
      EXPECT_EQ(host->blocks().liveCount(), 0u);
    } else {
      const PluginGlobals* globals = parkedGlobals(*host);
      ASSERT_NE(globals, nullptr);
      EXPECT_EQ(globals->filterCount, 0) << "the count is left unset";
      ASSERT_EQ(host->reload(), kNoErr);
      if (std::strcmp(operation, "AI Filter Suite.AddFilter") != 0) {
        // The filter was added before the failure, so it is in the menu and
        // its Get Parameters opens the dialog over a new record.
        events->add(DialogEvent::cancel());
        EXPECT_EQ(host->getParameters(), kCanceledErr);
        EXPECT_EQ(dialogsNamed("Norv_Heart").size(), 1u);
        EXPECT_NE(host->storedRecord().bytes, nullptr);
      }
    }
  }
}

TEST_F(Lifecycle, ShutdownFreesTheGlobalsBlock) {
  ASSERT_EQ(host->startup(), kNoErr);
  ASSERT_EQ(host->blocks().liveCount(), 1u);
  EXPECT_EQ(host->shutdown(), kNoErr);
  EXPECT_EQ(host->blocks().liveCount(), 0u);
  EXPECT_EQ(host->globalsSlot(), nullptr);
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

// Shutdown takes the blocks suite once more on its own (after the 31 of the
// message); when that fails the block stays and the code is reported.
TEST_F(Lifecycle, ShutdownWithoutTheBlocksSuite) {
  ASSERT_EQ(host->startup(), kNoErr);
  faultInjector().failAt("SP Basic Suite.AcquireSuite", 32, kMemFullErr);
  EXPECT_EQ(host->shutdown(), kMemFullErr);
  EXPECT_EQ(host->blocks().liveCount(), 1u);
  EXPECT_EQ(host->globalsSlot(), nullptr);
  EXPECT_EQ(dialogsNamed("Error Dialog").size(), 1u);
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

}  // namespace
}  // namespace heart::testing
