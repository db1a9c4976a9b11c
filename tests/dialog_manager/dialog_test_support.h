// A dialog manager, current (a HostScope) for the length of a test, with a plug-in whose
// resources the test builds, a scripted event source, and a way to run a
// test's own code as a dialog's initialisation procedure.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/host_context.h"
#include "dialog_manager/dialog_manager.h"
#include "dialog_manager/dialog_suites.h"
#include "resources/plugin_resources.h"

namespace heart::testing {

inline constexpr int32_t kPlainDialog = 500;
inline constexpr int32_t kAlertDialog = 501;

inline DialogTemplate plainTemplate() {
  DialogTemplate layout;
  layout.id = kPlainDialog;
  layout.name = "Plain";
  layout.title = "Plain Dialog";
  layout.width = 228;
  layout.height = 166;
  return layout;
}

// An alert laid out like the plug-in's error dialog.
inline DialogTemplate alertTemplate() {
  DialogTemplate layout;
  layout.id = kAlertDialog;
  layout.name = "Alert";
  layout.title = "Plug-in Error";
  layout.width = 185;
  layout.height = 92;
  layout.items = {{1, "default push button", 127, 65, 50, 14, "OK"},
                  {2, "static text", 43, 12, 126, 28, "Message"},
                  {3, "static text", 13, 66, 30, 8, "Code"},
                  {4, "black frame", 10, 10, 18, 20, ""}};
  return layout;
}

class DialogManagerTest : public ::testing::Test {
 public:
  void SetUp() override {
    resources.dialogs = {plainTemplate(), alertTemplate()};
    dialogs.setResourceSource([this](SPPluginRef plugin) -> const PluginResources* {
      return plugin == thePlugin() ? &resources : nullptr;
    });
    context.dialogs = &dialogs;
    scope.emplace(context);
    dialogs.setEventSource(&events);
    active = this;
  }

  void TearDown() override {
    scope.reset();
    active = nullptr;
  }

  static SPPluginRef thePlugin() { return reinterpret_cast<SPPluginRef>(0x5150); }

  int32_t runModal(int32_t dialogId, ADMDialogInitProc init, ADMUserData data = nullptr) {
    return admDialogSuite().Modal(thePlugin(), "Test", dialogId, 0, init, data);
  }

  // Runs `body` as the initialisation procedure of a plain dialog, then the
  // dialog takes the queued events. Answers the modal result.
  int32_t withDialog(std::function<void(ADMDialogRef)> body, int32_t dialogId = kPlainDialog) {
    bodies.push_back(std::move(body));
    return runModal(dialogId, [](ADMDialogRef dialog) -> ASErr {
      // Copied out first: a nested run may add bodies and move the vector.
      auto body = active->bodies[active->nextBody++];
      body(dialog);
      return kNoErr;
    });
  }

  ADMItemRef create(ADMDialogRef dialog, int32_t id, const char* type,
                    ASRect bounds = {0, 0, 60, 20}) {
    return admDialogSuite().CreateItem(dialog, id, type, &bounds, nullptr, nullptr);
  }

  std::string textOf(ADMItemRef item) {
    char buffer[256];
    admItemSuite().GetText(item, buffer, sizeof buffer);
    return buffer;
  }

  static inline DialogManagerTest* active = nullptr;

  DialogManager dialogs;
  HostContext context;
  std::optional<HostScope> scope;
  ScriptedEventSource events;
  PluginResources resources;
  std::vector<std::function<void(ADMDialogRef)>> bodies;
  size_t nextBody = 0;
  // What the test's procedures saw, in order.
  std::vector<std::string> seen;
};

}  // namespace heart::testing
