#include "studio/picker_cursor.h"

#include <cairo.h>

#include "render/image_surface.h"
#include "resources/plugin_resources.h"

namespace heart::studio {
namespace {

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
  bytes->insert(bytes->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::optional<std::vector<unsigned char>> cursorPng(const ResourceImage& image) {
  const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  if (image.width <= 0 || image.height <= 0 || image.width > 256 || image.height > 256 ||
      image.pixels.size() != count || (!image.mask.empty() && image.mask.size() != count))
    return std::nullopt;
  Result<cairo_surface_t*> made = newImageSurface(image.width, image.height);
  if (!made) return std::nullopt;
  cairo_surface_t* surface = *made;
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      size_t at = static_cast<size_t>(y) * image.width + x;
      uint8_t index = image.pixels[at];
      bool clear = !image.mask.empty() && image.mask[at] != 0;
      uint32_t colour = index < image.palette.size() ? image.palette[index] : 0;
      // Premultiplied: a transparent pixel is all zero.
      row[x] = clear ? 0 : (0xFF000000u | (colour & 0xFFFFFFu));
    }
  }
  cairo_surface_mark_dirty(surface);
  std::vector<unsigned char> png;
  cairo_status_t written = cairo_surface_write_to_png_stream(surface, appendBytes, &png);
  cairo_surface_destroy(surface);
  if (written != CAIRO_STATUS_SUCCESS) return std::nullopt;
  return png;
}

}  // namespace heart::studio
