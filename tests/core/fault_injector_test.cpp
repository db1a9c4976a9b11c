// Fault injection: any operation answers a chosen code at its Nth call.
#include "core/fault_injector.h"

#include <gtest/gtest.h>

namespace heart::testing {
namespace {

class FaultInjectorTest : public ::testing::Test {
 protected:
  void TearDown() override { injector.clear(); }
  FaultInjector injector;
};

TEST_F(FaultInjectorTest, FailsOnlyTheChosenCall) {
  injector.failAt("AI Art Suite.NewArt", 3, kLayerLockedErr);
  EXPECT_EQ(injector.check("AI Art Suite", "NewArt"), kNoErr);
  EXPECT_EQ(injector.check("AI Art Suite", "NewArt"), kNoErr);
  EXPECT_EQ(injector.check("AI Art Suite", "NewArt"), kLayerLockedErr);
  EXPECT_EQ(injector.check("AI Art Suite", "NewArt"), kNoErr);
  EXPECT_EQ(injector.check("AI Art Suite", "DisposeArt"), kNoErr);
  EXPECT_EQ(injector.calls("AI Art Suite.NewArt"), 4);
}

TEST_F(FaultInjectorTest, CountsFromWhenThePlanIsMade) {
  injector.startCounting();
  injector.check("AI Path Suite", "SetPathSegments");
  injector.check("AI Path Suite", "SetPathSegments");
  injector.failAt("AI Path Suite.SetPathSegments", 1, kTooManyPointsErr);
  EXPECT_EQ(injector.check("AI Path Suite", "SetPathSegments"), kTooManyPointsErr);
  EXPECT_EQ(injector.calls("AI Path Suite.SetPathSegments"), 3);
}

TEST_F(FaultInjectorTest, RepeatingPlanFailsEveryLaterCall) {
  injector.failAt("AI Undo Suite.UndoChanges", 2, kBadParameterErr, /*repeat=*/true);
  EXPECT_EQ(injector.check("AI Undo Suite", "UndoChanges"), kNoErr);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(injector.check("AI Undo Suite", "UndoChanges"), kBadParameterErr);
}

TEST_F(FaultInjectorTest, ClearForgetsPlansAndCounts) {
  injector.failAt("AI Art Suite.NewArt", 1, kLayerLockedErr);
  injector.clear();
  EXPECT_EQ(injector.check("AI Art Suite", "NewArt"), kNoErr);
  EXPECT_EQ(injector.calls("AI Art Suite.NewArt"), 0) << "nothing is counted without a plan";
}

}  // namespace
}  // namespace heart::testing
