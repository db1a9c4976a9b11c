#include "render/image_surface.h"

namespace heart {

Result<cairo_surface_t*> newImageSurface(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_status_t status = cairo_surface_status(surface); status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return fail(cairo_status_to_string(status));
  }
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace heart
