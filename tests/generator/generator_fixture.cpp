#include "generator_fixture.h"

#include <cmath>

#include "core/suite_broker.h"
#include "plugin/dialog/front_view_centre.h"
#include "plugin/suites/suite_table.h"

namespace heart::testing {

void GeneratorTest::openHost(int16_t colourModel) {
  if (host_) {
    releaseSuites(host_->broker().basicSuite());
    scope_.reset();
    host_.reset();
  }
  heart::faultInjector().clear();
  heart::HostOptions options;
  options.document.colorModel = colourModel;
  options.seed = 1;
  host_ = std::make_unique<heart::Host>(options);
  scope_.emplace(host_->context());
  ASSERT_EQ(acquireSuites(host_->broker().basicSuite()), kNoErr);
  // The undo of the current filter invocation is what reverts a preview.
  document().beginInvocation();
  AIRealPoint viewCentre{};
  ASSERT_EQ(frontViewCentre(&viewCentre), kNoErr);
  setDefaults(&record, viewCentre);
  record.finalRun = 0;
  for (int32_t& word : record.dialogBounds) word = 0;
}

void GeneratorTest::TearDown() {
  heart::faultInjector().clear();
  if (host_) releaseSuites(host_->broker().basicSuite());
  scope_.reset();
  host_.reset();
}

ASErr GeneratorTest::go() {
  record.finalRun = 1;
  record.previewDrawn = 0;
  return generateHearts(&record);
}

ASErr GeneratorTest::preview() {
  record.finalRun = 0;
  record.previewDrawn = 1;
  return generateHearts(&record);
}

ArtId GeneratorTest::onlyPath() {
  std::vector<ArtId> all = paths();
  EXPECT_EQ(all.size(), 1u);
  return all.empty() ? heart::kNoArt : all.front();
}

std::vector<AIPathSegment> GeneratorTest::segments(ArtId path) {
  int16_t count = 0;
  EXPECT_EQ(document().segmentCount(path, &count), kNoErr);
  std::vector<AIPathSegment> result(count);
  if (count > 0) {
    EXPECT_EQ(document().getSegments(path, 0, count, result.data()), kNoErr);
  }
  return result;
}

AIPathStyle GeneratorTest::style(ArtId path) {
  AIPathStyle result{};
  EXPECT_EQ(document().pathStyle(path, &result), kNoErr);
  return result;
}

AIReal GeneratorTest::opacity(ArtId art) {
  AIReal result = -1;
  EXPECT_EQ(document().opacity(art, &result), kNoErr);
  return result;
}

AIRealRect GeneratorTest::bounds(ArtId art) {
  AIRealRect result{};
  EXPECT_EQ(document().artBounds(art, &result), kNoErr);
  return result;
}

AIRealPoint GeneratorTest::centre(ArtId art) {
  AIRealRect b = bounds(art);
  return AIRealPoint{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
}

bool GeneratorTest::closed(ArtId path) {
  bool result = false;
  EXPECT_EQ(document().getClosed(path, &result), kNoErr);
  return result;
}

::testing::AssertionResult near(AIRealPoint actual, AIRealPoint expected, float tolerance) {
  if (std::fabs(actual.h - expected.h) <= tolerance &&
      std::fabs(actual.v - expected.v) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << actual.h << ", " << actual.v << ") is not ("
                                       << expected.h << ", " << expected.v << ")";
}

AIRealPoint operator+(AIRealPoint a, AIRealPoint b) { return AIRealPoint{a.h + b.h, a.v + b.v}; }
AIRealPoint operator-(AIRealPoint a, AIRealPoint b) { return AIRealPoint{a.h - b.h, a.v - b.v}; }

AIColor rgb(float r, float g, float b) { return AIColor{kThreeColor, {r, g, b, 0}, 0}; }
AIColor cmyk(float c, float m, float y, float k) { return AIColor{kFourColor, {c, m, y, k}, 0}; }
AIColor gray(float ink) { return AIColor{kGrayColor, {ink, 0, 0, 0}, 0}; }

::testing::AssertionResult sameColour(const AIColor& actual, const AIColor& expected,
                                      float tolerance) {
  auto describe = [](const AIColor& c) {
    return "kind " + std::to_string(c.kind) + " (" + std::to_string(c.c[0]) + ", " +
           std::to_string(c.c[1]) + ", " + std::to_string(c.c[2]) + ", " + std::to_string(c.c[3]) +
           ")";
  };
  int components = expected.kind == kFourColor ? 4 : expected.kind == kThreeColor ? 3 : 1;
  bool same = actual.kind == expected.kind;
  for (int k = 0; same && k < components; ++k)
    same = std::fabs(actual.c[k] - expected.c[k]) <= tolerance;
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << describe(actual) << " is not " << describe(expected);
}

}  // namespace heart::testing
