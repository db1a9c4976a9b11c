#include "render/png_encoding.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <new>

namespace heart {

namespace {

struct Output {
  std::vector<unsigned char>* bytes;
  bool outOfMemory = false;
};

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  Output* output = static_cast<Output*>(png_get_io_ptr(png));
  try {
    output->bytes->insert(output->bytes->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    output->outOfMemory = true;
    png_error(png, "out of memory");
  }
}

void noFlush(png_structp) {}

// One row of premultiplied native-endian ARGB as straight RGBA bytes.
void straightRow(const uint32_t* in, int width, unsigned char* out) {
  for (int x = 0; x < width; ++x) {
    uint32_t pixel = in[x];
    unsigned alpha = pixel >> 24;
    unsigned red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    if (alpha != 0 && alpha != 255) {
      red = (red * 255 + alpha / 2) / alpha;
      green = (green * 255 + alpha / 2) / alpha;
      blue = (blue * 255 + alpha / 2) / alpha;
    }
    out[4 * x] = static_cast<unsigned char>(red);
    out[4 * x + 1] = static_cast<unsigned char>(green);
    out[4 * x + 2] = static_cast<unsigned char>(blue);
    out[4 * x + 3] = static_cast<unsigned char>(alpha);
  }
}

// libpng reports errors by a long jump back into the function that set it;
// this function keeps only plain data alive across that jump.
bool writePng(png_structp png, png_infop info, cairo_surface_t* image, PngCompression compression,
              unsigned char* row, Output* output) {
  if (setjmp(png_jmpbuf(png))) return false;
  int width = cairo_image_surface_get_width(image);
  int height = cairo_image_surface_get_height(image);
  int stride = cairo_image_surface_get_stride(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  png_set_write_fn(png, output, appendBytes, noFlush);
  if (compression == PngCompression::kFast) {
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  } else {
    png_set_compression_level(png, Z_DEFAULT_COMPRESSION);
  }
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    straightRow(reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride), width,
                row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

Result<std::vector<unsigned char>> encodePng(cairo_surface_t* image, PngCompression compression) {
  if (cairo_surface_get_type(image) != CAIRO_SURFACE_TYPE_IMAGE ||
      cairo_image_surface_get_format(image) != CAIRO_FORMAT_ARGB32)
    return fail("the picture is not an ARGB32 image");
  int width = cairo_image_surface_get_width(image);
  int height = cairo_image_surface_get_height(image);
  if (width <= 0 || height <= 0) return fail("the picture has no pixels");
  cairo_surface_flush(image);

  std::vector<unsigned char> bytes, row;
  try {
    row.resize(static_cast<size_t>(width) * 4);
    // Drawings compress to well under a byte a pixel.
    bytes.reserve(static_cast<size_t>(width) * height / 4 + 1024);
  } catch (const std::bad_alloc&) {
    return fail("not enough memory for the PNG");
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return fail("not enough memory for the PNG");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return fail("not enough memory for the PNG");
  }
  Output output{&bytes};
  bool written = writePng(png, info, image, compression, row.data(), &output);
  png_destroy_write_struct(&png, &info);
  if (!written)
    return fail(output.outOfMemory ? "not enough memory for the PNG" : "the PNG cannot be made");
  return bytes;
}

}  // namespace heart
