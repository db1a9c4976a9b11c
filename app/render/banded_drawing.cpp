#include "render/banded_drawing.h"

#include <thread>

#include "core/two_halves.h"

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
  cairo_status_t status = CAIRO_STATUS_SUCCESS, lowerStatus = CAIRO_STATUS_SUCCESS;
  if (split && height >= kBandedRows && std::thread::hardware_concurrency() > 1) {
    const int middle = height / 2;
    inTwoHalves([&] { status = drawRows(surface, 0, middle, true, paint); },
                [&] { lowerStatus = drawRows(surface, middle, height, false, paint); });
  } else {
    status = drawRows(surface, 0, height, true, paint);
  }
  cairo_surface_mark_dirty(surface);
  return status != CAIRO_STATUS_SUCCESS ? status : lowerStatus;
}

}  // namespace heart
