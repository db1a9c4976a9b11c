// The session's history of variations: its bounds, the branch a change
// after going back starts, and the numbers the page may ask for.
#include "studio/preview_history.h"

#include <gtest/gtest.h>

namespace heart::testing {
namespace {

using namespace heart::studio;

HistoryEntry entryOf(const std::string& cause, size_t pictureBytes = 0) {
  HistoryEntry entry;
  entry.record.assign(340, 0);
  entry.cause = cause;
  if (pictureBytes) entry.thumbnail = std::make_shared<std::vector<unsigned char>>(pictureBytes);
  return entry;
}

std::vector<std::string> causes(const PreviewHistory& history) {
  std::vector<std::string> all;
  for (size_t i = 0; i < history.size(); ++i) all.push_back(history.at(i).cause);
  return all;
}

TEST(PreviewHistory, KeepsAtMostItsCountDroppingTheOldest) {
  PreviewHistory history(HistoryBounds{3, size_t{1} << 30});
  for (const char* cause : {"a", "b", "c", "d", "e"}) history.add(entryOf(cause));
  EXPECT_EQ(causes(history), (std::vector<std::string>{"c", "d", "e"}));
  EXPECT_EQ(history.current(), 2u);
  EXPECT_EQ(history.at(0).serial, 3u);  // serials go on from the dropped ones
}

TEST(PreviewHistory, KeepsWithinItsBytesAndAlwaysTheNewest) {
  const size_t mib = size_t{1} << 20;
  PreviewHistory history(HistoryBounds{200, 64 * mib});
  for (int i = 0; i < 70; ++i) history.add(entryOf(std::to_string(i), mib));
  // 64 pictures of 1 MiB would be over 64 MiB with their records: 63 stay,
  // the newest of them.
  EXPECT_EQ(history.size(), 63u);
  EXPECT_LE(history.bytes(), 64 * mib);
  EXPECT_EQ(history.at(0).cause, "7");
  history.add(entryOf("huge", 65 * mib));
  EXPECT_EQ(causes(history), (std::vector<std::string>{"huge"}));
}

TEST(PreviewHistory, AChangeAfterGoingBackDropsWhatCameAfter) {
  PreviewHistory history;
  for (const char* cause : {"a", "b", "c", "d"}) history.add(entryOf(cause));
  ASSERT_TRUE(history.select(1));
  EXPECT_EQ(causes(history).size(), 4u) << "going back keeps every entry";
  ASSERT_TRUE(history.select(2));  // and forward again
  ASSERT_TRUE(history.select(1));
  history.add(entryOf("e"));
  EXPECT_EQ(causes(history), (std::vector<std::string>{"a", "b", "e"}));
  EXPECT_EQ(history.current(), 2u);
}

TEST(PreviewHistory, NumbersOutsideTheHistoryAreRefusedAndChangeNothing) {
  PreviewHistory history;
  EXPECT_FALSE(history.select(0));
  for (const char* cause : {"a", "b", "c"}) history.add(entryOf(cause));
  ASSERT_TRUE(history.select(1));
  for (int64_t index : {int64_t{-1}, int64_t{3}, int64_t{1} << 40}) {
    Result<const HistoryEntry*> refused = history.select(index);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("0 to 2"), std::string::npos) << refused.error();
    EXPECT_EQ(history.current(), 1u);
  }
  EXPECT_EQ(causes(history).size(), 3u);
}

}  // namespace
}  // namespace heart::testing
