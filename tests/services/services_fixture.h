// A host's service objects without a document, a dialog manager or a module,
// current (a HostScope) for the length of a test.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "core/alert_sink.h"
#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "plugin/host/suites.h"
#include "resources/plugin_resources.h"
#include "services/filter_registry.h"
#include "services/memory_blocks.h"
#include "services/memory_handles.h"
#include "services/service_suites.h"

namespace heart::testing {

class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerServiceSuites(broker);
    HostContext& services = context;
    services.broker = &broker;
    services.alerts = &alerts;
    services.filters = &filters;
    services.blocks = &blocks;
    services.handles = &handles;
    services.resourcesOf = [this](SPPluginRef ref) -> const PluginResources* {
      return ref == kPlugin ? &resources : nullptr;
    };
    scope.emplace(context);
  }
  void TearDown() override {
    scope.reset();
    faultInjector().clear();
  }

  template <typename Suite>
  const Suite* acquire(const char* name, ASInt32 version) {
    const void* suite = nullptr;
    EXPECT_EQ(broker.basicSuite()->AcquireSuite(name, version, &suite), kNoErr) << name;
    return static_cast<const Suite*>(suite);
  }

  SPPluginRef const kPlugin = reinterpret_cast<SPPluginRef>(0x1000);
  SuiteBroker broker;
  AlertSink alerts;
  FilterRegistry filters;
  MemoryBlocks blocks;
  MemoryHandles handles;
  PluginResources resources;
  HostContext context;
  std::optional<HostScope> scope;
};

}  // namespace heart::testing
