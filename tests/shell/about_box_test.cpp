// The about box answers 0 however it is closed, so no alert follows it.
#include "shell_test_support.h"

namespace heart::testing {
namespace {

using AboutBox = ShellTest;

TEST_F(AboutBox, AnswersZeroHoweverItIsClosed) {
  ASSERT_EQ(host->startup(), kNoErr);
  events->add(DialogEvent::press(1));
  events->add(DialogEvent::cancel());
  for (int run = 0; run < 3; ++run) EXPECT_EQ(host->about(), kNoErr) << run;  // the last confirms

  const auto boxes = dialogsNamed("About Dialog");
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].resourceId, 16050);
  EXPECT_EQ(boxes[0].title, "Heart Plug-in About");
  EXPECT_EQ(boxes[0].result, 1) << "the OK button ends the box through its notify procedure";
  EXPECT_EQ(boxes[1].result, 2);
  EXPECT_EQ(boxes[2].result, 1);
  EXPECT_TRUE(dialogsNamed("Error Dialog").empty());
  EXPECT_EQ(host->broker().totalHeld(), 0);
}

}  // namespace
}  // namespace heart::testing
