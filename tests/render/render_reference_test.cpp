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
#include "document/document.h"
#include "export/png_export.h"
#include "picture.h"
#include "plugin/dialog/front_view_centre.h"
#include "plugin/generator/generator.h"
#include "plugin/params/parameter_record.h"
#include "plugin/suites/suite_table.h"
#include "render/document_renderer.h"

namespace heart::testing {
namespace {

// At most this share of pixels may differ visibly: edge pixels whose
// coverage the two drawings round differently. Zoomed out, where strokes are
// thinner than a pixel, more edge pixels are shared between paths.
double visibleShare(const RenderFrame& frame) { return frame.zoom < 1 ? 0.005 : 0.002; }

// Pictures are drawn as the PNG output draws them: thin solid and dashed
// strokes straight into the pixels.
::testing::AssertionResult looksAlike(const Document& document, RenderFrame frame) {
  frame.thinLinesDirect = true;
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

// The heaviest kind of drawing: sketch copies in every art style at random
// weights, most of them thinner than a pixel or two, many dashed or dotted
// finer than a pixel.
TEST(RenderReference, ManyThinDashedAndDottedSketchStrokes) {
  GeneratedHearts hearts(kDocRGBColor);
  everyPaint(hearts.record, 40);
  ParameterRecord& r = hearts.record;
  r.dropShadow = 1;
  r.sketchRepeats = 20;
  r.sketchShift = 10;
  r.sketchWeight = 10;
  r.randomSketchWeight = r.randomSketchShift = 1;
  r.sketchColorMode = 9;
  const Document& document = hearts.draw();
  EXPECT_GT(document.tree().pathsInPaintOrder().size(), 800u);
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

// A picture scaled down to width x height with cairo's own filter, as a
// viewer shows a large picture small.
Picture scaledDown(const Picture& picture, int width, int height) {
  std::vector<uint32_t> pixels = picture.pixels;
  cairo_surface_t* source = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, picture.width,
      picture.height, picture.width * 4);
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(target);
  cairo_scale(cr, static_cast<double>(width) / picture.width,
              static_cast<double>(height) / picture.height);
  cairo_set_source_surface(cr, source, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  Picture small;
  small.width = width;
  small.height = height;
  const int stride = cairo_image_surface_get_stride(target);
  for (int row = 0; row < height; ++row) {
    const auto* line =
        reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(target) + row * stride);
    small.pixels.insert(small.pixels.end(), line, line + width);
  }
  cairo_surface_destroy(target);
  cairo_surface_destroy(source);
  return small;
}

// A PNG at 300 pixels an inch is the 72-pixel one drawn finer: a letter page
// of 2550 x 3300 pixels that, scaled down, shows what the default picture
// shows. Without the white page, the page is transparent where no art is.
TEST(RenderReference, APictureAtAHigherResolutionShowsTheSameDrawing) {
  GeneratedHearts hearts(kDocRGBColor);
  everyPaint(hearts.record, 30);
  const Document& document = hearts.draw();
  Result<std::vector<unsigned char>> coarse = exportPng(document);
  PngOptions fine;
  fine.dpi = 300;
  Result<std::vector<unsigned char>> detailed = exportPng(document, fine);
  ASSERT_TRUE(coarse && detailed);
  Picture ordinary = decodePng(*coarse), large = decodePng(*detailed);
  ASSERT_EQ(ordinary.width, 612);
  ASSERT_EQ(ordinary.height, 792);
  ASSERT_EQ(large.width, 2550);
  ASSERT_EQ(large.height, 3300);
  Difference difference = compare(scaledDown(large, 612, 792), ordinary);
  EXPECT_LT(difference.visible, 0.01) << difference.where;
  EXPECT_GT(inkedPixels(ordinary), 5000u);

  PngOptions bare;
  bare.whitePage = false;
  Picture clear = decodePng(exportPng(document, bare).value());
  ASSERT_EQ(clear.width, 612);
  // Laid over white, the bare picture is the ordinary one, up to the
  // rounding of a translucent pixel's colour through the PNG's straight alpha.
  size_t transparent = 0;
  Picture overWhite = clear;
  for (uint32_t& pixel : overWhite.pixels) {
    if (pixel == 0) ++transparent;
    const uint32_t uncovered = 255 - (pixel >> 24);
    pixel = 0xFF000000u | (((pixel >> 16 & 255) + uncovered) << 16) |
            (((pixel >> 8 & 255) + uncovered) << 8) | ((pixel & 255) + uncovered);
  }
  EXPECT_GT(transparent, 100000u);
  EXPECT_LE(compare(overWhite, ordinary).largest, 3);
}

}  // namespace
}  // namespace heart::testing
