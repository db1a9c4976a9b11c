#include "studio/preview_picture.h"

#include <cairo.h>

#include <chrono>
#include <cstring>
#include <system_error>
#include <thread>

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

// Pictures with fewer rows are drawn in one band.
constexpr int kBandedRows = 64;

// Rows [top, bottom) of the picture: the pasteboard, the page with a faint
// shadow and a hairline outline, and the art over it, drawn through a
// context on those rows of the surface's pixels and moved so that the
// frame's coordinates stay those of the whole picture. Art outside the band
// is clipped away before it is rasterised. Answers the paths drawn.
size_t drawBand(const Document& document, cairo_surface_t* surface, const RenderFrame& frame,
                int top, int bottom, cairo_status_t* status) {
  int stride = cairo_image_surface_get_stride(surface);
  unsigned char* rows = cairo_image_surface_get_data(surface) + static_cast<size_t>(top) * stride;
  cairo_surface_t* band = cairo_image_surface_create_for_data(rows, CAIRO_FORMAT_ARGB32,
                                                              frame.width, bottom - top, stride);
  cairo_t* cr = cairo_create(band);
  cairo_translate(cr, 0, -top);
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
  size_t paths = renderDocument(document, cr, frame);
  *status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(band);
  cairo_surface_destroy(band);
  return paths;
}

}  // namespace

std::optional<PreviewPicture> renderPreview(const Document& document, std::string* error,
                                            int bands) {
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
  cairo_surface_flush(surface);

  // The lower half on another core while this one draws the upper half; one
  // band when the picture is small or no thread can be had. A heavy drawing
  // spends most of its preview time here.
  int split = bands > 1 && frame.height >= kBandedRows && std::thread::hardware_concurrency() > 1
                  ? frame.height / 2
                  : frame.height;
  cairo_status_t lowerStatus = CAIRO_STATUS_SUCCESS;
  std::thread lower;
  if (split < frame.height) {
    try {
      lower = std::thread(
          [&] { drawBand(document, surface, frame, split, frame.height, &lowerStatus); });
    } catch (const std::system_error&) {
      split = frame.height;
    }
  }
  cairo_status_t status = CAIRO_STATUS_SUCCESS;
  PreviewPicture picture;
  picture.width = frame.width;
  picture.height = frame.height;
  picture.zoom = frame.zoom;
  picture.paths = drawBand(document, surface, frame, 0, split, &status);
  if (lower.joinable()) lower.join();
  if (status == CAIRO_STATUS_SUCCESS) status = lowerStatus;
  cairo_surface_mark_dirty(surface);
  auto drawn = std::chrono::steady_clock::now();
  picture.drawMilliseconds = std::chrono::duration<double, std::milli>(drawn - started).count();
  if (status != CAIRO_STATUS_SUCCESS) {
    *error = std::string("the preview cannot be drawn: ") + cairo_status_to_string(status);
    cairo_surface_destroy(surface);
    return std::nullopt;
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

std::optional<std::vector<unsigned char>> previewPng(const PreviewPicture& picture,
                                                     std::string* error) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    *error = std::string("no picture: ") + cairo_status_to_string(cairo_surface_status(surface));
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(data + static_cast<size_t>(y) * stride,
                picture.pixels.data() + static_cast<size_t>(y) * picture.width,
                static_cast<size_t>(picture.width) * 4);
  cairo_surface_mark_dirty(surface);
  std::optional<std::vector<unsigned char>> png = encodePng(surface, PngCompression::kFast, error);
  cairo_surface_destroy(surface);
  return png;
}

}  // namespace heart::studio
