#include "render/banded_drawing.h"

#include <system_error>
#include <thread>

namespace heart {
namespace {

// Pictures with fewer rows are drawn in one band.
constexpr int kBandedRows = 64;

// Rows [top, bottom) of the surface through a context of their own.
cairo_status_t drawRows(cairo_surface_t* surface, int top, int bottom, bool upper,
                        const BandPainter& paint) {
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* rows = cairo_image_surface_get_data(surface) + static_cast<size_t>(top) * stride;
  cairo_surface_t* band = cairo_image_surface_create_for_data(
      rows, CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface), bottom - top, stride);
  cairo_t* cr = cairo_create(band);
  cairo_translate(cr, 0, -top);
  paint(cr, upper);
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(band);
  cairo_surface_destroy(band);
  return status;
}

}  // namespace

cairo_status_t drawInBands(cairo_surface_t* surface, bool split, const BandPainter& paint) {
  const int height = cairo_image_surface_get_height(surface);
  cairo_surface_flush(surface);
  int middle = split && height >= kBandedRows && std::thread::hardware_concurrency() > 1
                   ? height / 2
                   : height;
  cairo_status_t lowerStatus = CAIRO_STATUS_SUCCESS;
  std::thread lower;
  if (middle < height) {
    try {
      lower = std::thread([&] { lowerStatus = drawRows(surface, middle, height, false, paint); });
    } catch (const std::system_error&) {
      middle = height;
    }
  }
  cairo_status_t status = drawRows(surface, 0, middle, true, paint);
  if (lower.joinable()) lower.join();
  cairo_surface_mark_dirty(surface);
  return status != CAIRO_STATUS_SUCCESS ? status : lowerStatus;
}

}  // namespace heart
