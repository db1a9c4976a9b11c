// Work in two halves at once: both halves done, and what either throws
// reaching the caller only once both have ended.
#include "core/two_halves.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>

namespace heart::testing {
namespace {

TEST(TwoHalves, BothHalvesAreDoneTheSecondBesideTheFirst) {
  const std::thread::id caller = std::this_thread::get_id();
  std::thread::id firstOn, secondOn;
  inTwoHalves([&] { firstOn = std::this_thread::get_id(); },
              [&] { secondOn = std::this_thread::get_id(); });
  EXPECT_EQ(firstOn, caller);
  EXPECT_NE(secondOn, std::thread::id{});
  EXPECT_NE(secondOn, caller);
}

TEST(TwoHalves, AFailureInEitherHalfReachesTheCallerAfterBothHaveEnded) {
  std::atomic<bool> firstDone{false}, secondDone{false};
  EXPECT_THROW(inTwoHalves([&] { firstDone = true; },
                           [&] {
                             secondDone = true;
                             throw std::bad_alloc();
                           }),
               std::bad_alloc);
  EXPECT_TRUE(firstDone);
  EXPECT_TRUE(secondDone);

  // Both fail: the first half's failure is the one reported, after the
  // second half has run to its end.
  secondDone = false;
  EXPECT_THROW(inTwoHalves([] { throw std::runtime_error("first"); },
                           [&] {
                             std::this_thread::sleep_for(std::chrono::milliseconds(20));
                             secondDone = true;
                             throw std::bad_alloc();
                           }),
               std::runtime_error);
  EXPECT_TRUE(secondDone);
}

}  // namespace
}  // namespace heart::testing
