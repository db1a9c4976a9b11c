// The shell's tests drive the built module through the real host. This
// fixture gives each test a loaded Host, a clean fault injector and a
// scripted event source, and can make a copy of the module whose resources
// are changed, for the cases that need other strings than the module's own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "application/host.h"
#include "core/alert_sink.h"
#include "core/fault_injector.h"
#include "core/suite_broker.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/event_source.h"
#include "support/loaded_host.h"

namespace heart::testing {

// The suite table's rows, in order, as the host sees them.
struct SuiteName {
  const char* name;
  ASInt32 version;
};
extern const std::vector<SuiteName> kSuiteRows;

// A copy of the built module whose string list `listId` is `strings`.
// Answers the copy's path; fails the test when the block cannot be rewritten.
std::string moduleWithStrings(int32_t listId, const std::vector<std::string>& strings,
                              const std::string& copyName);

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { startHost(HEART_MODULE_PATH); }
  void TearDown() override {
    host.reset();
    faultInjector().clear();
  }

  void startHost(const std::string& modulePath) {
    faultInjector().clear();
    host.reset();
    std::string error;
    host = loadedHost(7, &error, modulePath);
    ASSERT_TRUE(host) << error;
    events = std::make_unique<ScriptedEventSource>();
    host->dialogs().setEventSource(events.get());
  }

  // The modal dialogs run so far with the given name.
  std::vector<ModalRecord> dialogsNamed(const std::string& name) const {
    std::vector<ModalRecord> found;
    for (const ModalRecord& record : host->dialogs().history())
      if (record.name == name) found.push_back(record);
    return found;
  }

  static std::string itemText(const ModalRecord& record, int32_t id) {
    for (const ModalRecordItem& item : record.items)
      if (item.id == id) return item.text;
    return "<no item " + std::to_string(id) + ">";
  }

  // How many times each of the 31 suites has been acquired so far.
  std::vector<int> acquisitions() const {
    std::vector<int> counts;
    for (const SuiteName& row : kSuiteRows)
      counts.push_back(host->broker().acquisitions(row.name, row.version));
    return counts;
  }

  std::unique_ptr<ScriptedEventSource> events;
  std::unique_ptr<Host> host;
};

}  // namespace heart::testing
