// The renderer on documents made by hand: each kind of paint, art style,
// group, envelope and layer against librsvg's rendering of the SVG; the
// colours the screen shows; where a frame puts the art; frames and pictures
// at their limits; art that no picture can show.
#include <cairo.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "document/document.h"
#include "picture.h"
#include "render/document_renderer.h"
#include "render/png_encoding.h"

namespace heart::testing {
namespace {

AIPathSegment corner(float x, float y) { return AIPathSegment{{x, y}, {x, y}, {x, y}, true}; }

AIColor colour(int16_t kind, float c0, float c1 = 0, float c2 = 0, float c3 = 0) {
  return AIColor{kind, {c0, c1, c2, c3}, 0};
}

AIPathStyle fillOnly(AIColor fill) {
  AIPathStyle style{};
  style.fillPaint = 1;
  style.fillColor = fill;
  style.strokeColor = colour(kNoneColor, 0);
  return style;
}

AIPathStyle fillAndStroke(AIColor fill, AIColor stroke, float width) {
  AIPathStyle style = fillOnly(fill);
  style.strokePaint = 1;
  style.strokeColor = stroke;
  style.strokeWidth = width;
  return style;
}

class RenderDocument : public ::testing::Test {
 protected:
  ArtId path(std::vector<AIPathSegment> segments, bool closed, const AIPathStyle& style,
             ArtId inside = kNoArt) {
    ArtId id = kNoArt;
    EXPECT_EQ(document.newArt(kPathArt, inside == kNoArt ? kPlaceAboveAll : kPlaceInsideOnTop,
                              inside, &id),
              kNoErr);
    EXPECT_EQ(document.setSegments(id, 0, static_cast<int32_t>(segments.size()), segments.data()),
              kNoErr);
    EXPECT_EQ(document.setClosed(id, closed), kNoErr);
    EXPECT_EQ(document.setPathStyle(id, style), kNoErr);
    return id;
  }
  ArtId square(float left, float bottom, float side, const AIPathStyle& style,
               ArtId inside = kNoArt) {
    return path({corner(left, bottom), corner(left + side, bottom),
                 corner(left + side, bottom + side), corner(left, bottom + side)},
                true, style, inside);
  }
  ArtId group() {
    ArtId id = kNoArt;
    EXPECT_EQ(document.newArt(kGroupArt, kPlaceAboveAll, kNoArt, &id), kNoErr);
    return id;
  }
  // A heart-like closed curve of four anchors with handles.
  ArtId curvedShape(float x, float y, float size, const AIPathStyle& style) {
    float s = size;
    std::vector<AIPathSegment> segments = {
        {{x, y}, {x + 0.3f * s, y + 0.3f * s}, {x - 0.3f * s, y + 0.3f * s}, false},
        {{x - 0.5f * s, y + 0.7f * s}, {x - 0.6f * s, y + 0.4f * s}, {x - 0.4f * s, y + s}, false},
        {{x, y + 0.8f * s}, {x - 0.1f * s, y + s}, {x + 0.1f * s, y + s}, false},
        {{x + 0.5f * s, y + 0.7f * s}, {x + 0.4f * s, y + s}, {x + 0.6f * s, y + 0.4f * s}, false},
    };
    return path(segments, true, style);
  }

  // The whole page through librsvg and through the renderer.
  ::testing::AssertionResult looksAlike(const RenderFrame& frame) {
    Difference difference =
        compare(rendered(document, frame), reference(document, frame), pageBox(document, frame));
    if (difference.visible > 0.002)
      return ::testing::AssertionFailure()
             << difference.visible * 100 << "% of the pixels differ, first at " << difference.where;
    return ::testing::AssertionSuccess();
  }

  Document document;
};

TEST_F(RenderDocument, EveryPaintStyleGroupEnvelopeAndLayerLikeTheSvg) {
  const AIColor red = colour(kThreeColor, 1, 0, 0);
  const AIColor kinds[] = {colour(kGrayColor, 0.3f),
                           colour(kThreeColor, 0.2f, 0.6f, 0.9f),
                           colour(kFourColor, 0.1f, 0.7f, 0.2f, 0.1f),
                           colour(kPattern, 0.9f),
                           colour(kGradient, 0.1f),
                           colour(kCustomColor, 0.6f),
                           colour(kThreeColor, 1.5f, -0.5f, 0.5f)};
  float x = 20;
  for (const AIColor& fill : kinds) {
    square(x, 700, 50, fillOnly(fill));
    square(x, 620, 50, fillAndStroke(fill, colour(kFourColor, 0, 0, 0, 1), 3));
    x += 70;
  }
  // Each art style on a stroke, with and without opacity.
  for (int32_t look = 0; look < 5; ++look) {
    ArtId id =
        curvedShape(60 + 110 * look, 480, 80,
                    fillAndStroke(colour(kGrayColor, 0.1f), colour(kThreeColor, 0, 0, 1), 4));
    ASSERT_EQ(document.setArtStyle(id, look), kNoErr);
    ArtId faded = square(30 + 110 * look, 380, 70, fillAndStroke(red, colour(kGrayColor, 1), 8));
    ASSERT_EQ(document.setArtStyle(faded, look), kNoErr);
    ASSERT_EQ(document.setOpacity(faded, 0.2f + 0.15f * look), kNoErr);
  }
  // An open path, stroked and filled; a star whose overlapping middle the
  // non-zero rule fills; a path of one anchor; no paint at all.
  path({corner(20, 300), corner(120, 340), corner(60, 260)}, false,
       fillAndStroke(colour(kThreeColor, 0, 0.5f, 0), colour(kThreeColor, 0.5f, 0, 0.5f), 2));
  path({corner(200, 250), corner(260, 340), corner(320, 250), corner(180, 310), corner(340, 310)},
       true, fillOnly(colour(kFourColor, 0, 0.5f, 1, 0)));
  path({corner(400, 300)}, true, fillAndStroke(red, red, 5));
  path({AIPathSegment{{440, 300}, {400, 340}, {480, 340}, false}}, true,
       fillAndStroke(colour(kThreeColor, 0, 0.5f, 0.5f), red, 2));
  path({corner(420, 300), corner(470, 330)}, false, AIPathStyle{});
  // A translucent group of two overlapping squares.
  ArtId faded = group();
  square(380, 220, 60, fillOnly(colour(kThreeColor, 0, 0, 1)), faded);
  square(410, 250, 60, fillAndStroke(red, colour(kGrayColor, 1), 2), faded);
  ASSERT_EQ(document.setOpacity(faded, 0.5f), kNoErr);
  // A warped heart.
  ArtId warped = curvedShape(120, 60, 120, fillAndStroke(red, colour(kGrayColor, 0.8f), 2));
  ArtId shape = square(0, 0, 1, fillOnly(red));
  ArtId envelope = kNoArt;
  ASSERT_EQ(document.makeEnvelope(&warped, 1, shape, AIEnvelopeOptions{0, 50}, &envelope), kNoErr);
  EnvelopeWarp warp;
  warp.style = kWarpArc;
  warp.bend = 0.6f;
  warp.horizontalDistortion = 0.2f;
  ASSERT_EQ(document.setEnvelopeWarp(envelope, warp), kNoErr);
  // A hidden layer under everything and a layer on top.
  LayerId hidden = kNoLayer, top = kNoLayer;
  ASSERT_EQ(document.insertLayer(kNoLayer, kPlaceBelowAll, &hidden), kNoErr);
  square(0, 0, 612, fillOnly(colour(kGrayColor, 1)));
  document.setLayerVisible(hidden, false);
  ASSERT_EQ(document.insertLayer(kNoLayer, kPlaceAboveAll, &top), kNoErr);
  square(500, 40, 80, fillAndStroke(colour(kGrayColor, 0.5f), red, 6));

  EXPECT_TRUE(looksAlike(pageFrame(document)));
  EXPECT_TRUE(looksAlike(RenderFrame{{250, 420}, 2.5, 640, 480}));
  // The hidden layer's black square would cover the page's white corner.
  Picture picture = rendered(document, pageFrame(document));
  EXPECT_EQ(picture.at(605, 785), 0xFFFFFFFFu);
}

// Screen colours of each colour kind: gray is ink, process colours are
// r = (1 - c)(1 - k) and so on, components are limited to 0..1, gradients
// and patterns are mid gray, a custom colour is the gray of its tint.
TEST_F(RenderDocument, ColoursOnTheScreen) {
  struct Case {
    AIColor colour;
    uint32_t rgb;
  };
  const Case cases[] = {
      {colour(kGrayColor, 0), 0xFFFFFF},
      {colour(kGrayColor, 1), 0x000000},
      {colour(kGrayColor, 0.25f), 0xBFBFBF},                // 0.75 * 255 = 191.25
      {colour(kThreeColor, 1, 0.5f, 0), 0xFF8000},          // 127.5 rounds up
      {colour(kThreeColor, 2, -1, 0.2f), 0xFF0033},         // limited; 0.2 * 255 = 51
      {colour(kFourColor, 0.2f, 0.4f, 0, 0.5f), 0x664D80},  // 102, 76.5, 127.5
      {colour(kFourColor, 0, 0, 0, 1), 0x000000},
      {colour(kFourColor, 1, 0, 1, 0), 0x00FF00},
      {colour(kPattern, 0.9f), 0x808080},
      {colour(kGradient, 0.1f), 0x808080},
      {colour(kCustomColor, 0.75f), 0x404040},  // tint 0.75: 0.25 * 255 = 63.75
  };
  float x = 0;
  for (const Case& c : cases) {
    square(x, 0, 20, fillOnly(c.colour));
    x += 20;
  }
  square(0, 40, 20, fillOnly(colour(kNoneColor, 0)));
  RenderFrame frame{{110, 30}, 1, 220, 60};
  Picture picture = rendered(document, frame);
  ASSERT_EQ(picture.width, 220);
  for (size_t i = 0; i < std::size(cases); ++i) {
    // The middle of square i: page (10 + 20 i, 10), pixel (10 + 20 i, 49).
    EXPECT_EQ(picture.at(10 + 20 * static_cast<int>(i), 49), 0xFF000000u | cases[i].rgb)
        << "case " << i;
  }
  EXPECT_EQ(picture.at(10, 9), 0xFFFFFFFFu);  // no colour leaves the page white
}

// The frame maps artwork points to pixels: the centre point to the picture's
// centre, zoom pixels a point, the vertical axis turned down.
TEST_F(RenderDocument, TheFramePutsArtWhereItsPixelsAre) {
  square(100, 200, 10, fillOnly(colour(kThreeColor, 1, 0, 0)));
  // Centre (120, 190) at pixel (50, 40), zoom 2: the square spans pixels
  // x 50 + (100 - 120) * 2 = 10 to 30, y 40 - (210 - 190) * 2 = 0 to 20.
  RenderFrame frame{{120, 190}, 2, 100, 80};
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 100, 80);
  cairo_t* cr = cairo_create(surface);
  EXPECT_EQ(renderDocument(document, cr, frame), 1u);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 100; ++x) {
      uint32_t pixel = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
      bool inside = x >= 10 && x < 30 && y < 20;
      // Nothing else is painted: no page, no background.
      ASSERT_EQ(pixel, inside ? 0xFFFF0000u : 0u) << "pixel " << x << ", " << y;
    }
  }
  cairo_surface_destroy(surface);
}

TEST_F(RenderDocument, PageAndViewFrames) {
  RenderFrame letter = pageFrame(document);
  EXPECT_EQ(letter.width, 612);
  EXPECT_EQ(letter.height, 792);
  EXPECT_EQ(letter.zoom, 1);
  EXPECT_FLOAT_EQ(letter.centre.h, 306);
  EXPECT_FLOAT_EQ(letter.centre.v, 396);

  // Larger pages are scaled down to 8192 pixels on their long side.
  Document wide(DocumentSettings{20000, 5000, kDocRGBColor, {}});
  RenderFrame scaled = pageFrame(wide);
  EXPECT_EQ(scaled.width, 8192);
  EXPECT_EQ(scaled.height, 2048);
  EXPECT_DOUBLE_EQ(scaled.zoom, 8192.0 / 20000);

  // A fractional page takes the pixel it starts; its top left stays at (0, 0).
  Document odd(DocumentSettings{100.5f, 40.25f, kDocRGBColor, {}});
  RenderFrame rounded = pageFrame(odd);
  EXPECT_EQ(rounded.width, 101);
  EXPECT_EQ(rounded.height, 41);
  EXPECT_FLOAT_EQ(rounded.centre.h, 50.5f);
  EXPECT_FLOAT_EQ(rounded.centre.v, 40.25f - 20.5f);

  DocumentView view(AIRealPoint{12, 34}, 640, 480);
  ASSERT_TRUE(view.setZoom(3.5f));
  RenderFrame fromView = viewFrame(view);
  EXPECT_FLOAT_EQ(fromView.centre.h, 12);
  EXPECT_FLOAT_EQ(fromView.centre.v, 34);
  EXPECT_DOUBLE_EQ(fromView.zoom, 3.5);
  EXPECT_EQ(fromView.width, 640);
  EXPECT_EQ(fromView.height, 480);
  EXPECT_TRUE(fromView.preview);
  EXPECT_FALSE(letter.preview);
}

// A stroke 40 points wide along (20, 50) - (80, 50) - (80, 110): the
// default style mitres the right-angled corner out to the square's corner
// (100, 30) and ends the stroke flat at x = 20; round joins and caps reach
// only 20 points from the corner and from each end. A mitre longer than 4
// stroke widths is bevelled: a corner of 2 a degrees takes 1 / sin a widths.
TEST_F(RenderDocument, JoinsAndCapsOfAThickStrokeShow) {
  const AIPathStyle black = fillAndStroke(colour(kNoneColor, 0), colour(kGrayColor, 1), 40);
  path({corner(20, 50), corner(80, 50), corner(80, 110)}, false, black);
  ArtId round = path({corner(160, 50), corner(220, 50), corner(220, 110)}, false, black);
  ASSERT_EQ(document.setArtStyle(round, 2), kNoErr);  // "Round Joins"
  // Corners of 20 degrees (5.76 widths) at (340, 170) and of 34 degrees (3.42
  // widths) at (340, 100), opening to the left, 10 points wide: the mitres
  // would reach to x = 368.8 and 357.1, the bevel stays left of x = 341.5.
  const AIPathStyle thin = fillAndStroke(colour(kNoneColor, 0), colour(kGrayColor, 1), 10);
  path({corner(260, 184.106f), corner(340, 170), corner(260, 155.894f)}, false, thin);
  path({corner(260, 124.459f), corner(340, 100), corner(260, 75.541f)}, false, thin);
  Picture picture = rendered(document, RenderFrame{{190, 110}, 1, 380, 200});
  ASSERT_EQ(picture.width, 380);
  // The pixel that shows page point (x, y).
  auto shows = [&](double x, double y) {
    return picture.at(static_cast<int>(x), 209 - static_cast<int>(y));
  };
  const uint32_t ink = 0xFF000000u, paper = 0xFFFFFFFFu;
  for (int style = 0; style < 2; ++style) {
    const double dx = 140 * style;
    const bool mitred = style == 0;
    SCOPED_TRACE(mitred ? "default style" : "round joins");
    // Inside the mitre, 24.7 points from the corner.
    EXPECT_EQ(shows(97.5 + dx, 32.5), mitred ? ink : paper);
    // Past the flat end, 11.5 points from it.
    EXPECT_EQ(shows(8.5 + dx, 50.5), mitred ? paper : ink);
    // On the corner itself, and beyond both.
    EXPECT_EQ(shows(80.5 + dx, 50.5), ink);
    EXPECT_EQ(shows(110.5 + dx, 19.5), paper);
  }
  EXPECT_EQ(shows(330.5, 170.5), ink);
  EXPECT_EQ(shows(355.5, 170.5), paper);  // bevelled
  EXPECT_EQ(shows(350.5, 100.5), ink);    // mitred
}

// Dashes too fine to tell apart are drawn as a lighter solid line; the fill
// of the same path keeps its full colour.
TEST_F(RenderDocument, FineDashesLightenTheStrokeButNotTheFill) {
  const AIColor red = colour(kThreeColor, 1, 0, 0);
  // "Dashed Stroke": dashes of 4 widths and gaps of 2, a period of 1.2 points.
  ArtId dashed = square(100, 100, 100, fillAndStroke(red, colour(kGrayColor, 1), 0.2f));
  ASSERT_EQ(document.setArtStyle(dashed, 1), kNoErr);
  for (bool preview : {true, false}) {
    SCOPED_TRACE(preview ? "preview" : "exact");
    RenderFrame frame{{150, 150}, 1, 120, 120};
    frame.preview = preview;
    frame.thinLinesDirect = true;
    EXPECT_EQ(rendered(document, frame).at(60, 60), 0xFFFF0000u);
  }
}

TEST_F(RenderDocument, EmptyDocumentsAndFramesWithoutArt) {
  // An empty document: a white page and nothing else.
  Picture page = rendered(document, pageFrame(document));
  ASSERT_EQ(page.pixels.size(), 612u * 792u);
  for (uint32_t pixel : page.pixels) ASSERT_EQ(pixel, 0xFFFFFFFFu);

  // A frame beside the page: transparent, no art drawn there.
  square(10, 10, 30, fillOnly(colour(kGrayColor, 1)));
  Picture beside = rendered(document, RenderFrame{{-500, -500}, 1, 50, 40});
  ASSERT_EQ(beside.pixels.size(), 50u * 40u);
  for (uint32_t pixel : beside.pixels) ASSERT_EQ(pixel, 0u);
}

// A view shows the art beside the page as well, over no page at all.
TEST_F(RenderDocument, ArtBesideThePageShowsInAView) {
  square(-100, -100, 50, fillOnly(colour(kThreeColor, 0, 0, 1)));
  Picture beside = rendered(document, RenderFrame{{-75, -75}, 2, 100, 100});
  ASSERT_EQ(beside.pixels.size(), 100u * 100u);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(beside.at(x, y), 0xFF0000FFu) << x << ", " << y;
  // The page's own picture shows none of it.
  Picture page = rendered(document, pageFrame(document));
  for (uint32_t pixel : page.pixels) ASSERT_EQ(pixel, 0xFFFFFFFFu);
}

TEST_F(RenderDocument, ExtremeZoomsAndTheSmallestPicture) {
  square(300, 390, 12, fillOnly(colour(kGrayColor, 1)));
  curvedShape(100, 100, 200, fillAndStroke(colour(kThreeColor, 1, 0, 0), colour(kGrayColor, 1), 4));
  // Zoomed in 64 times inside the square: every pixel black.
  Picture close = rendered(document, RenderFrame{{306, 396}, 64, 200, 150});
  ASSERT_EQ(close.pixels.size(), 200u * 150u);
  for (uint32_t pixel : close.pixels) ASSERT_EQ(pixel, 0xFF000000u);
  EXPECT_TRUE(looksAlike(RenderFrame{{100, 180}, 64, 300, 200}));
  EXPECT_TRUE(looksAlike(RenderFrame{{306, 396}, 0.01, 40, 30}));
  // One pixel showing the middle of the square.
  Picture one = rendered(document, RenderFrame{{306, 396}, 1, 1, 1});
  ASSERT_EQ(one.pixels.size(), 1u);
  EXPECT_EQ(one.pixels[0], 0xFF000000u);
}

TEST_F(RenderDocument, FramesAndPicturesThatCannotBeMadeAreRefused) {
  square(10, 10, 30, fillOnly(colour(kGrayColor, 1)));
  // Larger than a PNG picture may be, but a context can be drawn through it.
  Result<std::vector<unsigned char>> large = renderPng(document, RenderFrame{{0, 0}, 1, 32768, 10});
  ASSERT_FALSE(large);
  EXPECT_NE(large.error().find("32768 x 10 pixels"), std::string::npos) << large.error();
  EXPECT_FALSE(renderPng(document, RenderFrame{{0, 0}, 1, 10001, 10000}));
  const RenderFrame bad[] = {
      {{0, 0}, 1, 0, 10},
      {{0, 0}, 1, 10, -1},
      {{0, 0}, 0, 10, 10},
      {{0, 0}, -2, 10, 10},
      {{0, 0}, std::numeric_limits<double>::quiet_NaN(), 10, 10},
      {{std::numeric_limits<float>::infinity(), 0}, 1, 10, 10},
  };
  for (const RenderFrame& frame : bad) {
    Result<std::vector<unsigned char>> png = renderPng(document, frame);
    ASSERT_FALSE(png);
    EXPECT_FALSE(png.error().empty());
    // Drawing into a context through such a frame draws nothing.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 10, 10);
    cairo_t* cr = cairo_create(surface);
    EXPECT_EQ(renderDocument(document, cr, frame), 0u);
    EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
}

// Coordinates at the far end of what a float holds, and envelopes that warp
// them past it: the picture is still made and the context stays usable.
TEST_F(RenderDocument, ArtBeyondAnyPictureDoesNotBreakTheDrawing) {
  const float huge = 3e38f;
  path({corner(-huge, -huge), corner(huge, -huge), corner(huge, huge)}, true,
       fillAndStroke(colour(kGrayColor, 1), colour(kGrayColor, 1), 1e30f));
  // Thin and dashed, reaching far beyond the picture.
  ArtId dashed = path({corner(-1e30f, 5), corner(1e30f, 6)}, false,
                      fillAndStroke(colour(kNoneColor, 0), colour(kGrayColor, 1), 0.5f));
  ASSERT_EQ(document.setArtStyle(dashed, 1), kNoErr);
  ArtId dotted = path({corner(-1e4f, 8), corner(1e4f, 9)}, false,
                      fillAndStroke(colour(kNoneColor, 0), colour(kGrayColor, 1), 0.5f));
  ASSERT_EQ(document.setArtStyle(dotted, 4), kNoErr);
  ArtId far = path({corner(huge, 0), corner(huge, 10), corner(-huge, 10)}, true,
                   fillOnly(colour(kGrayColor, 1)));
  ArtId shape = square(0, 0, 1, fillOnly(colour(kGrayColor, 1)));
  ArtId envelope = kNoArt;
  ASSERT_EQ(document.makeEnvelope(&far, 1, shape, AIEnvelopeOptions{0, 50}, &envelope), kNoErr);
  EnvelopeWarp warp;
  warp.style = kWarpFisheye;
  warp.bend = 1;
  ASSERT_EQ(document.setEnvelopeWarp(envelope, warp), kNoErr);
  square(10, 10, 30, fillOnly(colour(kThreeColor, 0, 0, 1)));
  for (bool preview : {false, true}) {
    for (double zoom : {0.01, 1.0, 64.0}) {
      Result<std::vector<unsigned char>> png =
          renderPng(document, RenderFrame{{25, 25}, zoom, 64, 64, preview});
      ASSERT_TRUE(png) << png.error();
      EXPECT_EQ(decodePng(*png).width, 64);
    }
  }
}

TEST_F(RenderDocument, ProgressCountsUpToEveryPath) {
  for (int i = 0; i < 9000; ++i)
    square(static_cast<float>(i % 600), static_cast<float>(i / 600), 1,
           fillOnly(colour(kGrayColor, 1)));
  LayerId hidden = kNoLayer;
  ASSERT_EQ(document.insertLayer(kNoLayer, kPlaceAboveAll, &hidden), kNoErr);
  square(0, 0, 1, fillOnly(colour(kGrayColor, 1)));
  document.setLayerVisible(hidden, false);
  std::vector<std::pair<size_t, size_t>> calls;
  ASSERT_TRUE(renderPng(document, pageFrame(document),
                        [&](size_t done, size_t all) { calls.emplace_back(done, all); }));
  ASSERT_GE(calls.size(), 2u);
  for (size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].second, 9000u);
    if (i > 0) {
      EXPECT_GT(calls[i].first, calls[i - 1].first);
    }
  }
  EXPECT_EQ(calls.back().first, 9000u);
}

// A picture tall enough to be compressed in two halves, with rows of every
// kind (noise, smooth ramps across and down, flat, repeated) so that each
// row filter is chosen somewhere: read back by cairo's own PNG reader, every
// opaque pixel is the one written.
TEST(PngEncoding, EveryRowFilterAndBothHalvesReadBackExactly) {
  constexpr int kWidth = 301, kHeight = 257;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      uint32_t rgb;
      switch (y % 4) {
        case 0:
          rgb = noise >> 8;
          break;  // noise
        case 1:
          rgb = static_cast<uint32_t>((x * 3) & 0xFF) << 16 | (y & 0xFF);
          break;  // ramp
        case 2:
          rgb = static_cast<uint32_t>(y) << 8 | 0x40;
          break;  // flat
        default:
          rgb = static_cast<uint32_t>(x / 7 * 29 + y) & 0xFFFFFF;  // steps
      }
      row[x] = 0xFF000000u | (rgb & 0xFFFFFF);
    }
  }
  cairo_surface_mark_dirty(surface);
  for (PngCompression compression : {PngCompression::kFast, PngCompression::kCompact}) {
    Result<std::vector<unsigned char>> png = encodePng(surface, compression);
    ASSERT_TRUE(png) << png.error();
    Picture back = decodePng(*png);
    ASSERT_EQ(back.width, kWidth);
    ASSERT_EQ(back.height, kHeight);
    size_t differing = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        differing += back.at(x, y) !=
                     reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x];
    EXPECT_EQ(differing, 0u);
  }
  cairo_surface_destroy(surface);
}

// Colour and coverage survive the trip through the PNG: straight alpha in
// the file, premultiplied pixels back.
TEST(PngEncoding, TranslucentPixelsKeepTheirColour) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 3, 2);
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, 1, 0, 0, 0.5);
  cairo_rectangle(cr, 0, 0, 1, 1);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0.2, 0.4, 0.6, 1);
  cairo_rectangle(cr, 1, 0, 1, 1);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const uint32_t* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
  uint32_t half = row[0], solid = row[1];
  for (PngCompression compression : {PngCompression::kFast, PngCompression::kCompact}) {
    Result<std::vector<unsigned char>> png = encodePng(surface, compression);
    ASSERT_TRUE(png) << png.error();
    Picture back = decodePng(*png);
    ASSERT_EQ(back.width, 3);
    ASSERT_EQ(back.height, 2);
    EXPECT_EQ(back.at(0, 0), half);
    EXPECT_EQ(back.at(1, 0), solid);
    EXPECT_EQ(back.at(2, 1), 0u);
  }
  cairo_surface_destroy(surface);
  cairo_surface_t* rgb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2);
  Result<std::vector<unsigned char>> notArgb = encodePng(rgb, PngCompression::kFast);
  ASSERT_FALSE(notArgb);
  EXPECT_FALSE(notArgb.error().empty());
  cairo_surface_destroy(rgb);
}

// The bytes of a PNG's image data as zlib's full search at its default
// level deflates them, against the file's own: a saved picture is kept
// compact whichever way it was deflated.
struct DeflatedSizes {
  size_t own = 0, fullSearch = 0;
};

DeflatedSizes deflatedSizes(const std::vector<unsigned char>& png, size_t rawBytes) {
  std::vector<unsigned char> stream;
  for (size_t at = 8; at + 12 <= png.size();) {
    const size_t length =
        static_cast<size_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    if (std::equal(png.begin() + at + 4, png.begin() + at + 8, "IDAT"))
      stream.insert(stream.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    at += length + 12;
  }
  std::vector<unsigned char> raw(rawBytes);
  uLongf rawLength = raw.size();
  EXPECT_EQ(uncompress(raw.data(), &rawLength, stream.data(), stream.size()), Z_OK);
  z_stream deflater{};
  EXPECT_EQ(deflateInit2(&deflater, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_FILTERED), Z_OK);
  std::vector<unsigned char> again(deflateBound(&deflater, rawLength));
  deflater.next_in = raw.data();
  deflater.avail_in = static_cast<uInt>(rawLength);
  deflater.next_out = again.data();
  deflater.avail_out = static_cast<uInt>(again.size());
  EXPECT_EQ(deflate(&deflater, Z_FINISH), Z_STREAM_END);
  DeflatedSizes sizes{stream.size(), again.size() - deflater.avail_out};
  deflateEnd(&deflater);
  return sizes;
}

TEST(PngEncoding, ASavedPictureIsAsSmallAsZlibsFullSearchWouldMakeIt) {
  constexpr int kSide = 320, kTile = 37;
  // A pattern: a tile of noise repeated every 37 pixels, whose repeats only
  // a search further back than the byte before finds; and noise all over,
  // where no search finds anything.
  uint32_t tile[kTile][kTile];
  uint32_t noise = 2024;
  for (auto& row : tile)
    for (uint32_t& pixel : row) pixel = 0xFF000000u | ((noise = noise * 1103515245u + 12345u) >> 8);
  for (bool pattern : {true, false}) {
    SCOPED_TRACE(pattern ? "a pattern" : "noise");
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSide, kSide);
    unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < kSide; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(
          data + static_cast<size_t>(y) * cairo_image_surface_get_stride(surface));
      for (int x = 0; x < kSide; ++x)
        row[x] = pattern ? tile[y % kTile][x % kTile]
                         : 0xFF000000u | ((noise = noise * 1103515245u + 12345u) >> 8);
    }
    cairo_surface_mark_dirty(surface);
    Result<std::vector<unsigned char>> png = encodePng(surface, PngCompression::kCompact);
    ASSERT_TRUE(png) << png.error();
    const DeflatedSizes sizes = deflatedSizes(*png, static_cast<size_t>(kSide) * (4 * kSide + 1));
    EXPECT_LE(sizes.own, sizes.fullSearch * 1.02 + 64) << "full search: " << sizes.fullSearch;
    cairo_surface_destroy(surface);
  }
}

}  // namespace
}  // namespace heart::testing

namespace heart::testing {
namespace {

// The designer's drawing beneath the art: its top left at the page's, 0.75
// points a pixel, under the hearts.
TEST(RenderBackdrop, TheDrawingLiesBeneathTheArtOnThePage) {
  Document document(DocumentSettings{300, 150, kDocRGBColor});
  // 400 x 200 pixels: the page. Blue over the top left quarter.
  document.setBackdropSvg(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"200\">"
      "<rect width=\"200\" height=\"100\" fill=\"#0000ff\"/></svg>");
  // A red square from (20, 130) to (40, 140) points: on the blue.
  ArtId art = kNoArt;
  ASSERT_EQ(document.newArt(kPathArt, kPlaceAboveAll, kNoArt, &art), kNoErr);
  std::vector<AIPathSegment> square = {corner(20, 130), corner(40, 130), corner(40, 140),
                                       corner(20, 140)};
  ASSERT_EQ(document.setSegments(art, 0, 4, square.data()), kNoErr);
  ASSERT_EQ(document.setClosed(art, true), kNoErr);
  ASSERT_EQ(document.setPathStyle(art, fillOnly(colour(kThreeColor, 1, 0, 0))), kNoErr);

  Picture page = rendered(document, pageFrame(document));
  EXPECT_EQ(page.at(30, 15), 0xFFFF0000u) << "the art over the drawing";
  EXPECT_EQ(page.at(100, 30), 0xFF0000FFu) << "the drawing: 133 x 40 of its pixels";
  EXPECT_EQ(page.at(160, 30), 0xFFFFFFFFu) << "past the blue's 200 pixels (150 points)";
  EXPECT_EQ(page.at(100, 90), 0xFFFFFFFFu) << "below the blue's 100 pixels (75 points)";
  // A view at zoom 2 centred on the point (150, 75): the blue's corner
  // (150, 75) points is the picture's centre.
  Picture view = rendered(document, RenderFrame{{150, 75}, 2, 100, 100});
  EXPECT_EQ(view.at(48, 48), 0xFF0000FFu);
  EXPECT_EQ(view.at(52, 52), 0xFFFFFFFFu);

  // Another drawing of the same length in the same document is drawn
  // afresh, not taken from the last picture of the same frame.
  document.setBackdropSvg(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"200\">"
      "<rect width=\"200\" height=\"100\" fill=\"#00ff00\"/></svg>");
  EXPECT_EQ(rendered(document, RenderFrame{{150, 75}, 2, 100, 100}).at(48, 48), 0xFF00FF00u);

  document.setBackdropSvg("<svg");
  Result<std::vector<unsigned char>> png = renderPng(document, pageFrame(document));
  ASSERT_FALSE(png);
  EXPECT_NE(png.error().find("librsvg cannot read the drawing"), std::string::npos) << png.error();
}

// A drawing sized in millimetres without a view box: its user units are CSS
// pixels, 0.75 points each, whatever inch librsvg would take by itself.
TEST(RenderBackdrop, ADrawingInMillimetresKeepsItsPixelsOnThePage) {
  // 80 x 40 mm: 226.77 x 113.39 points. Blue over its first 150 pixels across.
  Document document(DocumentSettings{226.77f, 113.39f, kDocRGBColor});
  document.setBackdropSvg(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"80mm\" height=\"40mm\">"
      "<rect width=\"150\" height=\"40\" fill=\"#0000ff\"/></svg>");
  Picture page = rendered(document, pageFrame(document));
  EXPECT_EQ(page.at(110, 10), 0xFF0000FFu) << "inside the blue's 112.5 points";
  EXPECT_EQ(page.at(115, 10), 0xFFFFFFFFu) << "past the blue's 112.5 points";
  EXPECT_EQ(page.at(10, 31), 0xFFFFFFFFu) << "below the blue's 30 points";
}

}  // namespace
}  // namespace heart::testing
