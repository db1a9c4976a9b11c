// Real drawings made elsewhere, with hearts written into them, as librsvg
// draws them: away from the hearts the picture is the drawing's own, and the
// hearts land where their page points say, whatever the drawing's units,
// view box and layer transforms.
#include <cairo.h>
#include <gtest/gtest.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "picture.h"
#include "support/test_data.h"

namespace heart::testing {
namespace {

// librsvg's picture of the SVG text, the page filling width x height pixels.
Picture librsvgPicture(const std::string& svg, int width, int height) {
  Picture picture;
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
  if (!handle) {
    ADD_FAILURE() << "librsvg cannot read the SVG: " << (error ? error->message : "");
    if (error) g_error_free(error);
    return picture;
  }
  rsvg_handle_set_dpi(handle, 96);  // CSS's inch, which librsvg's default of 90 is not
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
  EXPECT_TRUE(rsvg_handle_render_document(handle, cr, &viewport, nullptr));
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  picture.width = width;
  picture.height = height;
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    picture.pixels.insert(picture.pixels.end(), row, row + width);
  }
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  return picture;
}

TEST(OpenedDrawingPicture, HeartsChangeNothingAwayFromThemAndLandOnTheirPagePoints) {
  if (!canOpenDrawings()) GTEST_SKIP() << "this build opens no drawings";
  for (const char* name : {"arrow1_sergio_luiz_arauj_01.svg", "discordian_sacred_chao_01r.svg",
                           "arki_arrow_down_jean_vic_.svg", "media_as_wmd_saint_.svg",
                           "inkscape_CD_label_120x120.svg", "inkscape_default.svg"}) {
    SCOPED_TRACE(name);
    Result<Drawing> drawing = readDrawing(testData(std::string("drawings/") + name), name);
    ASSERT_TRUE(drawing.ok()) << drawing.error();
    // The page at 96 pixels an inch, 4/3 of a pixel a point.
    const double width = drawing->pageSize.x, height = drawing->pageSize.y;
    const int pixelsWide = static_cast<int>(std::lround(width * 4 / 3));
    const int pixelsHigh = static_cast<int>(std::lround(height * 4 / 3));
    const Picture before = librsvgPicture(drawing->text, pixelsWide, pixelsHigh);

    // A magenta square a quarter of the page's shorter side, its lower left
    // corner at a third of the page across and up, in page points.
    const double side = std::min(width, height) / 4, left = width / 3, bottom = height / 3;
    std::ostringstream square;
    square << "<rect x=\"" << left << "\" y=\"" << bottom << "\" width=\"" << side << "\" height=\""
           << side << "\" fill=\"#ff00ff\"/>\n";
    // Its pixels: the vertical axis turned to run down the page.
    const PixelBox box{left * 4 / 3, (height - bottom - side) * 4 / 3, (left + side) * 4 / 3,
                       (height - bottom) * 4 / 3};
    const PixelBox inside{box.x0 + 2, box.y0 + 2, box.x1 - 2, box.y1 - 2};

    for (bool newLayer : {true, false}) {
      SCOPED_TRACE(newLayer ? "new layer" : "current layer");
      Result<HeartsPlan> plan = planNewHearts(*drawing, newLayer);
      ASSERT_TRUE(plan.ok()) << plan.error();
      const Picture after =
          librsvgPicture(drawingWithHearts(*drawing, *plan, square.str()), pixelsWide, pixelsHigh);
      ASSERT_EQ(after.pixels.size(), before.pixels.size());
      size_t changedAway = 0, magentaInside = 0, pixelsInside = 0;
      for (int y = 0; y < pixelsHigh; ++y)
        for (int x = 0; x < pixelsWide; ++x) {
          const bool near =
              x + 1 > box.x0 - 2 && x < box.x1 + 2 && y + 1 > box.y0 - 2 && y < box.y1 + 2;
          const bool within =
              x >= inside.x0 && x + 1 <= inside.x1 && y >= inside.y0 && y + 1 <= inside.y1;
          if (!near && after.at(x, y) != before.at(x, y)) ++changedAway;
          if (within) {
            ++pixelsInside;
            if (after.at(x, y) == 0xFFFF00FFu) ++magentaInside;
          }
        }
      EXPECT_EQ(changedAway, 0u) << "pixels changed away from the hearts";
      ASSERT_GT(pixelsInside, 100u);
      // On a layer of their own the hearts lie over all the art; in the
      // current layer, art of the layers above may cover some of them.
      if (newLayer)
        EXPECT_EQ(magentaInside, pixelsInside);
      else
        EXPECT_GT(magentaInside, 0u);
    }
  }
}

}  // namespace
}  // namespace heart::testing
