// The Host drives the real module: Startup first, Shutdown last, unload and
// reload of the file with the globals carried across, and the messages in
// between.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "application/host.h"
#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/event_source.h"
#include "document/document.h"
#include "module/plugin_module.h"
#include "plugin/params/parameter_record.h"
#include "services/filter_registry.h"
#include "services/memory_blocks.h"
#include "services/memory_handles.h"
#include "support/loaded_host.h"

namespace heart::testing {
namespace {

const char* const kModulePath = HEART_MODULE_PATH;

class HostLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    host = loadedHost(7, &error, kModulePath);
    ASSERT_TRUE(host) << error;
  }
  void TearDown() override {
    host.reset();
    faultInjector().clear();
  }

  int acquisitionsOf(const char* suite, int version) {
    return host->broker().acquisitions(suite, version);
  }

  std::unique_ptr<Host> host;
};

TEST_F(HostLifecycle, NothingReachesThePluginBeforeStartup) {
  EXPECT_EQ(host->about(), kLifecycleErr);
  EXPECT_EQ(host->getParameters(), kLifecycleErr);
  EXPECT_EQ(host->go(), kLifecycleErr);
  EXPECT_EQ(acquisitionsOf(kSPBlocksSuite, 2), 0);
  EXPECT_TRUE(host->dialogs().history().empty());
  EXPECT_FALSE(host->invocationOpen());
}

TEST_F(HostLifecycle, StartupRegistersTheFilterFromTheModulesStrings) {
  ASSERT_EQ(host->startup(), kNoErr);
  EXPECT_TRUE(host->started());
  ASSERT_EQ(host->filters().filters().size(), 1u);
  const Filter& filter = *host->filters().filters()[0];
  EXPECT_EQ(filter.name, "Norv_Heart");
  EXPECT_EQ(filter.category, "Zelt <Create>");
  EXPECT_EQ(filter.title, "Heart...");
  EXPECT_EQ(host->registeredFilter(), FilterRegistry::handleOf(filter));
  EXPECT_EQ(host->blocks().liveCount(), 1u) << "the plug-in's globals block";
  EXPECT_EQ(host->broker().totalHeld(), 0) << "every suite is released after the message";

  // The rule the plug-in set enables the item while a document is open.
  EXPECT_TRUE(host->filters().isEnabled(*filter.menuItem));
  host->closeDocument();
  EXPECT_FALSE(host->filters().isEnabled(*filter.menuItem));
  host->newDocument();
  EXPECT_TRUE(host->filters().isEnabled(*filter.menuItem));
}

TEST_F(HostLifecycle, StartupIsSentOnce) {
  ASSERT_EQ(host->startup(), kNoErr);
  EXPECT_EQ(host->startup(), kLifecycleErr);
  EXPECT_EQ(host->filters().filters().size(), 1u);
}

TEST_F(HostLifecycle, ShutdownIsLastAndFreesTheGlobals) {
  ASSERT_EQ(host->startup(), kNoErr);
  ASSERT_EQ(host->shutdown(), kNoErr);
  EXPECT_EQ(host->blocks().liveCount(), 0u);
  EXPECT_EQ(host->globalsSlot(), nullptr);
  EXPECT_FALSE(host->started());
  int blocksAcquired = acquisitionsOf(kSPBlocksSuite, 2);
  EXPECT_EQ(host->about(), kLifecycleErr);
  EXPECT_EQ(host->shutdown(), kLifecycleErr);
  EXPECT_EQ(host->unload(), kLifecycleErr);
  EXPECT_EQ(host->startup(), kLifecycleErr);
  EXPECT_EQ(acquisitionsOf(kSPBlocksSuite, 2), blocksAcquired) << "a message after Shutdown";
}

TEST_F(HostLifecycle, DestroyingTheHostShutsDownAndUnloads) {
  faultInjector().startCounting();
  ASSERT_EQ(host->startup(), kNoErr);
  EXPECT_EQ(faultInjector().calls("SP Blocks Suite.FreeBlock"), 0);
  host.reset();
  EXPECT_EQ(faultInjector().calls("SP Blocks Suite.FreeBlock"), 1) << "Shutdown freed the globals";
  EXPECT_FALSE(PluginModule::isMapped(kModulePath));
}

TEST_F(HostLifecycle, AFailedStartupStillGetsShutdownSoNothingLeaks) {
  faultInjector().failAt("AI Filter Suite.AddFilter", 1, kMemFullErr);
  EXPECT_EQ(host->startup(), kMemFullErr);
  EXPECT_TRUE(host->filters().filters().empty());
  EXPECT_EQ(host->blocks().liveCount(), 1u) << "the globals block Startup allocated";
  EXPECT_EQ(host->startup(), kLifecycleErr) << "Startup is not sent twice";
  host.reset();
  EXPECT_EQ(faultInjector().calls("SP Blocks Suite.FreeBlock"), 1);
}

TEST_F(HostLifecycle, UnloadParksTheGlobalsAndReloadBringsThemBack) {
  ASSERT_EQ(host->startup(), kNoErr);
  ASSERT_EQ(host->unload(), kNoErr);
  EXPECT_FALSE(host->moduleLoaded());
  EXPECT_FALSE(PluginModule::isMapped(kModulePath)) << "Unload must really unload the file";
  void* parked = host->globalsSlot();
  ASSERT_NE(parked, nullptr);
  EXPECT_TRUE(host->blocks().owns(parked));
  EXPECT_EQ(host->about(), kModuleNotLoadedErr);
  EXPECT_EQ(host->unload(), kModuleNotLoadedErr);

  ASSERT_EQ(host->reload(), kNoErr);
  EXPECT_TRUE(PluginModule::isMapped(kModulePath));
  EXPECT_EQ(host->globalsSlot(), parked);
  EXPECT_EQ(host->reload(), kLifecycleErr) << "Reload only after an Unload";

  // The reloaded plug-in still knows its filter: Get Parameters acts on it
  // and the cancelled dialog answers "STOP".
  ScriptedEventSource events;
  events.add(DialogEvent::cancel());
  host->dialogs().setEventSource(&events);
  EXPECT_EQ(host->getParameters(), kCanceledErr);
  host->dialogs().setEventSource(nullptr);
}

TEST_F(HostLifecycle, DestroyingTheHostShutsDownAnUnloadedPlugin) {
  faultInjector().startCounting();
  ASSERT_EQ(host->startup(), kNoErr);
  ASSERT_EQ(host->unload(), kNoErr);
  host.reset();
  EXPECT_EQ(faultInjector().calls("SP Blocks Suite.FreeBlock"), 1);
  EXPECT_FALSE(PluginModule::isMapped(kModulePath));
}

TEST_F(HostLifecycle, AMessageRunsWithItsHostCurrentAndGivesTheCallersContextBack) {
  // The caller's own context: a broker that offers nothing.
  SuiteBroker outerBroker;
  HostContext outer;
  outer.broker = &outerBroker;
  {
    HostScope scope(outer);
    ASSERT_EQ(host->startup(), kNoErr) << "the plug-in found its suites through this host";
    EXPECT_GT(acquisitionsOf(kSPBlocksSuite, 2), 0);
    EXPECT_EQ(currentHost().broker, &outerBroker);
    {
      Host newer(HostOptions{});  // made and destroyed inside the caller's scope
    }
    EXPECT_EQ(currentHost().broker, &outerBroker);
  }
  EXPECT_EQ(currentHost().broker, nullptr) << "no host is current outside every call";
  EXPECT_EQ(outerBroker.acquisitions(kSPBlocksSuite, 2), 0);
}

TEST_F(HostLifecycle, AccessSuiteKnowsTheModuleFile) {
  HostScope scope(host->context());
  const void* table = nullptr;
  ASSERT_EQ(
      host->broker().basicSuite()->AcquireSuite(kSPAccessSuite, kSPAccessSuiteVersion, &table),
      kNoErr);
  auto* access = static_cast<const SPAccessSuite*>(table);
  SPPluginRef plugin = host->module()->ref();
  char path[4096];
  ASSERT_EQ(access->GetPluginFilePath(plugin, path, sizeof path), kNoErr);
  EXPECT_TRUE(std::filesystem::equivalent(path, kModulePath)) << path;
  char tooSmall[8] = "xxxxxxx";
  EXPECT_EQ(access->GetPluginFilePath(plugin, tooSmall, sizeof tooSmall), kBadParameterErr);
  EXPECT_STREQ(tooSmall, "") << "a path that does not fit is not cut";
  EXPECT_EQ(access->IsPluginLoaded(plugin), 1);
  ASSERT_EQ(host->unload(), kNoErr);
  EXPECT_EQ(access->IsPluginLoaded(plugin), 0);
  EXPECT_EQ(access->IsPluginLoaded(reinterpret_cast<SPPluginRef>(path)), 0);
  host->broker().basicSuite()->ReleaseSuite(kSPAccessSuite, kSPAccessSuiteVersion);
}

TEST_F(HostLifecycle, AboutShowsTheAboutBoxAndAnswersZero) {
  ASSERT_EQ(host->startup(), kNoErr);
  ASSERT_EQ(host->about(), kNoErr);
  ASSERT_EQ(host->dialogs().history().size(), 1u);
  const ModalRecord& about = host->dialogs().history()[0];
  EXPECT_EQ(about.name, "About Dialog");
  EXPECT_EQ(about.resourceId, 16050);
  EXPECT_EQ(about.result, 1);
  bool named = false;
  for (const ModalRecordItem& item : about.items) named |= item.text == "Plugin Name: Heart";
  EXPECT_TRUE(named);
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

TEST_F(HostLifecycle, AWithheldSuiteFailsStartupWithoutAnAlertOrALeak) {
  host->broker().withhold("AI Tag Suite");
  EXPECT_EQ(host->startup(), kSuiteNotFoundErr);
  EXPECT_TRUE(host->filters().filters().empty());
  EXPECT_EQ(host->blocks().liveCount(), 0u);
  EXPECT_EQ(host->broker().totalHeld(), 0) << "what was acquired was released";
}

TEST_F(HostLifecycle, MenuGoAnswersBadSelectionThroughTheAlert) {
  ASSERT_EQ(host->startup(), kNoErr);
  EXPECT_EQ(host->sendMessage(kCallerAIMenu, kSelectorAIGoMenuItem), kBadSelectorErr);
  ASSERT_FALSE(host->dialogs().history().empty());
  EXPECT_EQ(host->dialogs().history().back().name, "Error Dialog");
}

class HostInvocation : public HostLifecycle {
 protected:
  void SetUp() override {
    HostLifecycle::SetUp();
    ASSERT_EQ(host->startup(), kNoErr);
    host->dialogs().setEventSource(&events);
  }
  void TearDown() override {
    host->dialogs().setEventSource(nullptr);
    HostLifecycle::TearDown();
  }
  const ParameterRecord* record() {
    return static_cast<const ParameterRecord*>(host->storedRecord().bytes);
  }
  ScriptedEventSource events;
};

TEST_F(HostInvocation, FirstGetParametersLeavesADefaultRecordWithTheHost) {
  events.add(DialogEvent::cancel());
  EXPECT_EQ(host->recordHandle(), nullptr);
  EXPECT_EQ(host->getParameters(), kCanceledErr);
  ASSERT_NE(host->recordHandle(), nullptr);
  EXPECT_EQ(host->handles().size(host->recordHandle()), sizeof(ParameterRecord));
  ASSERT_NE(record(), nullptr);
  EXPECT_EQ(record()->heartCount, 1);
  EXPECT_EQ(record()->heartHeight, 100.0f);
  EXPECT_EQ(record()->centerX, 612.0f / 2 - 200);
  EXPECT_EQ(record()->centerY, 792.0f / 2);
  EXPECT_FALSE(host->invocationOpen()) << "a cancelled invocation is over";
}

TEST_F(HostInvocation, StoredRecordIsHandedBackUnchanged) {
  ASSERT_EQ(host->getParameters(), kNoErr);  // an exhausted source confirms
  ParameterRecord changed = *record();
  changed.heartCount = 3;
  changed.preview = 0;
  changed.previewDrawn = 0;  // a cancel clears it
  ASSERT_TRUE(host->setStoredRecord(&changed, sizeof changed));
  AIMdMemoryHandle handle = host->recordHandle();
  events.add(DialogEvent::cancel());
  EXPECT_EQ(host->getParameters(), kCanceledErr);
  EXPECT_EQ(host->recordHandle(), handle);
  EXPECT_EQ(std::memcmp(record(), &changed, sizeof changed), 0);
}

TEST_F(HostInvocation, TheStoredBlockKeepsTheSizeItWasGiven) {
  // The host keeps a parameter block of any size, not only this plug-in's
  // 340-byte record: what the block holds is the plug-in's business.
  std::vector<unsigned char> block(500);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<unsigned char>(i * 7 + 3);
  ASSERT_TRUE(host->setStoredRecord(block.data(), block.size()));
  AIMdMemoryHandle handle = host->recordHandle();
  EXPECT_EQ(host->handles().size(handle), 500u);
  ASSERT_EQ(host->storedRecord().size, 500u);
  EXPECT_EQ(std::memcmp(host->storedRecord().bytes, block.data(), block.size()), 0);

  block[499] = 1;  // the same size again: the same handle, the new bytes
  ASSERT_TRUE(host->setStoredRecord(block.data(), block.size()));
  EXPECT_EQ(host->recordHandle(), handle);
  EXPECT_EQ(static_cast<const unsigned char*>(host->storedRecord().bytes)[499], 1);

  ASSERT_TRUE(host->setStoredRecord(block.data(), 339));  // a smaller one: a block of its size
  EXPECT_EQ(host->storedRecord().size, 339u);
  EXPECT_EQ(host->handles().size(host->recordHandle()), 339u);
  EXPECT_EQ(std::memcmp(host->storedRecord().bytes, block.data(), 339), 0);

  EXPECT_FALSE(host->setStoredRecord(block.data(), 0));
  EXPECT_FALSE(host->setStoredRecord(nullptr, 10));
  EXPECT_EQ(host->storedRecord().size, 339u) << "a refused store keeps the block";
}

TEST_F(HostInvocation, ConfirmedInvocationDrawsIntoTheDocumentAndEnds) {
  ParameterRecord start;
  events.add(DialogEvent::cancel());
  ASSERT_EQ(host->getParameters(), kCanceledErr);
  start = *record();
  start.preview = 0;
  start.heartCount = 4;
  ASSERT_TRUE(host->setStoredRecord(&start, sizeof start));
  size_t before = host->document().tree().liveCount();
  EXPECT_EQ(host->invokeFilter(), kNoErr);
  EXPECT_GT(host->document().tree().liveCount(), before);
  EXPECT_FALSE(host->invocationOpen());
}

TEST_F(HostInvocation, GoWithoutGetParametersOpensAndClosesItsOwnInvocation) {
  events.add(DialogEvent::cancel());
  ASSERT_EQ(host->getParameters(), kCanceledErr);
  size_t before = host->document().tree().liveCount();
  EXPECT_EQ(host->go(), kNoErr);
  EXPECT_FALSE(host->invocationOpen());
  EXPECT_GT(host->document().tree().liveCount(), before);
}

// A host whose document cannot be made is refused with the document's
// reason, not thrown.
TEST(HostCreate, RefusesOptionsTheDocumentRefuses) {
  HostOptions options;
  options.document.pageWidth = 0;
  Result<std::unique_ptr<Host>> refused = Host::create(options);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().find("page width"), std::string::npos) << refused.error();
  options.document = DocumentSettings{};
  options.document.colorModel = 3;
  refused = Host::create(options);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().find("colour model"), std::string::npos) << refused.error();
  Result<std::unique_ptr<Host>> made = Host::create(HostOptions{});
  ASSERT_TRUE(made) << made.error();
  EXPECT_TRUE((*made)->hasDocument());
}

}  // namespace
}  // namespace heart::testing
