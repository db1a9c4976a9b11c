#include "picture.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "export/svg_export.h"

namespace heart::testing {

namespace {

struct Reader {
  const std::vector<unsigned char>* bytes;
  size_t at = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
  Reader* reader = static_cast<Reader*>(closure);
  if (reader->at + length > reader->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes->data() + reader->at, length);
  reader->at += length;
  return CAIRO_STATUS_SUCCESS;
}

Picture pixelsOf(cairo_surface_t* surface) {
  Picture picture;
  cairo_surface_flush(surface);
  picture.width = cairo_image_surface_get_width(surface);
  picture.height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    std::copy(row, row + picture.width,
              picture.pixels.begin() + static_cast<size_t>(y) * picture.width);
  }
  return picture;
}

}  // namespace

Picture decodePng(const std::vector<unsigned char>& png) {
  Reader reader{&png};
  cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readBytes, &reader);
  Picture picture;
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32)
    picture = pixelsOf(surface);
  cairo_surface_destroy(surface);
  return picture;
}

Picture rendered(const Document& document, const RenderFrame& frame) {
  Result<std::vector<unsigned char>> png = renderPng(document, frame);
  EXPECT_TRUE(png) << png.error();
  return png ? decodePng(*png) : Picture{};
}

Picture reference(const Document& document, const RenderFrame& frame) {
  std::string svg = exportSvg(document, SvgMetadata{}).value();
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
  EXPECT_NE(handle, nullptr);
  if (!handle) return {};
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height);
  cairo_t* cr = cairo_create(surface);
  // Where the frame puts the page: its centre point at the picture's centre,
  // the page's top edge (y = height of the page) above it.
  AIRealPoint page = document.pageSize();
  RsvgRectangle viewport{frame.width / 2.0 - frame.centre.h * frame.zoom,
                         frame.height / 2.0 - (page.v - frame.centre.v) * frame.zoom,
                         page.h * frame.zoom, page.v * frame.zoom};
  EXPECT_TRUE(rsvg_handle_render_document(handle, cr, &viewport, &error));
  if (error) g_error_free(error);
  cairo_destroy(cr);
  Picture picture = pixelsOf(surface);
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  return picture;
}

PixelBox pageBox(const Document& document, const RenderFrame& frame) {
  AIRealPoint page = document.pageSize();
  PixelBox box;
  box.x0 = frame.width / 2.0 - frame.centre.h * frame.zoom;
  box.y0 = frame.height / 2.0 - (page.v - frame.centre.v) * frame.zoom;
  box.x1 = box.x0 + page.h * frame.zoom;
  box.y1 = box.y0 + page.v * frame.zoom;
  return box;
}

Difference compare(const Picture& a, const Picture& b, const PixelBox& box) {
  Difference difference;
  if (a.width != b.width || a.height != b.height) {
    difference.largest = 255;
    difference.visible = 1;
    difference.where = "the pictures differ in size";
    return difference;
  }
  size_t visible = 0, compared = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      // The pixels along the page's edge depend on how the SVG viewer clips.
      if (x < box.x0 + 1 || x + 2 > box.x1 || y < box.y0 + 1 || y + 2 > box.y1) continue;
      ++compared;
      uint32_t p = a.at(x, y), q = b.at(x, y);
      int most = 0;
      for (int shift = 0; shift < 32; shift += 8)
        most = std::max(most, std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                       static_cast<int>((q >> shift) & 0xFF)));
      difference.largest = std::max(difference.largest, most);
      if (most > 24) {
        if (visible++ == 0) {
          char text[96];
          std::snprintf(text, sizeof text, "(%d, %d): %08x against %08x", x, y, p, q);
          difference.where = text;
        }
      }
    }
  }
  difference.visible = compared == 0 ? 0 : static_cast<double>(visible) / compared;
  return difference;
}

}  // namespace heart::testing
