#include "render/image_surface.h"

namespace heart {

cairo_surface_t* newImageSurface(int width, int height, std::string* error) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    if (error) *error = cairo_status_to_string(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_surface_flush(surface);
  return surface;
}

}  // namespace heart
