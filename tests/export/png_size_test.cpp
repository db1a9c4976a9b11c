// The size of a PNG of the page: the default, a resolution, a width or a
// height with the proportions kept, and the cap.
#include "export/png_size.h"

#include <gtest/gtest.h>

namespace heart {
namespace {

struct SizeCase {
  const char* what;
  AIRealPoint page;
  PngOptions options;
  int width, height;
  double zoom;
};

TEST(PngSize, EveryWayOfAskingGivesThePicturesPixels) {
  const SizeCase cases[] = {
      {"letter by default", {612, 792}, {}, 612, 792, 1},
      {"letter at 72 dpi", {612, 792}, {72, 0, 0, true}, 612, 792, 1},
      {"letter at 300 dpi", {612, 792}, {300, 0, 0, true}, 2550, 3300, 300.0 / 72},
      {"letter at 96 dpi", {612, 792}, {96, 0, 0, true}, 816, 1056, 96.0 / 72},
      // 595.3 x 841.9 points at 300/72 cover 2480.4 x 3507.9 pixels: the
      // pixels the page's edge starts are taken.
      {"A4 at 300 dpi", {595.3f, 841.9f}, {300, 0, 0, true}, 2481, 3508, 300.0 / 72},
      {"a width", {612, 792}, {0, 400, 0, true}, 400, 518, 400.0 / 612},
      {"a height", {612, 792}, {0, 0, 100, true}, 77, 100, 100.0 / 792},
      // Both: the page fits inside; here the height binds.
      {"a box", {612, 792}, {0, 1000, 1000, true}, 773, 1000, 1000.0 / 792},
      {"a wide box", {612, 792}, {0, 100, 1000, true}, 100, 129, 100.0 / 612},
      // Larger pages are scaled down to 8192 pixels a side unless asked.
      {"a large page", {20000, 5000}, {}, 8192, 2048, 8192.0 / 20000},
      {"a large page at 72 dpi", {20000, 5000}, {72, 0, 0, true}, 20000, 5000, 1},
      {"a fractional page", {100.5f, 40.25f}, {}, 101, 41, 1},
      {"a tiny resolution", {612, 792}, {1, 0, 0, true}, 9, 11, 1.0 / 72},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.what);
    Result<PngSize> size = pngSize(c.page, c.options);
    ASSERT_TRUE(size) << size.error();
    EXPECT_EQ(size->width, c.width);
    EXPECT_EQ(size->height, c.height);
    EXPECT_NEAR(size->zoom, c.zoom, 1e-12);
  }
}

TEST(PngSize, PicturesBeyondTheCapAndFaultyRequestsAreRefused) {
  // A letter page at 3000 dpi: 25500 x 33000 pixels, the size in the message.
  Result<PngSize> huge = pngSize({612, 792}, {3000, 0, 0, true});
  ASSERT_FALSE(huge);
  EXPECT_NE(huge.error().find("25500 x 33000"), std::string::npos) << huge.error();
  // 10000 x 10000 is the most; a row more is over.
  EXPECT_TRUE(pngSize({10000, 10000}, {72, 0, 0, true}));
  EXPECT_FALSE(pngSize({10000, 10001}, {72, 0, 0, true}));
  // Within the pixel count but over cairo's side.
  EXPECT_TRUE(pngSize({32767, 100}, {72, 0, 0, true}));
  EXPECT_FALSE(pngSize({32768, 100}, {72, 0, 0, true}));
  EXPECT_FALSE(pngSize({612, 792}, {0, 32768, 0, true}));

  EXPECT_FALSE(pngSize({612, 792}, {300, 400, 0, true}));  // a resolution and pixels
  EXPECT_FALSE(pngSize({612, 792}, {-5, 0, 0, true}));
  EXPECT_FALSE(pngSize({612, 792}, {0, -1, 0, true}));
  EXPECT_FALSE(pngSize({0, 792}, {}));
}

}  // namespace
}  // namespace heart
