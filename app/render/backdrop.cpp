#include "render/backdrop.h"

#include <mutex>
#include <string>

#ifdef HEART_HAVE_RSVG
#include <librsvg/rsvg.h>
#endif

#include "render/image_surface.h"

namespace heart {
namespace {

struct CachedBackdrop {
  uint64_t drawing = 0;  // Document::backdropVersion
  double centreH = 0, centreV = 0, zoom = 0;
  int width = 0, height = 0;
  SurfacePointer picture;
};

}  // namespace

Result<SurfacePointer> drawBackdrop(const Document& document, const RenderFrame& frame) {
  const std::string& svg = document.backdropSvg();
  if (svg.empty()) return SurfacePointer();
  static std::mutex guard;
  static CachedBackdrop cache;
  std::lock_guard<std::mutex> lock(guard);
  if (cache.picture && cache.drawing == document.backdropVersion() &&
      cache.centreH == frame.centre.h && cache.centreV == frame.centre.v &&
      cache.zoom == frame.zoom && cache.width == frame.width && cache.height == frame.height)
    return cache.picture;
  Result<cairo_surface_t*> made = newImageSurface(frame.width, frame.height);
  if (!made) return fail("no picture of the drawing beneath the hearts: " + made.error());
  cairo_surface_t* surface = *made;
  SurfacePointer picture(surface, cairo_surface_destroy);
  cairo_t* cr = cairo_create(surface);
  AIRealPoint page = document.pageSize();
  cairo_translate(cr, frame.width * 0.5 - frame.centre.h * frame.zoom,
                  frame.height * 0.5 - (page.v - frame.centre.v) * frame.zoom);
  cairo_scale(cr, frame.zoom, frame.zoom);
  Result<void> drawn = drawDrawingBeneath(document, cr);
  cairo_destroy(cr);
  if (!drawn) return drawn.failure();
  cairo_surface_mark_dirty(surface);
  cache = CachedBackdrop{document.backdropVersion(),
                         frame.centre.h,
                         frame.centre.v,
                         frame.zoom,
                         frame.width,
                         frame.height,
                         picture};
  return picture;
}

Result<void> drawDrawingBeneath(const Document& document, cairo_t* cr) {
  const std::string& svg = document.backdropSvg();
  if (svg.empty()) return {};
#ifdef HEART_HAVE_RSVG
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
  if (!handle) {
    std::string why = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    return fail("librsvg cannot read the drawing beneath the hearts: " + why);
  }
  // Lengths in mm, pt or in are CSS's: 96 pixels an inch, as the page was
  // read. librsvg's own default of 90 would draw such a drawing larger than
  // its page and out of place under the hearts.
  rsvg_handle_set_dpi(handle, 96);
  AIRealPoint page = document.pageSize();
  constexpr double kPointsPerPixel = 0.75;
  cairo_save(cr);
  cairo_scale(cr, kPointsPerPixel, kPointsPerPixel);
  RsvgRectangle viewport{0, 0, page.h / kPointsPerPixel, page.v / kPointsPerPixel};
  bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error);
  cairo_restore(cr);
  g_object_unref(handle);
  if (!drawn) {
    std::string message = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    return fail("librsvg cannot draw the drawing beneath the hearts: " + message);
  }
  return {};
#else
  (void)cr;
  return fail("this build of heart has no librsvg to draw the drawing beneath the hearts");
#endif
}

void paintBackdrop(cairo_t* cr, const SurfacePointer& backdrop) {
  if (!backdrop) return;
  cairo_save(cr);
  cairo_set_source_surface(cr, backdrop.get(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace heart
