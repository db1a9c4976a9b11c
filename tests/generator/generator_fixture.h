// A real host for the generator: the Host application with a fresh document,
// the plug-in's suite pointers acquired through the shell's suite table, a
// fixed sequence of random draws, and a record filled with the defaults.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "application/host.h"
#include "core/fault_injector.h"
#include "core/host_context.h"
#include "document/document.h"
#include "document/random_source.h"
#include "plugin/generator/generator.h"
#include "plugin/params/parameter_record.h"

namespace heart::testing {

using heart::ArtId;

class GeneratorTest : public ::testing::Test {
 protected:
  void SetUp() override { openHost(kDocRGBColor); }
  void TearDown() override;

  // Replaces the host with one whose document has the colour model. The
  // record gets the defaults for the new document's front view.
  void openHost(int16_t colourModel);

  // The draws the host's random source answers, in order, started over when
  // used up.
  void draws(std::vector<float> values) { host_->random().useSequence(std::move(values)); }
  uint64_t drawCount() { return host_->random().drawCount(); }

  // Go without a standing preview, and a preview run.
  ASErr go();
  ASErr preview();

  heart::Document& document() { return host_->document(); }
  AIRealPoint page() { return document().pageSize(); }

  // Every path, bottom to top.
  std::vector<ArtId> paths() { return document().tree().pathsInPaintOrder(); }
  // The only path; fails the test when there is not exactly one.
  ArtId onlyPath();
  std::vector<AIPathSegment> segments(ArtId path);
  AIPathStyle style(ArtId path);
  AIReal opacity(ArtId art);
  AIRealRect bounds(ArtId art);
  AIRealPoint centre(ArtId art);
  bool closed(ArtId path);

  // The paint new paths get.
  void setNewPathPaint(const AIPathStyle& paint) { document().setCurrentPaint(paint); }
  AIPathStyle newPathPaint() { return document().currentPaint(); }

  ParameterRecord record{};
  std::unique_ptr<heart::Host> host_;
  // The generator's suites reach the host through this scope: the test calls
  // plug-in code directly, outside any message.
  std::optional<heart::HostScope> scope_;
};

// Point comparison within single-precision noise of page-sized numbers.
constexpr float kTolerance = 2e-3f;

::testing::AssertionResult near(AIRealPoint actual, AIRealPoint expected,
                                float tolerance = kTolerance);

AIRealPoint operator+(AIRealPoint a, AIRealPoint b);
AIRealPoint operator-(AIRealPoint a, AIRealPoint b);

AIColor rgb(float r, float g, float b);
AIColor cmyk(float c, float m, float y, float k);
AIColor gray(float ink);

::testing::AssertionResult sameColour(const AIColor& actual, const AIColor& expected,
                                      float tolerance = 1e-5f);

}  // namespace heart::testing
