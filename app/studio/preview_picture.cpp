#include "studio/preview_picture.h"

#include <cairo.h>

#include <chrono>

#include "document/document.h"
#include "render/document_renderer.h"
#include "render/png_encoding.h"

namespace heart::studio {
namespace {

// The page rectangle in pixels: artwork (0, 0) to the page size, vertical
// axis flipped about the frame's centre.
void pagePath(cairo_t* cr, const Document& document, const RenderFrame& frame) {
  AIRealPoint size = document.pageSize();
  double left = (0 - frame.centre.h) * frame.zoom + frame.width * 0.5;
  double right = (size.h - frame.centre.h) * frame.zoom + frame.width * 0.5;
  double top = (frame.centre.v - size.v) * frame.zoom + frame.height * 0.5;
  double bottom = (frame.centre.v - 0) * frame.zoom + frame.height * 0.5;
  cairo_rectangle(cr, left, top, right - left, bottom - top);
}

}  // namespace

std::optional<PreviewPicture> renderPreview(const Document& document, std::string* error) {
  auto started = std::chrono::steady_clock::now();
  RenderFrame frame = viewFrame(document.view(0));
  if (frame.width <= 0 || frame.height <= 0 || frame.width > 8192 || frame.height > 8192) {
    *error = "the view's window has no drawable size";
    return std::nullopt;
  }
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    *error = std::string("no picture: ") + cairo_status_to_string(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  cairo_t* cr = cairo_create(surface);
  // Pasteboard, then the page with a faint shadow and a hairline outline.
  cairo_set_source_rgb(cr, 0.86, 0.87, 0.89);
  cairo_paint(cr);
  cairo_save(cr);
  cairo_translate(cr, 3, 3);
  pagePath(cr, document, frame);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.18);
  cairo_fill(cr);
  cairo_restore(cr);
  pagePath(cr, document, frame);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0.45, 0.46, 0.5);
  cairo_stroke(cr);

  PreviewPicture picture;
  picture.width = frame.width;
  picture.height = frame.height;
  picture.zoom = frame.zoom;
  picture.paths = renderDocument(document, cr, frame);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  // Sent once over the loopback: fast compression beats a smaller file.
  std::optional<std::vector<unsigned char>> png = encodePng(surface, PngCompression::kFast, error);
  cairo_surface_destroy(surface);
  if (!png) return std::nullopt;
  picture.png = std::move(*png);
  picture.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  return picture;
}

}  // namespace heart::studio
