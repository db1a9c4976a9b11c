// The studio's preview picture: drawn in two bands exactly as in one piece,
// and packed for the page in the word format the page unpacks.
#include "studio/preview_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "application/host.h"
#include "document/document.h"
#include "plugin/params/parameter_record.h"
#include "records/record_defaults.h"
#include "support/loaded_host.h"

namespace heart::testing {
namespace {

using namespace heart::studio;

std::vector<uint32_t> words(const std::vector<unsigned char>& bytes) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i + 3 < bytes.size(); i += 4)
    out.push_back(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 |
                  static_cast<uint32_t>(bytes[i + 3]) << 24);
  EXPECT_EQ(bytes.size() % 4, 0u);
  return out;
}

// Bytes red, green, blue, alpha as one little-endian word.
constexpr uint32_t rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return r | g << 8 | b << 16 | a << 24;
}

TEST(PackedPixels, RepeatsBecomeRunsAndTheRestStaysAsItIs) {
  PreviewPicture picture;
  picture.width = 4;
  picture.height = 3;
  const uint32_t a = 0xff102030, b = 0xff405060, c = 0xff708090, d = 0xffa0b0c0;
  picture.pixels = {b, a, a, a,   // a run of three at the end of the first row
                    a, a, c, c,   // goes on into the next; two alike stay single
                    d, c, b, b};  // and so do the last two
  EXPECT_EQ(words(packPixels(picture)),
            (std::vector<uint32_t>{1, rgba(0x40, 0x50, 0x60, 0xff),           //
                                   0x80000005, rgba(0x10, 0x20, 0x30, 0xff),  //
                                   6, rgba(0x70, 0x80, 0x90, 0xff), rgba(0x70, 0x80, 0x90, 0xff),
                                   rgba(0xa0, 0xb0, 0xc0, 0xff), rgba(0x70, 0x80, 0x90, 0xff),
                                   rgba(0x40, 0x50, 0x60, 0xff), rgba(0x40, 0x50, 0x60, 0xff)}));
}

TEST(PackedPixels, TranslucentColourIsNoLongerPremultiplied) {
  PreviewPicture picture;
  picture.width = 3;
  picture.height = 1;
  // Half-covered red-brown (premultiplied 64, 32, 16 at alpha 128); clear.
  picture.pixels = {0x80402010, 0x00000000, 0xffffffff};
  EXPECT_EQ(words(packPixels(picture)),
            (std::vector<uint32_t>{3, rgba(128, 64, 32, 128), rgba(0, 0, 0, 0),
                                   rgba(255, 255, 255, 255)}));
}

TEST(PackedPixels, AWholeBlankPictureIsOneRun) {
  PreviewPicture picture;
  picture.width = 800;
  picture.height = 600;
  picture.pixels.assign(800 * 600, 0xffdde0e3);
  EXPECT_EQ(words(packPixels(picture)),
            (std::vector<uint32_t>{0x80000000u + 480000, rgba(0xdd, 0xe0, 0xe3, 0xff)}));
}

class ScatteredHearts : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    host_ = loadedHost(41, &error);
    ASSERT_TRUE(host_) << error;
    ASSERT_EQ(host_->startup(), kNoErr);
    ParameterRecord record = defaultRecord(host_->document().view(0).centre());
    record.heartCount = 60;
    record.placementMode = 2;  // anywhere in the document
    record.dropShadow = 1;
    ASSERT_TRUE(host_->setStoredRecord(&record, sizeof record));
    ASSERT_EQ(host_->go(), kNoErr);
  }
  std::unique_ptr<Host> host_;
};

TEST_F(ScatteredHearts, TwoBandsDrawWhatOnePieceDraws) {
  Result<PreviewPicture> whole = renderPreview(host_->document(), 1);
  ASSERT_TRUE(whole) << whole.error();
  Result<PreviewPicture> banded = renderPreview(host_->document(), 2);
  ASSERT_TRUE(banded) << banded.error();
  ASSERT_EQ(banded->width, 800);
  ASSERT_EQ(banded->height, 600);
  EXPECT_EQ(banded->paths, whole->paths);
  EXPECT_EQ(banded->paths, 120u) << "sixty hearts, each with its shadow";
  // Art crosses the seam between the bands (rows 299 and 300): the pixels
  // there differ from the page's plain white somewhere.
  size_t inked = 0;
  for (int x = 0; x < banded->width; ++x) inked += banded->pixels[299 * 800 + x] != 0xffffffff;
  EXPECT_GT(inked, 100u);
  // Away from the seam every pixel is the same; on the two rows beside it
  // cairo may shade an edge pixel a step differently when a stroke is cut
  // by the band's edge, and no more than that.
  auto channelsApart = [](uint32_t a, uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8)
      most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xff) -
                                     static_cast<int>((b >> shift) & 0xff)));
    return most;
  };
  size_t seamDifferences = 0;
  for (int y = 0; y < banded->height; ++y)
    for (int x = 0; x < banded->width; ++x) {
      size_t i = static_cast<size_t>(y) * banded->width + x;
      if (banded->pixels[i] == whole->pixels[i]) continue;
      ASSERT_TRUE(y == 299 || y == 300) << "pixel (" << x << ", " << y << ")";
      EXPECT_LE(channelsApart(banded->pixels[i], whole->pixels[i]), 0x20)
          << "pixel (" << x << ", " << y << ")";
      ++seamDifferences;
    }
  EXPECT_LE(seamDifferences, 8u);
}

}  // namespace
}  // namespace heart::testing

namespace heart::testing {
namespace {

// The front view shows the designer's drawing on the page: here a blue page
// 400 x 300 pixels (300 x 225 points) seen at zoom 1 from its centre.
TEST(PreviewBackdrop, TheViewShowsTheDrawingOnThePage) {
  Document document(DocumentSettings{300, 225, kDocRGBColor});
  document.setBackdropSvg(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\">"
      "<rect width=\"400\" height=\"300\" fill=\"#0000ff\"/></svg>");
  Result<heart::studio::PreviewPicture> picture = heart::studio::renderPreview(document);
  ASSERT_TRUE(picture) << picture.error();
  auto at = [&](int x, int y) {
    return picture->pixels[static_cast<size_t>(y) * picture->width + x];
  };
  // The 800 x 600 window: the page spans x 250 to 550, y 187.5 to 412.5.
  EXPECT_EQ(at(400, 300), 0xFF0000FFu);
  EXPECT_EQ(at(260, 200), 0xFF0000FFu);
  EXPECT_NE(at(240, 300), 0xFF0000FFu) << "the pasteboard beside the page";
}

}  // namespace
}  // namespace heart::testing

namespace heart::testing {
namespace {

// A thin curve lies in the preview where the curve is: wherever it crosses
// a pixel row (or column, where it runs flat), the centre of its ink there
// is within a fraction of a pixel of the curve's own crossing.
TEST(PreviewCurves, AThinCurveStaysWithinAFractionOfAPixel) {
  Document document(DocumentSettings{612, 792, kDocRGBColor});
  // An arch 400 pixels wide and 225 high, bent hardest at its feet. At zoom
  // 1 about the page's centre a page point (h, v) is pixel (h + 94, 696 - v).
  const AIPathSegment from{{100, 200}, {100, 200}, {100, 500}, false};
  const AIPathSegment to{{500, 200}, {500, 500}, {500, 200}, false};
  const AIPathSegment segments[] = {from, to};
  ArtId arch = kNoArt;
  ASSERT_EQ(document.newArt(kPathArt, kPlaceAboveAll, kNoArt, &arch), kNoErr);
  ASSERT_EQ(document.setSegments(arch, 0, 2, segments), kNoErr);
  AIPathStyle style{};
  style.strokePaint = 1;
  style.strokeColor = AIColor{kGrayColor, {1, 0, 0, 0}, 0};
  style.strokeWidth = 1;
  ASSERT_EQ(document.setPathStyle(arch, style), kNoErr);
  Result<PreviewPicture> picture = renderPreview(document);
  ASSERT_TRUE(picture) << picture.error();
  auto ink = [&](int x, int y) {
    return 255.0 - (picture->pixels[static_cast<size_t>(y) * picture->width + x] & 0xff);
  };
  // The curve in pixels.
  const double px[] = {194, 194, 594, 594}, py[] = {496, 196, 196, 496};
  auto at = [&](double t, const double* p) {
    double u = 1 - t;
    return u * u * u * p[0] + 3 * u * u * t * p[1] + 3 * u * t * t * p[2] + t * t * t * p[3];
  };
  // The crossing of the line `coordinate` = c by the part of the curve
  // between t0 and t1, where that coordinate grows or falls throughout.
  auto crossing = [&](const double* along, const double* across, double c, double t0, double t1) {
    const bool rising = at(t1, along) > at(t0, along);
    for (int i = 0; i < 60; ++i) {
      double t = (t0 + t1) / 2;
      if ((at(t, along) < c) == rising)
        t0 = t;
      else
        t1 = t;
    }
    return at((t0 + t1) / 2, across);
  };
  double worst = 0;
  // The left foot, steep up to t = 0.25: its crossing of each row's centre.
  for (int y = 330; y < 494; ++y) {
    double expected = crossing(py, px, y + 0.5, 0, 0.25);
    double sum = 0, weighted = 0;
    for (int x = static_cast<int>(expected) - 4; x <= static_cast<int>(expected) + 4; ++x) {
      sum += ink(x, y);
      weighted += ink(x, y) * (x + 0.5);
    }
    ASSERT_GT(sum, 0) << "row " << y;
    worst = std::max(worst, std::fabs(weighted / sum - expected));
  }
  // The top, flat between t = 0.3 and 0.7: its crossing of each column's centre.
  for (int x = 282; x < 506; ++x) {
    double expected = crossing(px, py, x + 0.5, 0.3, 0.7);
    double sum = 0, weighted = 0;
    for (int y = static_cast<int>(expected) - 4; y <= static_cast<int>(expected) + 4; ++y) {
      sum += ink(x, y);
      weighted += ink(x, y) * (y + 0.5);
    }
    ASSERT_GT(sum, 0) << "column " << x;
    worst = std::max(worst, std::fabs(weighted / sum - expected));
  }
  EXPECT_LT(worst, 0.3) << "pixels between the curve and its drawing";
}

}  // namespace
}  // namespace heart::testing
