// Thin lines drawn straight into an image's pixels: which pixels a line
// covers and by how much, one stroke's overlapping lines painted once, the
// opacity, and the clip.
#include "render/thin_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace heart::testing {
namespace {

constexpr int kSide = 16;
constexpr uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u;
const double kBlackInk[3] = {0, 0, 0};

// A white opaque image of kSide x kSide pixels, rows padded to show the stride is used.
struct Image {
  static constexpr int kStride = (kSide + 3) * 4;
  std::vector<unsigned char> bytes = std::vector<unsigned char>(kStride * kSide, 0xFF);
  uint32_t at(int x, int y) const {
    return *reinterpret_cast<const uint32_t*>(bytes.data() + y * kStride + x * 4);
  }
  ThinLines lines(int left = 0, int top = 0, int right = kSide, int bottom = kSide) {
    return ThinLines(bytes.data(), kSide, kSide, kStride, left, top, right, bottom);
  }
  // The pixels that are no longer white.
  std::vector<std::pair<int, int>> inked() const {
    std::vector<std::pair<int, int>> found;
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x)
        if (at(x, y) != kWhite) found.emplace_back(x, y);
    return found;
  }
};

std::vector<std::pair<int, int>> row(int y, int from, int to) {
  std::vector<std::pair<int, int>> pixels;
  for (int x = from; x < to; ++x) pixels.emplace_back(x, y);
  return pixels;
}

TEST(ThinLines, ALineCoversTheColumnsBetweenItsEndsAndTheRowsItsWidthCrosses) {
  // One pixel wide along the middle of row 5: columns whose centre lies in [2, 12).
  Image image;
  ThinLines lines = image.lines();
  lines.addSegment(2, 5.5, 12, 5.5, 0.5);
  lines.paint(kBlackInk, 1);
  EXPECT_EQ(image.inked(), row(5, 2, 12));
  for (int x = 2; x < 12; ++x) EXPECT_EQ(image.at(x, 5), kBlack) << x;

  // Steep: the same along column 7, drawn upwards.
  Image steep;
  lines = steep.lines();
  lines.addSegment(7.5, 12, 7.5, 2, 0.5);
  lines.paint(kBlackInk, 1);
  std::vector<std::pair<int, int>> column;
  for (int y = 2; y < 12; ++y) column.emplace_back(7, y);
  EXPECT_EQ(steep.inked(), column);
  for (int y = 2; y < 12; ++y) EXPECT_EQ(steep.at(7, y), kBlack) << y;
}

TEST(ThinLines, APixelHalfCoveredTakesHalfTheInk) {
  // On the line between rows 4 and 5: each row holds half of the strip.
  Image image;
  ThinLines lines = image.lines();
  lines.addSegment(3, 5, 6, 5, 0.5);
  lines.paint(kBlackInk, 1);
  std::vector<std::pair<int, int>> expected = row(4, 3, 6);
  for (auto pixel : row(5, 3, 6)) expected.push_back(pixel);
  std::sort(expected.begin(), expected.end(), [](auto a, auto b) {
    return a.second != b.second ? a.second < b.second : a.first < b.first;
  });
  EXPECT_EQ(image.inked(), expected);
  for (auto [x, y] : expected) {
    uint32_t pixel = image.at(x, y);
    EXPECT_EQ(pixel >> 24, 0xFFu) << "still opaque";
    for (int shift : {0, 8, 16}) {
      uint32_t channel = (pixel >> shift) & 0xFF;
      EXPECT_GE(channel, 126u) << x << "," << y;
      EXPECT_LE(channel, 129u) << x << "," << y;
    }
  }
  // A 45-degree line one pixel wide is sqrt(2) pixels thick down a column.
  Image diagonal;
  lines = diagonal.lines();
  lines.addSegment(2, 2, 10, 10, 0.5);
  lines.paint(kBlackInk, 1);
  // Column 5's centre line passes y = 5.5: its own row fully inked, the rows
  // beside it by (sqrt(2) - 1) / 2 of a pixel each.
  EXPECT_EQ(diagonal.at(5, 5), kBlack);
  const uint32_t beside = 255 - static_cast<uint32_t>((std::sqrt(2.0) - 1) / 2 * 255 + 0.5);
  EXPECT_NEAR(static_cast<double>(diagonal.at(5, 4) & 0xFF), beside, 1.5);
  EXPECT_NEAR(static_cast<double>(diagonal.at(5, 6) & 0xFF), beside, 1.5);
  EXPECT_EQ(diagonal.at(5, 3), kWhite);
  EXPECT_EQ(diagonal.at(5, 7), kWhite);
}

// The ink a picture holds: the sum over its pixels of how far each is from white.
double inkOf(const Image& image) {
  double ink = 0;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) ink += (255 - (image.at(x, y) & 0xFF)) / 255.0;
  return ink;
}

TEST(ThinLines, FreeEndsAndDotsHoldTheInkOfTheirArea) {
  // A line that stops at 2.75 and 5.25 covers a quarter of its end columns,
  // though their centres lie beyond its ends.
  Image ends;
  ThinLines lines = ends.lines();
  lines.addSegment(2.75, 5.5, 5.25, 5.5, 0.5, true, true);
  lines.paint(kBlackInk, 1);
  EXPECT_EQ(ends.inked(), row(5, 2, 6));
  EXPECT_EQ(ends.at(3, 5), kBlack);
  EXPECT_EQ(ends.at(4, 5), kBlack);
  EXPECT_NEAR(static_cast<double>(ends.at(2, 5) & 0xFF), 255 * 0.75, 1);
  EXPECT_NEAR(static_cast<double>(ends.at(5, 5) & 0xFF), 255 * 0.75, 1);

  // A capsule at 35 degrees, 5 long with radius 1: a strip and a whole dot.
  Image capsule;
  lines = capsule.lines();
  lines.addCapsule(4.2, 5.1, 4.2 + 5 * std::cos(0.61), 5.1 + 5 * std::sin(0.61), 1);
  lines.paint(kBlackInk, 1);
  EXPECT_NEAR(inkOf(capsule), 5 * 2 + 3.14159265, 0.3);
  EXPECT_EQ(capsule.at(6, 6), kBlack) << "on the segment";
  EXPECT_EQ(capsule.at(4, 8), kWhite) << "beside it, beyond the radius";

  // A dot of radius 1.5 off the pixel centres: pi * 1.5^2 of ink, the centre black.
  Image dot;
  lines = dot.lines();
  lines.addCapsule(8.3, 7.6, 8.3, 7.6, 1.5);
  lines.paint(kBlackInk, 1);
  EXPECT_NEAR(inkOf(dot), 3.14159265 * 2.25, 0.25);
  EXPECT_EQ(dot.at(8, 7), kBlack);
  EXPECT_NE(dot.at(9, 7), kWhite) << "the rim, partly covered";
  EXPECT_NE(dot.at(9, 7), kBlack) << "the rim, partly covered";
  EXPECT_EQ(dot.at(10, 7), kWhite);

  // A dot of radius 0.4 on the corner of four pixels: a quarter of its ink,
  // pi * 0.4^2 / 4, in each of them and nothing beyond.
  Image corner;
  lines = corner.lines();
  lines.addCapsule(6, 9, 6, 9, 0.4);
  lines.paint(kBlackInk, 1);
  EXPECT_EQ(corner.inked(), (std::vector<std::pair<int, int>>{{5, 8}, {6, 8}, {5, 9}, {6, 9}}));
  for (auto [x, y] : corner.inked())
    EXPECT_NEAR(255 - static_cast<double>(corner.at(x, y) & 0xFF), 255 * 3.14159265 * 0.04, 2.5)
        << x << ", " << y;
}

// Dashes 2 long every 3 along a line, laid from its start: of the columns
// (rows) the line walks, each covering one unit along it, those 0 to 1 and 1
// to 2 from the start are dashed, 2 to 3 is the gap, and so on.
std::vector<bool> dashedUnits(int units) {
  std::vector<bool> dashed;
  for (int unit = 0; unit < units; ++unit) dashed.push_back(unit % 3 != 2);
  return dashed;
}

TEST(ThinLines, ADashedLineInksItsDashesFromItsStartAndNotItsGaps) {
  const ThinLines::DashPattern pattern{2, 3, 0};
  // Along row 5 from x = 2: columns 2 to 13, column c covering c - 2 to c - 1.
  Image across;
  ThinLines lines = across.lines();
  lines.addDashedSegment(2, 5.5, 14, 5.5, 0.5, pattern);
  lines.paint(kBlackInk, 1);
  const std::vector<bool> dashed = dashedUnits(12);
  std::vector<std::pair<int, int>> expected;
  for (int x = 2; x < 14; ++x)
    if (dashed[x - 2]) expected.emplace_back(x, 5);
  EXPECT_EQ(across.inked(), expected);
  for (auto [x, y] : expected) EXPECT_EQ(across.at(x, y), kBlack) << x;

  // The same line in two segments, the second starting 5.5 along it: the
  // pattern runs on from the first.
  Image inTwo;
  lines = inTwo.lines();
  lines.addDashedSegment(2, 5.5, 7.5, 5.5, 0.5, pattern);
  lines.addDashedSegment(7.5, 5.5, 14, 5.5, 0.5, {2, 3, 5.5});
  lines.paint(kBlackInk, 1);
  EXPECT_EQ(inTwo.bytes, across.bytes);

  // Steep and drawn upwards from y = 14: row r covers 13 - r to 14 - r along it.
  Image upwards;
  lines = upwards.lines();
  lines.addDashedSegment(7.5, 14, 7.5, 2, 0.5, pattern);
  lines.paint(kBlackInk, 1);
  expected.clear();
  for (int y = 2; y < 14; ++y)
    if (dashed[13 - y]) expected.emplace_back(7, y);
  EXPECT_EQ(upwards.inked(), expected);

  // At 30 degrees, 11 long and 1 wide from x = 2: it walks the columns
  // whose centres lie before its end at x = 11.53, 2 to 11, each spanning
  // 1 / cos 30 along it. Its ink is its width times the dashes' length
  // within those 10 columns' span along it.
  Image slanted;
  lines = slanted.lines();
  const double turn = 30 * 3.14159265 / 180;
  lines.addDashedSegment(2, 3, 2 + 11 * std::cos(turn), 3 + 11 * std::sin(turn), 0.5, pattern);
  lines.paint(kBlackInk, 1);
  const double spanAlong = 10 / std::cos(turn);
  double dashes = 0;
  for (double start = 0; start < spanAlong; start += 3) dashes += std::min(2.0, spanAlong - start);
  EXPECT_NEAR(inkOf(slanted), dashes, 0.05);
}

TEST(ThinLines, AStrokeIsPaintedOnceWhereItsLinesOverlapButStrokesPileUp) {
  // Red at half opacity over white: red stays full, green and blue halve.
  const double red[3] = {1, 0, 0};
  Image once, twice;
  ThinLines lines = once.lines();
  lines.addSegment(2, 5.5, 12, 5.5, 0.5);
  lines.paint(red, 0.5);
  lines = twice.lines();
  lines.addSegment(2, 5.5, 12, 5.5, 0.5);
  lines.addSegment(12, 5.5, 4, 5.5, 0.5);  // back over the same pixels, same stroke
  lines.paint(red, 0.5);
  EXPECT_EQ(once.bytes, twice.bytes);
  const uint32_t half = once.at(6, 5);
  EXPECT_EQ(half >> 16, 0xFFFFu) << "opaque and fully red";
  EXPECT_NEAR(static_cast<double>((half >> 8) & 0xFF), 127.5, 1);
  EXPECT_NEAR(static_cast<double>(half & 0xFF), 127.5, 1);

  // A second stroke over the first: a quarter of the green and blue is left.
  lines.addSegment(2, 5.5, 12, 5.5, 0.5);
  lines.paint(red, 0.5);
  const uint32_t quarter = twice.at(6, 5);
  EXPECT_NEAR(static_cast<double>((quarter >> 8) & 0xFF), 63.75, 1.5);
  EXPECT_NEAR(static_cast<double>(quarter & 0xFF), 63.75, 1.5);
}

TEST(ThinLines, NothingIsDrawnOutsideTheClipNorForLinesWithoutWidthOrFarAway) {
  Image image;
  ThinLines lines = image.lines(4, 3, 9, 8);
  lines.addSegment(-100, 5.5, 100, 5.5, 0.5);
  lines.addSegment(6.5, -1e30, 6.5, 1e30, 0.5);
  lines.addSegment(1e300, 1e300, -1e300, 2, 0.5);
  lines.addSegment(0, 1.5, 15, 1.5, 0);
  lines.addSegment(0, 1.5, 15, 1.5, std::nan(""));
  lines.addDashedSegment(0, 1.5, 15, 1.5, std::nan(""), {2, 3, 0});
  lines.addDashedSegment(1e300, 1e300, -1e300, 2, 0.5, {2, 3, 0});
  lines.addDashedSegment(0, 5.5, 15, 5.5, 0.5, {std::nan(""), 3, 0});
  lines.addDashedSegment(0, 5.5, 15, 5.5, 0.5, {2, 1, 0});  // dashes longer than their period
  lines.addCapsule(2, 2, 2, 2, 1);                          // outside the clip
  lines.addCapsule(6, 6, 6, 6, std::nan(""));
  lines.paint(kBlackInk, 1);
  std::vector<std::pair<int, int>> expected;
  for (int y = 3; y < 8; ++y)
    if (y == 5)
      for (auto pixel : row(5, 4, 9)) expected.push_back(pixel);
    else
      expected.emplace_back(6, y);
  EXPECT_EQ(image.inked(), expected);
}

}  // namespace
}  // namespace heart::testing
