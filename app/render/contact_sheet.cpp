#include "render/contact_sheet.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <memory>

#include "core/output_file.h"

namespace heart {
namespace {

// Seven segments a digit, lit as the usual display lights them:
// a top, b top right, c bottom right, d bottom, e bottom left, f top left,
// g middle.
constexpr unsigned char kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                         0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// One digit in a box `width` by `height` from (x, y), top left.
void drawDigit(cairo_t* cr, int digit, double x, double y, double width, double height) {
  const unsigned char lit = kSegments[digit];
  const double half = height / 2;
  struct Segment {
    double x0, y0, x1, y1;
  };
  const Segment segments[7] = {
      {0, 0, width, 0},           {width, 0, width, half}, {width, half, width, height},
      {0, height, width, height}, {0, half, 0, height},    {0, 0, 0, half},
      {0, half, width, half},
  };
  for (int i = 0; i < 7; ++i)
    if (lit & (1 << i)) {
      cairo_move_to(cr, x + segments[i].x0, y + segments[i].y0);
      cairo_line_to(cr, x + segments[i].x1, y + segments[i].y1);
    }
}

void drawNumber(cairo_t* cr, uint32_t number, double centreX, double top, double height) {
  const std::string digits = std::to_string(number);
  const double width = height * 0.5, gap = height * 0.3;
  const double all = digits.size() * width + (digits.size() - 1) * gap;
  double x = centreX - all / 2;
  cairo_save(cr);
  cairo_set_line_width(cr, std::max(1.0, height / 8));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
  for (char c : digits) {
    drawDigit(cr, c - '0', x, top, width, height);
    x += width + gap;
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Result<void> writeContactSheet(const std::vector<SheetCell>& cells, int cellSize,
                               const std::string& path) {
  if (cells.empty()) return fail("the contact sheet " + path + " would have no pictures");
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const bool pdf = extension == ".pdf";
  if (!pdf && extension != ".png")
    return fail("the contact sheet " + path + " is named neither .png nor .pdf");
  const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(cells.size()))));
  const int rows = static_cast<int>((cells.size() + columns - 1) / columns);
  const int label = sheetLabelHeight(cellSize);
  const int width = columns * cellSize, height = rows * (cellSize + label);
  if (width > 32768 || height > 32768)
    return fail("the contact sheet would be " + std::to_string(width) + " x " +
                std::to_string(height) + " pixels, more than 32768 a side; give a smaller cell");

  std::string bytes;
  cairo_surface_t* surface =
      pdf ? cairo_pdf_surface_create_for_stream(appendBytes, &bytes, width, height)
          : cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> owned(surface,
                                                                           cairo_surface_destroy);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    return fail("no surface for the contact sheet: " +
                std::string(cairo_status_to_string(cairo_surface_status(surface))));
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0.93, 0.93, 0.93);
  cairo_paint(cr);
  std::string error;
  for (size_t index = 0; index < cells.size() && error.empty(); ++index) {
    const double left = static_cast<double>(index % columns) * cellSize;
    const double top = static_cast<double>(index / columns) * (cellSize + label);
    cairo_surface_t* picture = cairo_image_surface_create_from_png(cells[index].picture.c_str());
    if (cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
      error = "cannot read the picture of seed " + std::to_string(cells[index].seed);
    } else {
      const int w = cairo_image_surface_get_width(picture);
      const int h = cairo_image_surface_get_height(picture);
      cairo_set_source_surface(cr, picture, left + (cellSize - w) / 2, top + (cellSize - h) / 2);
      cairo_paint(cr);
      drawNumber(cr, cells[index].seed, left + cellSize / 2.0, top + cellSize + label * 0.2,
                 label * 0.6);
    }
    cairo_surface_destroy(picture);
  }
  cairo_destroy(cr);
  if (!error.empty()) return fail(error);
  if (pdf) {
    cairo_surface_finish(surface);
  } else if (cairo_surface_write_to_png_stream(surface, appendBytes, &bytes) !=
             CAIRO_STATUS_SUCCESS) {
    return fail("cairo could not encode the contact sheet");
  }
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    return fail("cairo could not make the contact sheet: " +
                std::string(cairo_status_to_string(cairo_surface_status(surface))));
  return writeOutputFile(path, bytes);
}

}  // namespace heart
