// The cairo renderer against librsvg's rendering of the exported SVG: the
// same documents, through the same frames, must give the same pictures up to
// antialiasing noise.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "application/host.h"
#include "core/host_context.h"
#include "core/suite_broker.h"
#include "plugin/dialog/front_view_centre.h"
#include "document/document.h"
#include "plugin/generator/generator.h"
#include "picture.h"
#include "plugin/params/parameter_record.h"
#include "render/document_renderer.h"
#include "plugin/suites/suite_table.h"

namespace heart::testing {
namespace {

// At most this share of pixels may differ visibly: edge pixels whose
// coverage the two drawings round differently. Zoomed out, where strokes are
// thinner than a pixel, more edge pixels are shared between paths.
double visibleShare(const RenderFrame& frame) { return frame.zoom < 1 ? 0.005 : 0.002; }

::testing::AssertionResult looksAlike(const Document& document, const RenderFrame& frame) {
  Picture ours = rendered(document, frame);
  Picture theirs = reference(document, frame);
  if (ours.width != frame.width || ours.height != frame.height)
    return ::testing::AssertionFailure() << "the PNG is " << ours.width << " x " << ours.height;
  Difference difference = compare(ours, theirs, pageBox(document, frame));
  if (difference.visible > visibleShare(frame))
    return ::testing::AssertionFailure()
           << difference.visible * 100 << "% of the pixels differ, first at " << difference.where
           << ", largest difference " << difference.largest;
  return ::testing::AssertionSuccess();
}

// Some ink in the picture: a picture of nothing would match any renderer.
size_t inkedPixels(const Picture& picture) {
  size_t inked = 0;
  for (uint32_t pixel : picture.pixels)
    if (pixel != 0xFFFFFFFFu && pixel != 0) ++inked;
  return inked;
}

// Hearts drawn by the plug-in's generator in a host of its own.
class GeneratedHearts {
 public:
  explicit GeneratedHearts(int16_t colourModel) {
    HostOptions options;
    options.seed = 7;
    options.document.colorModel = colourModel;
    host_ = std::make_unique<Host>(options);
    scope_.emplace(host_->context());  // the generator runs outside a message
    EXPECT_EQ(acquireSuites(host_->broker().basicSuite()), kNoErr);
    host_->document().beginInvocation();
    AIRealPoint centre{};
    EXPECT_EQ(frontViewCentre(&centre), kNoErr);
    setDefaults(&record, centre);
  }
  ~GeneratedHearts() { releaseSuites(host_->broker().basicSuite()); }

  const Document& draw() {
    record.finalRun = 1;
    record.previewDrawn = 0;
    EXPECT_EQ(generateHearts(&record), kNoErr);
    return host_->document();
  }
  Document& document() { return host_->document(); }

  ParameterRecord record{};

 private:
  std::unique_ptr<Host> host_;
  std::optional<HostScope> scope_;
};

// Every random paint switch: fills, strokes, swatches, art styles, widths,
// opacity, warps and symbols.
void everyPaint(ParameterRecord& r, int count) {
  r.heartCount = count;
  r.placementMode = 2;
  r.randomFill = r.randomFillSwatches = r.randomStroke = r.randomStyle = 1;
  r.randomWidth = r.randomOpacity = r.randomWarp = r.symbolize = 1;
  r.randomScaling = r.randomAngle = r.randomHeart = r.randomCurve = 1;
  r.jitterFill = r.jitterStroke = r.jitterWidth = 1;
}

TEST(RenderReference, TheDefaultHeartOnThePage) {
  GeneratedHearts hearts(kDocRGBColor);
  const Document& document = hearts.draw();
  ASSERT_GT(document.tree().pathsInPaintOrder().size(), 0u);
  EXPECT_GT(inkedPixels(rendered(document, pageFrame(document))), 500u);
  EXPECT_TRUE(looksAlike(document, pageFrame(document)));
}

TEST(RenderReference, ManyHeartsWithEveryPaintInEachColourModel) {
  for (int16_t model : {kDocGrayColor, kDocRGBColor, kDocCMYKColor}) {
    SCOPED_TRACE("colour model " + std::to_string(model));
    GeneratedHearts hearts(model);
    everyPaint(hearts.record, 60);
    const Document& document = hearts.draw();
    EXPECT_GT(document.tree().pathsInPaintOrder().size(), 59u);
    EXPECT_TRUE(looksAlike(document, pageFrame(document)));
  }
}

TEST(RenderReference, DropShadowsAndSketchStrokes) {
  GeneratedHearts hearts(kDocRGBColor);
  everyPaint(hearts.record, 12);
  ParameterRecord& r = hearts.record;
  r.dropShadow = 1;
  r.randomShadowScaling = r.halfFillShadow = r.randomShadowDirection = r.randomShadowOpacity = 1;
  r.sketchRepeats = 8;
  r.sketchShift = 6;
  r.sketchWeight = 8;
  r.randomSketchWeight = r.randomSketchShift = 1;
  r.sketchColorMode = 9;
  r.basicPattern = 1;
  r.newLayer = 1;
  const Document& document = hearts.draw();
  EXPECT_GT(document.tree().pathsInPaintOrder().size(), 100u);
  EXPECT_TRUE(looksAlike(document, pageFrame(document)));
}

TEST(RenderReference, ZoomedAndOffCentreFrames) {
  GeneratedHearts hearts(kDocCMYKColor);
  everyPaint(hearts.record, 30);
  hearts.record.sketchRepeats = 3;
  const Document& document = hearts.draw();
  const RenderFrame frames[] = {
      {{306, 396}, 3, 400, 300},     // close in on the middle of the page
      {{20, 760}, 0.5, 300, 200},    // the page's top left corner, off the page's centre
      {{306, 396}, 0.25, 800, 600},  // the whole page, small, in a larger window
      {{450, 150}, 1.7, 333, 517},   // odd sizes and zoom
      {{194, 770}, 4, 300, 300},     // hearts across the page's top edge
  };
  for (const RenderFrame& frame : frames) {
    SCOPED_TRACE("frame at " + std::to_string(frame.centre.h) + ", " +
                 std::to_string(frame.centre.v) + " zoom " + std::to_string(frame.zoom));
    EXPECT_TRUE(looksAlike(document, frame));
  }
}

// The studio's preview trades pixel exactness for speed: the drawing stays
// close to the exact one, thin strokes and fine dashes included.
TEST(RenderReference, APreviewStaysCloseToTheExactPicture) {
  GeneratedHearts hearts(kDocRGBColor);
  everyPaint(hearts.record, 40);
  hearts.record.sketchRepeats = 6;
  hearts.record.sketchWeight = 6;
  hearts.record.randomSketchWeight = 1;
  const Document& document = hearts.draw();
  RenderFrame frame = viewFrame(document.view(0));
  ASSERT_TRUE(frame.preview);
  Picture preview = rendered(document, frame);
  Picture exact = reference(document, frame);
  Difference difference = compare(preview, exact, pageBox(document, frame));
  EXPECT_LT(difference.visible, 0.02) << difference.where;
  EXPECT_GT(inkedPixels(preview), 5000u);
}

}  // namespace
}  // namespace heart::testing
