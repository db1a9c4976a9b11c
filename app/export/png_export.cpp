// PNG pictures through librsvg and cairo.
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>

#include "export/svg_export.h"

namespace heart {

namespace {

constexpr double kMaxSide = 8192;

bool fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

}  // namespace

bool writePngFile(const std::string& svgText, const std::string& path, std::string* error) {
  GError* gerror = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svgText.data()),
                                                 svgText.size(), &gerror);
  if (!handle) {
    std::string why = gerror ? gerror->message : "unknown error";
    if (gerror) g_error_free(gerror);
    return fail(error, "the SVG cannot be read: " + why);
  }
  // One pixel a point.
  rsvg_handle_set_dpi(handle, 72.0);
  double width = 0, height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) || !(width > 0) ||
      !(height > 0)) {
    g_object_unref(handle);
    return fail(error, "the SVG has no size to render");
  }
  double scale = std::min(1.0, kMaxSide / std::max(width, height));
  int pixelsWide = std::max(1, static_cast<int>(std::ceil(width * scale)));
  int pixelsHigh = std::max(1, static_cast<int>(std::ceil(height * scale)));

  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixelsWide, pixelsHigh);
  cairo_t* cr = cairo_create(surface);
  RsvgRectangle viewport{0, 0, width * scale, height * scale};
  bool rendered = rsvg_handle_render_document(handle, cr, &viewport, &gerror);
  std::string why;
  if (!rendered) {
    why = "the SVG cannot be rendered: ";
    why += gerror ? gerror->message : "unknown error";
    if (gerror) g_error_free(gerror);
  }
  cairo_destroy(cr);
  if (rendered && cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
    rendered = false;
    why = "cannot write " + path;
  }
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  return rendered ? true : fail(error, why);
}

}  // namespace heart
