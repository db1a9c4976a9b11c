// The run as a whole: the preview protocol, the new layer, the heart count,
// and how a failing host operation ends a run.
#include <string>

#include "export/svg_export.h"
#include "generator_fixture.h"
#include "plugin/suites/held_suites.h"

namespace heart::testing {
namespace {

class DriverTest : public GeneratorTest {};

TEST_F(DriverTest, GoAfterADrawnPreviewKeepsThePreviewAndClearsTheFlag) {
  ASSERT_EQ(preview(), kNoErr);
  ArtId previewed = onlyPath();
  std::vector<AIPathSegment> before = segments(previewed);
  const uint64_t redraws = document().redrawCount();
  const uint64_t drawn = drawCount();

  record.finalRun = 1;
  record.previewDrawn = 1;
  ASSERT_EQ(generateHearts(&record), kNoErr);
  EXPECT_EQ(record.previewDrawn, 0);
  EXPECT_EQ(onlyPath(), previewed);
  EXPECT_TRUE(document().tree().isLive(previewed));
  EXPECT_EQ(segments(previewed).size(), before.size());
  EXPECT_EQ(document().redrawCount(), redraws);
  EXPECT_EQ(drawCount(), drawn);
}

TEST_F(DriverTest, GoWithoutADrawnPreviewRevertsAndDrawsAfresh) {
  record.placementMode = 2;
  draws({0.25f, 0.25f, 0.75f, 0.75f});
  ASSERT_EQ(preview(), kNoErr);
  AIArtHandle previewed = document().tree().handleOf(onlyPath());
  const uint64_t redraws = document().redrawCount();

  ASSERT_EQ(go(), kNoErr);
  EXPECT_EQ(document().tree().artOf(previewed), heart::kNoArt) << "the preview's heart is gone";
  ArtId drawn = onlyPath();
  EXPECT_TRUE(near(segments(drawn)[0].p, AIRealPoint{page().h * 0.75f, page().v * 0.75f}));
  EXPECT_EQ(document().redrawCount(), redraws) << "Go does not redraw";
}

TEST_F(DriverTest, EveryPreviewReplacesTheLastAndRedraws) {
  record.heartCount = 3;
  ASSERT_EQ(preview(), kNoErr);
  EXPECT_EQ(paths().size(), 3u);
  EXPECT_EQ(document().redrawCount(), 1u);
  record.heartCount = 2;
  ASSERT_EQ(preview(), kNoErr);
  EXPECT_EQ(paths().size(), 2u);
  EXPECT_EQ(document().redrawCount(), 2u);
}

TEST_F(DriverTest, NoHeartsStillRevertsAndRedraws) {
  ASSERT_EQ(preview(), kNoErr);
  record.heartCount = 0;
  ASSERT_EQ(preview(), kNoErr);
  EXPECT_TRUE(paths().empty());
  EXPECT_EQ(document().redrawCount(), 2u);
  record.heartCount = -3;
  ASSERT_EQ(go(), kNoErr);
  EXPECT_TRUE(paths().empty());
}

TEST_F(DriverTest, NewLayerIsMadeOncePerRunAndHoldsEveryHeart) {
  const size_t layersBefore = document().tree().layerOrder().size();
  record.newLayer = 1;
  record.heartCount = 5;
  ASSERT_EQ(go(), kNoErr);
  ASSERT_EQ(document().tree().layerOrder().size(), layersBefore + 1);
  heart::LayerId top = document().tree().layerOrder().back();
  EXPECT_EQ(document().currentLayer(), top);
  EXPECT_EQ(document().tree().layerArts(top).size(), 5u);

  // A preview and another preview: still one new layer.
  ASSERT_EQ(preview(), kNoErr);
  ASSERT_EQ(preview(), kNoErr);
  EXPECT_EQ(document().tree().layerOrder().size(), layersBefore + 1);
}

TEST_F(DriverTest, AMissingSuiteEndsTheRunBeforeItStarts) {
  const AIEnvelopeSuite* held = sAIEnvelope;
  sAIEnvelope = nullptr;
  ASErr result = go();
  sAIEnvelope = held;
  EXPECT_EQ(result, kSuiteNotFoundErr);
  EXPECT_TRUE(paths().empty());
}

// A record that reaches every operation the generator examines.
void useEveryStep(ParameterRecord& record) {
  record.heartCount = 3;
  record.newLayer = 1;
  record.randomStyle = 1;
  record.symbolize = 1;
  record.randomWarp = 1;
  record.dropShadow = 1;
  record.randomShadowScaling = 1;
  record.basicPattern = 1;
  record.sketchRepeats = 2;
  record.sketchShift = 5;
  record.randomAngle = 1;
  record.randomScaling = 1;
  record.jitterScaling = 1;
  record.jitterCenter = 1;
}

struct TestedOperation {
  const char* name;
};

class FailureTest : public GeneratorTest, public ::testing::WithParamInterface<TestedOperation> {
 protected:
  // Path art made before a run ended, counted by the injector: every
  // successful new art and duplicate is a path.
  int pathsMade(bool lastCallFailed, const std::string& failing) {
    const heart::FaultInjector& injector = heart::faultInjector();
    int made = injector.calls("AI Art Suite.NewArt") + injector.calls("AI Art Suite.DuplicateArt");
    if (lastCallFailed &&
        (failing == "AI Art Suite.NewArt" || failing == "AI Art Suite.DuplicateArt"))
      --made;
    // A warp's rectangle is a path until the envelope takes it in.
    int envelopes = injector.calls("AI Envelope Suite.MakeEnvelope");
    if (lastCallFailed && failing == "AI Envelope Suite.MakeEnvelope") --envelopes;
    return made + injector.calls("AI Shape Construction Suite.NewRect") - envelopes;
  }
};

TEST_P(FailureTest, FirstAndLaterFailuresEndTheRunWithTheirCodeAndKeepTheArt) {
  const std::string operation = GetParam().name;
  const ASErr code = HEART_FOUR_CC('F', 'A', 'I', 'L');

  // A clean run counts the calls.
  useEveryStep(record);
  heart::faultInjector().startCounting();
  draws({0.3f, 0.7f, 0.45f, 0.6f, 0.2f});
  ASSERT_EQ(go(), kNoErr);
  const int calls = heart::faultInjector().calls(operation);
  ASSERT_GT(calls, 0) << operation << " is never called";
  const size_t complete = paths().size();

  size_t previous = 0;
  for (int nth : {1, (calls + 1) / 2 + 1, calls}) {
    if (nth > calls) continue;
    openHost(kDocRGBColor);
    // Hearts of an earlier use of the filter stand in the document.
    draws({0.9f, 0.1f});
    ASSERT_EQ(go(), kNoErr);
    document().endInvocation();
    document().beginInvocation();
    const size_t earlier = paths().size();
    const std::string before = heart::exportSvg(document(), heart::SvgMetadata{}).value();

    useEveryStep(record);
    draws({0.3f, 0.7f, 0.45f, 0.6f, 0.2f});
    heart::faultInjector().failAt(operation, nth, code);
    EXPECT_EQ(go(), code) << operation << " call " << nth;
    EXPECT_EQ(heart::faultInjector().calls(operation), nth)
        << operation << ": the run went on after call " << nth;
    const size_t kept = paths().size() - earlier;
    EXPECT_EQ(kept, static_cast<size_t>(pathsMade(true, operation)))
        << operation << " call " << nth;
    EXPECT_LE(kept, complete) << operation << " call " << nth;
    EXPECT_GE(kept, previous) << operation << " call " << nth;
    previous = kept;

    // Cancelling the invocation afterwards leaves the document exactly as before.
    heart::faultInjector().clear();
    ASSERT_EQ(document().revertInvocation(), kNoErr);
    EXPECT_EQ(heart::exportSvg(document(), heart::SvgMetadata{}).value(), before)
        << operation << " call " << nth;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryExaminedOperation, FailureTest,
                         ::testing::Values(TestedOperation{"AI Undo Suite.UndoChanges"},
                                           TestedOperation{"AI Document Suite.GetDocumentPageSize"},
                                           TestedOperation{"AI Art Style Suite.CountArtStyles"},
                                           TestedOperation{"AI Layer Suite.InsertLayer"},
                                           TestedOperation{"AI Art Suite.NewArt"},
                                           TestedOperation{"AI Path Suite.SetPathSegments"},
                                           TestedOperation{"AI Path Suite.SetPathClosed"},
                                           TestedOperation{"AI Art Suite.GetArtBounds"},
                                           TestedOperation{"AI Path Suite.GetPathSegments"},
                                           TestedOperation{"AI Transform Art Suite.TransformArt"},
                                           TestedOperation{"AI Art Style Suite.GetNthArtStyle"},
                                           TestedOperation{"AI Art Style Suite.SetArtStyle"},
                                           TestedOperation{"AI Symbol Suite.NewSymbolFromArt"},
                                           TestedOperation{"AI Envelope Suite.MakeEnvelope"},
                                           TestedOperation{"AI Art Suite.DuplicateArt"}),
                         [](const ::testing::TestParamInfo<TestedOperation>& info) {
                           std::string name = info.param.name;
                           return name.substr(name.find('.') + 1);
                         });

TEST_F(DriverTest, SegmentCountEndsTheRunOnlyWhereASketchIsShifted) {
  // The anchor switches ignore the count's answer...
  heart::faultInjector().failAt("AI Path Suite.GetPathSegmentCount", 1, kBadParameterErr, true);
  ASSERT_EQ(go(), kNoErr);
  EXPECT_EQ(paths().size(), 1u);

  // ...the shift of a sketch copy does not.
  openHost(kDocRGBColor);
  record.sketchRepeats = 1;
  record.sketchShift = 10;
  draws({0.1f, 0.5f});
  heart::faultInjector().failAt("AI Path Suite.GetPathSegmentCount", 2, kBadParameterErr);
  EXPECT_EQ(go(), kBadParameterErr);
  EXPECT_EQ(paths().size(), 2u);
}

TEST_F(DriverTest, UnexaminedOperationsDoNotEndTheRun) {
  auto everyStepAndPaint = [this] {
    useEveryStep(record);
    record.randomFill = 1;
    record.randomFillSwatches = 1;
    record.randomOpacity = 1;
    record.randomShadowOpacity = 1;
    record.sketchColorMode = 10;
    draws({0.3f, 0.7f, 0.45f, 0.6f, 0.2f});
  };
  everyStepAndPaint();
  ASSERT_EQ(go(), kNoErr);
  const size_t complete = paths().size();

  for (const char* operation :
       {"AI Path Suite.SetPathSegmentCount", "AI Path Style Suite.GetPathStyle",
        "AI Path Style Suite.SetPathStyle", "AI Blend Style Suite.SetOpacity",
        "AI Swatch List Suite.GetAIColor", "AI Document Suite.GetDocumentColorModel",
        "AI Envelope Suite.SetEnvelopeWarp"}) {
    openHost(kDocRGBColor);
    everyStepAndPaint();
    heart::faultInjector().failAt(operation, 1, kBadParameterErr, true);
    EXPECT_EQ(go(), kNoErr) << operation;
    EXPECT_GT(heart::faultInjector().calls(operation), 0) << operation << " is never called";
    EXPECT_EQ(paths().size(), complete) << operation;
  }
}

TEST_F(DriverTest, AFailedStyleReadKeepsWhatTheLastStepRead) {
  record.randomFill = 1;
  record.dropShadow = 1;
  draws({0.2f, 0.4f, 0.6f});
  // The first read is the random fill's, the second the shadow's.
  heart::faultInjector().failAt("AI Path Style Suite.GetPathStyle", 2, kBadParameterErr);
  ASSERT_EQ(go(), kNoErr);
  std::vector<ArtId> all = paths();
  ASSERT_EQ(all.size(), 2u);
  AIPathStyle shadow = style(all[0]);
  AIPathStyle heart = style(all[1]);
  EXPECT_TRUE(sameColour(shadow.fillColor, rgb(0, 0, 0)));
  EXPECT_TRUE(sameColour(heart.fillColor, rgb(0.2f, 0.4f, 0.6f)));
  EXPECT_EQ(shadow.fillPaint, heart.fillPaint);
  EXPECT_EQ(shadow.strokePaint, heart.strokePaint);
  EXPECT_TRUE(sameColour(shadow.strokeColor, heart.strokeColor));
  EXPECT_FLOAT_EQ(shadow.strokeWidth, heart.strokeWidth);
}

TEST_F(DriverTest, AFailedWarpRectangleEndsTheRunThroughTheEnvelope) {
  record.randomWarp = 1;
  heart::faultInjector().failAt("AI Shape Construction Suite.NewRect", 1, kMemFullErr);
  const ASErr result = go();
  EXPECT_NE(result, kNoErr);
  EXPECT_NE(result, kMemFullErr) << "the rectangle's own answer is not examined";
  EXPECT_EQ(paths().size(), 1u);
}

TEST_F(DriverTest, PreviewPassesTheRedrawAnswerOn) {
  heart::faultInjector().failAt("AI Document Suite.RedrawDocument", 1, kBadParameterErr);
  EXPECT_EQ(preview(), kBadParameterErr);
  EXPECT_EQ(paths().size(), 1u);
}

TEST_F(DriverTest, AFailureInTheThirdHeartKeepsTheFirstTwoAndThePartialThird) {
  record.heartCount = 5;
  // Eight writes per heart, four anchors and four written back by the anchor
  // switches: the 18th write is the third heart's second anchor.
  heart::faultInjector().failAt("AI Path Suite.SetPathSegments", 18, kLayerLockedErr);
  EXPECT_EQ(go(), kLayerLockedErr);
  std::vector<ArtId> kept = paths();
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(segments(kept[0]).size(), 4u);
  EXPECT_EQ(segments(kept[1]).size(), 4u);
  EXPECT_EQ(segments(kept[2]).size(), 1u);
}

}  // namespace
}  // namespace heart::testing
