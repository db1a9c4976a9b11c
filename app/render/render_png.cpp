#include <cmath>
#include <new>

#include "export/png_size.h"
#include "render/backdrop.h"
#include "render/banded_drawing.h"
#include "render/document_renderer.h"
#include "render/draw_list.h"
#include "render/image_surface.h"
#include "render/png_encoding.h"

namespace heart {

namespace {

// The page in white, where the frame shows it.
void paintPage(const Document& document, cairo_t* cr, const RenderFrame& frame) {
  AIRealPoint page = document.pageSize();
  double left = frame.width * 0.5 - frame.centre.h * frame.zoom;
  double top = frame.height * 0.5 - (page.v - frame.centre.v) * frame.zoom;
  cairo_rectangle(cr, left, top, page.h * frame.zoom, page.v * frame.zoom);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

}  // namespace

Result<std::vector<unsigned char>> renderPng(const Document& document, const RenderFrame& frame,
                                             const RenderProgress& progress) {
  if (frame.width <= 0 || frame.height <= 0) return fail("the picture has no pixels");
  if (Result<void> capped = checkPngPixels(frame.width, frame.height); !capped)
    return capped.failure();
  if (!(std::isfinite(frame.zoom) && frame.zoom > 0))
    return fail("the picture's zoom is not a number above 0");
  if (!std::isfinite(frame.centre.h) || !std::isfinite(frame.centre.v))
    return fail("the picture's centre is not a finite point");

  Result<cairo_surface_t*> made = newImageSurface(frame.width, frame.height);
  if (!made)
    return fail("not enough memory for a picture of " + std::to_string(frame.width) + " x " +
                std::to_string(frame.height) + " pixels");
  cairo_surface_t* surface = *made;
  Result<SurfacePointer> backdrop = drawBackdrop(document, frame);
  if (!backdrop) {
    cairo_surface_destroy(surface);
    return fail(backdrop.error());
  }
  std::optional<DrawList> list;
  try {
    list.emplace(document);
  } catch (const std::bad_alloc&) {
    cairo_surface_destroy(surface);
    return fail("not enough memory to draw the picture");
  }

  // The upper band reports the progress.
  cairo_status_t status = drawInBands(surface, true, [&](cairo_t* cr, bool upper) {
    if (frame.whitePage) paintPage(document, cr, frame);
    paintBackdrop(cr, *backdrop);
    drawList(document, *list, cr, frame, upper ? progress : RenderProgress{});
  });
  if (progress) progress(list->pathCount(), list->pathCount());

  Result<std::vector<unsigned char>> png =
      status != CAIRO_STATUS_SUCCESS
          ? fail(std::string("the picture cannot be drawn: ") + cairo_status_to_string(status))
          : encodePng(surface, frame.preview ? PngCompression::kFast : PngCompression::kCompact);
  cairo_surface_destroy(surface);
  return png;
}

}  // namespace heart
