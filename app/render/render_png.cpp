#include <cmath>
#include <new>
#include <system_error>
#include <thread>

#include "render/document_renderer.h"
#include "render/draw_list.h"
#include "render/png_encoding.h"

namespace heart {

namespace {

constexpr int kMaxSide = 8192;
// Pictures with fewer rows are drawn in one band.
constexpr int kBandedRows = 64;

// The page in white, where the frame shows it.
void paintPage(const Document& document, cairo_t* cr, const RenderFrame& frame) {
  AIRealPoint page = document.pageSize();
  double left = frame.width * 0.5 - frame.centre.h * frame.zoom;
  double top = frame.height * 0.5 - (page.v - frame.centre.v) * frame.zoom;
  cairo_rectangle(cr, left, top, page.h * frame.zoom, page.v * frame.zoom);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

// The rows [top, bottom) of the picture: a context on those rows of the
// surface's pixels, moved so the frame's coordinates stay those of the
// whole picture.
cairo_status_t drawBand(const Document& document, const DrawList& list, cairo_surface_t* surface,
                        const RenderFrame& frame, int top, int bottom,
                        const RenderProgress& progress) {
  int stride = cairo_image_surface_get_stride(surface);
  unsigned char* rows = cairo_image_surface_get_data(surface) + static_cast<size_t>(top) * stride;
  cairo_surface_t* band = cairo_image_surface_create_for_data(rows, CAIRO_FORMAT_ARGB32,
                                                              frame.width, bottom - top, stride);
  cairo_t* cr = cairo_create(band);
  cairo_translate(cr, 0, -top);
  paintPage(document, cr, frame);
  drawList(document, list, cr, frame, progress);
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(band);
  cairo_surface_destroy(band);
  return status;
}

}  // namespace

std::optional<std::vector<unsigned char>> renderPng(const Document& document,
                                                    const RenderFrame& frame, std::string* error,
                                                    const RenderProgress& progress) {
  auto fail = [error](const std::string& why) -> std::optional<std::vector<unsigned char>> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (frame.width <= 0 || frame.height <= 0) return fail("the picture has no pixels");
  if (frame.width > kMaxSide || frame.height > kMaxSide)
    return fail("the picture is larger than 8192 pixels a side");
  if (!(std::isfinite(frame.zoom) && frame.zoom > 0))
    return fail("the picture's zoom is not a number above 0");
  if (!std::isfinite(frame.centre.h) || !std::isfinite(frame.centre.v))
    return fail("the picture's centre is not a finite point");

  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return fail("not enough memory for a picture of " + std::to_string(frame.width) + " x " +
                std::to_string(frame.height) + " pixels");
  }
  cairo_surface_flush(surface);
  std::optional<DrawList> list;
  try {
    list.emplace(document);
  } catch (const std::bad_alloc&) {
    cairo_surface_destroy(surface);
    return fail("not enough memory to draw the picture");
  }

  // The lower half on another core while this one draws the upper half and
  // reports the progress; one band when the picture is small or no thread
  // can be had.
  int split = frame.height >= kBandedRows && std::thread::hardware_concurrency() > 1
                  ? frame.height / 2
                  : frame.height;
  cairo_status_t lowerStatus = CAIRO_STATUS_SUCCESS;
  std::thread lower;
  if (split < frame.height) {
    try {
      lower = std::thread([&] {
        lowerStatus = drawBand(document, *list, surface, frame, split, frame.height, {});
      });
    } catch (const std::system_error&) {
      split = frame.height;
    }
  }
  cairo_status_t status = drawBand(document, *list, surface, frame, 0, split, progress);
  if (lower.joinable()) lower.join();
  if (status == CAIRO_STATUS_SUCCESS) status = lowerStatus;
  cairo_surface_mark_dirty(surface);
  if (progress) progress(list->pathCount(), list->pathCount());

  std::optional<std::vector<unsigned char>> png;
  if (status != CAIRO_STATUS_SUCCESS)
    fail(std::string("the picture cannot be drawn: ") + cairo_status_to_string(status));
  else
    png =
        encodePng(surface, frame.preview ? PngCompression::kFast : PngCompression::kCompact, error);
  cairo_surface_destroy(surface);
  return png;
}

}  // namespace heart
