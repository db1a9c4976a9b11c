// The plug-in's alert and about box in a studio session: each reaches the
// page as a modal box with its own title and texts, over the options dialog
// when that is open, and the page's press on its OK button closes it.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "core/fault_injector.h"
#include "studio/studio_host_fixture.h"

namespace heart::testing {
namespace {

using namespace heart::studio;

using Json = nlohmann::json;

constexpr int32_t kOptionsDialog = 16100;

std::string textOf(const Json& box, int id) {
  for (const Json& item : box["items"])
    if (item["id"] == id) return item["text"];
  return "(no item " + std::to_string(id) + ")";
}

class ModalBox : public StudioHostFixture {
 protected:
  void SetUp() override {
    StudioSourceOptions sourceOptions;
    sourceOptions.mainDialogResource = kOptionsDialog;
    startStudio(3, sourceOptions);
  }
  void TearDown() override {
    faultInjector().clear();
    if (hostThread_.joinable()) {
      // Whatever is still open: cancel it, until the host call returns.
      while (!done_) {
        std::thread cancel([this] { post({{"action", "cancel"}}); });
        cancel.join();
      }
      hostThread_.join();
    }
    stopStudio();
  }

  // Runs a host call on its own thread, as the command's main thread would.
  void runOnHostThread(std::function<ASErr()> call) {
    hostThread_ = std::thread([this, call] {
      result_ = call();
      done_ = true;
      source_->finish({{"result", "done"}});
    });
  }
  ASErr finish() {
    hostThread_.join();
    return result_;
  }

  std::thread hostThread_;
  std::atomic<bool> done_{false};
  ASErr result_ = -1;
};

TEST_F(ModalBox, TheAboutBoxIsAModalBoxThatItsOkCloses) {
  runOnHostThread([this] { return host_->about(); });
  Json view = viewAfter(0);
  ASSERT_TRUE(view["modal"].is_object()) << view.dump();
  EXPECT_EQ(view["modal"]["resourceId"], 16050);
  EXPECT_EQ(view["modal"]["name"], "About Dialog");
  EXPECT_EQ(view["modal"]["title"], "Heart Plug-in About");
  EXPECT_EQ(textOf(view["modal"], 1), "&OK");
  EXPECT_TRUE(view["dialog"].is_null()) << "no options dialog is open under it";

  // The options dialog's items are not there to be pressed.
  EXPECT_EQ(post({{"action", "press"}, {"item", 61}}).first, 400);
  EXPECT_FALSE(done_);
  auto [status, answer] = post({{"action", "press"}, {"item", 1}});
  EXPECT_EQ(status, 200) << answer.dump();
  EXPECT_EQ(finish(), kNoErr);
  EXPECT_TRUE(viewAfter(0)["ended"].is_object());
}

TEST_F(ModalBox, AnAlertOverTheOptionsDialogIsAModalBoxThatItsOkCloses) {
  runOnHostThread([this] { return host_->getParameters(); });
  Json view = viewAfter(0);
  ASSERT_EQ(view["dialog"]["resourceId"], kOptionsDialog);
  ASSERT_TRUE(view["modal"].is_null());
  const Json options = view["dialog"];

  // Cancel: the revert of the preview fails, so Get Parameters answers the
  // failure and the plug-in shows its alert for it.
  faultInjector().failAt("AI Undo Suite.UndoChanges", 1, -108);
  std::thread cancel([this] { post({{"action", "press"}, {"item", 2}}); });
  view = viewAfter(view["version"]);
  while (view["modal"].is_null() && view["ended"].is_null()) view = viewAfter(view["version"]);
  cancel.join();
  ASSERT_TRUE(view["modal"].is_object()) << view.dump();
  EXPECT_EQ(view["modal"]["resourceId"], 16051);
  EXPECT_EQ(view["modal"]["name"], "Error Dialog");
  EXPECT_EQ(view["modal"]["title"], "Plug-in Error");
  EXPECT_EQ(textOf(view["modal"], 2),
            "The filter cannot complete because there isn't enough memory (RAM) available.");
  EXPECT_EQ(textOf(view["modal"], 3), "-108");
  EXPECT_EQ(textOf(view["modal"], 1), "OK");
  // The options dialog stays drawn under the alert as it was last seen.
  EXPECT_EQ(view["dialog"], options);

  EXPECT_FALSE(done_);
  auto [status, answer] = post({{"action", "press"}, {"item", 1}});
  EXPECT_EQ(status, 200) << answer.dump();
  EXPECT_EQ(finish(), -108);
}

}  // namespace
}  // namespace heart::testing
