// The suite broker behind the basic suite: suites by (name, version), counted
// per suite, withheld on request.
#include <gtest/gtest.h>

#include <optional>

#include "core/fault_injector.h"
#include "core/host_context.h"
#include "core/suite_broker.h"

namespace heart::testing {
namespace {

const int kTableA = 1;
const int kTableB = 2;

class BrokerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context.broker = &broker;
    scope.emplace(context);
    broker.add("Alpha Suite", 2, &kTableA);
    broker.add("Alpha Suite", 3, &kTableB);
    basic = broker.basicSuite();
  }
  void TearDown() override {
    scope.reset();
    faultInjector().clear();
  }

  SuiteBroker broker;
  HostContext context;
  std::optional<HostScope> scope;
  SPBasicSuite* basic = nullptr;
};

TEST_F(BrokerTest, AcquiresByNameAndVersionAndCountsPerSuite) {
  const void* suite = nullptr;
  ASSERT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kNoErr);
  EXPECT_EQ(suite, &kTableA);
  ASSERT_EQ(basic->AcquireSuite("Alpha Suite", 3, &suite), kNoErr);
  EXPECT_EQ(suite, &kTableB);
  ASSERT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kNoErr);
  EXPECT_EQ(broker.held("Alpha Suite", 2), 2);
  EXPECT_EQ(broker.held("Alpha Suite", 3), 1);
  EXPECT_EQ(broker.totalHeld(), 3);

  EXPECT_EQ(basic->ReleaseSuite("Alpha Suite", 2), kNoErr);
  EXPECT_EQ(broker.held("Alpha Suite", 2), 1);
  EXPECT_EQ(broker.acquisitions("Alpha Suite", 2), 2);
}

TEST_F(BrokerTest, UnknownNameOrVersionIsNotFound) {
  const void* suite = &kTableB;
  EXPECT_EQ(basic->AcquireSuite("Beta Suite", 2, &suite), kSuiteNotFoundErr);
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 4, &suite), kSuiteNotFoundErr);
  EXPECT_EQ(basic->AcquireSuite(nullptr, 2, &suite), kSuiteNotFoundErr);
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, nullptr), kSuiteNotFoundErr);
  EXPECT_EQ(suite, &kTableB) << "a failed acquisition leaves the destination alone";
  EXPECT_EQ(broker.totalHeld(), 0);
  // Releasing what is not held is refused the same way and changes no count.
  EXPECT_EQ(basic->ReleaseSuite("Alpha Suite", 2), kSuiteNotFoundErr);
  EXPECT_EQ(broker.held("Alpha Suite", 2), 0);
}

TEST_F(BrokerTest, WithheldSuitesAreNotFoundUntilCleared) {
  const void* suite = nullptr;
  ASSERT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kNoErr);
  broker.withhold("Alpha Suite");
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kSuiteNotFoundErr);
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 3, &suite), kSuiteNotFoundErr);
  // What was held before it was withheld can still be released.
  EXPECT_EQ(basic->ReleaseSuite("Alpha Suite", 2), kNoErr);
  broker.clearWithheld();
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 3, &suite), kNoErr);
  EXPECT_EQ(suite, &kTableB);
}

TEST_F(BrokerTest, BasicSuiteComparesStringsAndReachesTheCurrentBroker) {
  EXPECT_NE(basic->IsEqual("AI Filter", "AI Filter"), 0);
  EXPECT_EQ(basic->IsEqual("AI Filter", "AI Filters"), 0);
  EXPECT_EQ(basic->IsEqual(nullptr, "x"), 0);

  SuiteBroker other;
  other.add("Other Suite", 1, &kTableA);
  HostContext otherHost;
  otherHost.broker = &other;
  const void* suite = nullptr;
  {
    HostScope inner(otherHost);
    EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kSuiteNotFoundErr);
    EXPECT_EQ(basic->AcquireSuite("Other Suite", 1, &suite), kNoErr);
    EXPECT_EQ(other.held("Other Suite", 1), 1);
  }
  // The inner scope gave the outer host back.
  EXPECT_EQ(basic->AcquireSuite("Other Suite", 1, &suite), kSuiteNotFoundErr);
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kNoErr);
  EXPECT_EQ(broker.held("Alpha Suite", 2), 1);
  scope.reset();
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kSuiteNotFoundErr)
      << "outside every scope no broker answers";
}

TEST_F(BrokerTest, AcquisitionCanBeMadeToFail) {
  faultInjector().failAt("SP Basic Suite.AcquireSuite", 2, kMemFullErr);
  const void* suite = nullptr;
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kNoErr);
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kMemFullErr);
  EXPECT_EQ(basic->AcquireSuite("Alpha Suite", 2, &suite), kNoErr);
  EXPECT_EQ(broker.held("Alpha Suite", 2), 2);
}

}  // namespace
}  // namespace heart::testing
