#include "studio/preview_picture.h"

#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "document/document.h"
#include "render/backdrop.h"
#include "render/banded_drawing.h"
#include "render/document_renderer.h"
#include "render/draw_list.h"
#include "render/image_surface.h"
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

// The pasteboard, the page with a faint shadow and a hairline outline.
void paintPasteboard(const Document& document, cairo_t* cr, const RenderFrame& frame) {
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
}

}  // namespace

namespace {

Result<PreviewPicture> renderFrame(const Document& document, const RenderFrame& frame, int bands) {
  auto started = std::chrono::steady_clock::now();
  if (frame.width <= 0 || frame.height <= 0 || frame.width > 8192 || frame.height > 8192)
    return fail("the view's window has no drawable size");
  Result<cairo_surface_t*> made = newImageSurface(frame.width, frame.height);
  if (!made) return fail("no picture: " + made.error());
  cairo_surface_t* surface = *made;
  // The art as it is painted, gathered once for both bands. A heavy drawing
  // spends most of its preview time drawing it.
  const DrawList list(document);
  Result<SurfacePointer> backdrop = drawBackdrop(document, frame);
  if (!backdrop) {
    cairo_surface_destroy(surface);
    return backdrop.failure();
  }
  PreviewPicture picture;
  picture.width = frame.width;
  picture.height = frame.height;
  picture.zoom = frame.zoom;
  cairo_status_t status = drawInBands(surface, bands > 1, [&](cairo_t* cr, bool upper) {
    paintPasteboard(document, cr, frame);
    paintBackdrop(cr, *backdrop);
    size_t paths = drawList(document, list, cr, frame, {});
    if (upper) picture.paths = paths;
  });
  auto drawn = std::chrono::steady_clock::now();
  picture.drawMilliseconds = std::chrono::duration<double, std::milli>(drawn - started).count();
  if (status != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return fail(std::string("the preview cannot be drawn: ") + cairo_status_to_string(status));
  }
  picture.pixels.resize(static_cast<size_t>(frame.width) * frame.height);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < frame.height; ++y)
    std::memcpy(picture.pixels.data() + static_cast<size_t>(y) * frame.width,
                data + static_cast<size_t>(y) * stride, static_cast<size_t>(frame.width) * 4);
  cairo_surface_destroy(surface);
  return picture;
}

}  // namespace

Result<PreviewPicture> renderPreview(const Document& document, int bands) {
  return renderFrame(document, viewFrame(document.view(0)), bands);
}

Result<PreviewPicture> renderSmallPreview(const Document& document, int height) {
  RenderFrame frame = viewFrame(document.view(0));
  if (height > 0 && frame.height > height) {
    const double scale = static_cast<double>(height) / frame.height;
    frame.width = std::max(1, static_cast<int>(std::lround(frame.width * scale)));
    frame.height = height;
    frame.zoom *= scale;
  }
  return renderFrame(document, frame, 2);
}

namespace {

// One pixel as the page's bytes: red, green, blue, alpha, with the colour
// no longer premultiplied.
uint32_t pagePixel(uint32_t argb) {
  uint32_t alpha = argb >> 24, red = (argb >> 16) & 0xff, green = (argb >> 8) & 0xff,
           blue = argb & 0xff;
  if (alpha != 0 && alpha != 255) {
    red = (red * 255 + alpha / 2) / alpha;
    green = (green * 255 + alpha / 2) / alpha;
    blue = (blue * 255 + alpha / 2) / alpha;
  }
  return red | green << 8 | blue << 16 | alpha << 24;
}

void putWord(std::vector<unsigned char>& out, uint32_t word) {
  out.push_back(static_cast<unsigned char>(word));
  out.push_back(static_cast<unsigned char>(word >> 8));
  out.push_back(static_cast<unsigned char>(word >> 16));
  out.push_back(static_cast<unsigned char>(word >> 24));
}

constexpr uint32_t kRepeat = 0x80000000u;
// A repeat shorter than this is cheaper left among the literal pixels.
constexpr size_t kShortestRepeat = 3;

}  // namespace

std::vector<unsigned char> packPixels(const PreviewPicture& picture) {
  const std::vector<uint32_t>& pixels = picture.pixels;
  std::vector<unsigned char> out;
  out.reserve(pixels.size() / 4 + 64);
  size_t literalsFrom = 0;  // first pixel not yet written
  auto flushLiterals = [&](size_t end) {
    if (end == literalsFrom) return;
    putWord(out, static_cast<uint32_t>(end - literalsFrom));
    for (size_t i = literalsFrom; i < end; ++i) putWord(out, pagePixel(pixels[i]));
  };
  size_t at = 0;
  while (at < pixels.size()) {
    size_t end = at + 1;
    while (end < pixels.size() && pixels[end] == pixels[at] && end - at < kRepeat - 1) ++end;
    if (end - at >= kShortestRepeat) {
      flushLiterals(at);
      putWord(out, kRepeat | static_cast<uint32_t>(end - at));
      putWord(out, pagePixel(pixels[at]));
      literalsFrom = end;
    }
    at = end;
  }
  flushLiterals(pixels.size());
  return out;
}

Result<std::vector<unsigned char>> previewPng(const PreviewPicture& picture) {
  Result<cairo_surface_t*> made = newImageSurface(picture.width, picture.height);
  if (!made) return fail("no picture: " + made.error());
  cairo_surface_t* surface = *made;
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(data + static_cast<size_t>(y) * stride,
                picture.pixels.data() + static_cast<size_t>(y) * picture.width,
                static_cast<size_t>(picture.width) * 4);
  cairo_surface_mark_dirty(surface);
  Result<std::vector<unsigned char>> png = encodePng(surface, PngCompression::kFast);
  cairo_surface_destroy(surface);
  return png;
}

}  // namespace heart::studio
