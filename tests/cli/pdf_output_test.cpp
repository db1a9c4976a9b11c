// PDF output held against poppler's own readers: the page in points, the
// picture poppler draws of it against heart's PNG of the same run, the
// drawing opened beneath kept as vectors, and the run drawn again from the
// PDF.
#ifdef HEART_TEST_WITH_CAIRO
#include <cairo.h>
#endif
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "command_runner.h"
#include "drawing/drawing.h"

namespace heart::testing {
namespace {

#ifdef HEART_TEST_WITH_CAIRO
bool havePoppler() {
  return std::system(
             "command -v pdftocairo > /dev/null 2>&1 && command -v pdfinfo > /dev/null "
             "2>&1 && command -v pdfimages > /dev/null 2>&1") == 0;
}

// The output of a shell command run in `folder`.
std::string output(const std::filesystem::path& folder, const std::string& command) {
  const std::string file = (folder / "command.out").string();
  std::string line = "cd '" + folder.string() + "' && " + command + " > " + file + " 2>&1";
  if (std::system(line.c_str()) != 0) return "failed: " + command;
  return readFile(file);
}

// The share of pixels where a channel differs by more than 24 (of 255), as
// the render tests measure it; 1 when the pictures cannot be read or differ
// in size.
double differingShare(const std::filesystem::path& a, const std::filesystem::path& b) {
  cairo_surface_t* first = cairo_image_surface_create_from_png(a.string().c_str());
  cairo_surface_t* second = cairo_image_surface_create_from_png(b.string().c_str());
  double share = 1;
  auto argb = [](cairo_surface_t* s) {
    cairo_surface_t* converted = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
    cairo_t* cr = cairo_create(converted);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(converted);
    return converted;
  };
  if (cairo_surface_status(first) == CAIRO_STATUS_SUCCESS &&
      cairo_surface_status(second) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_width(first) == cairo_image_surface_get_width(second) &&
      cairo_image_surface_get_height(first) == cairo_image_surface_get_height(second)) {
    cairo_surface_t* x = argb(first);
    cairo_surface_t* y = argb(second);
    const int width = cairo_image_surface_get_width(x), height = cairo_image_surface_get_height(x);
    size_t differing = 0;
    for (int row = 0; row < height; ++row) {
      auto* p = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(x) +
                                                  row * cairo_image_surface_get_stride(x));
      auto* q = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(y) +
                                                  row * cairo_image_surface_get_stride(y));
      for (int column = 0; column < width; ++column)
        for (int shift = 0; shift < 24; shift += 8) {
          int d = static_cast<int>((p[column] >> shift) & 255) -
                  static_cast<int>((q[column] >> shift) & 255);
          if (d > 24 || d < -24) {
            ++differing;
            break;
          }
        }
    }
    share = static_cast<double>(differing) / (static_cast<double>(width) * height);
    cairo_surface_destroy(x);
    cairo_surface_destroy(y);
  }
  cairo_surface_destroy(first);
  cairo_surface_destroy(second);
  return share;
}

TEST(PdfOutput, EachColourModelDrawsAsItsPngAndRedrawsFromThePdf) {
  SKIP_WITHOUT_PNG_OUTPUT();
  if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  ScratchFolder scratch;
  for (const char* model : {"gray", "rgb", "cmyk"}) {
    SCOPED_TRACE(model);
    const std::vector<std::string> run = {
        "run",    "--no-record",     "--seed",        "3",
        "--page", "400x300",         "--set",         "heartCount=30",
        "--set",  "placementMode=2", "--set",         "randomFill=true",
        "--set",  "dropShadow=true", "--color-model", model};
    auto to = [&run](const std::string& name) {
      std::vector<std::string> arguments = run;
      arguments.insert(arguments.end(), {"-o", name});
      return arguments;
    };
    ASSERT_EQ(runHeart(to("h.pdf"), scratch.path()).exitCode, 0);
    ASSERT_EQ(runHeart(to("h.png"), scratch.path()).exitCode, 0);
    ASSERT_EQ(runHeart(to("h.svg"), scratch.path()).exitCode, 0);
    EXPECT_NE(output(scratch.path(), "pdfinfo h.pdf").find("Page size:       400 x 300 pts"),
              std::string::npos);
    output(scratch.path(), "pdftocairo -r 72 -png -singlefile h.pdf poppler");
    EXPECT_LE(differingShare(scratch / "poppler.png", scratch / "h.png"), 0.002);
    CommandResult again =
        runHeart({"run", "--no-record", "--from", "h.pdf", "-o", "again.svg"}, scratch.path());
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(readFile(scratch / "again.svg"), readFile(scratch / "h.svg"));
  }
}

TEST(PdfOutput, AnOpenedDrawingLiesBeneathAsVectors) {
  SKIP_WITHOUT_PNG_OUTPUT();
  if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  if (!canOpenDrawings()) GTEST_SKIP() << "this build opens no drawings";
  ScratchFolder scratch;
  writeFile(scratch / "card.svg",
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\">"
            "<rect x=\"20\" y=\"20\" width=\"360\" height=\"80\" fill=\"#3050c0\"/></svg>");
  for (const char* name : {"h.pdf", "h.png"})
    ASSERT_EQ(runHeart({"run", "--no-record", "--open", "card.svg", "--seed", "4", "-o", name},
                       scratch.path())
                  .exitCode,
              0);
  output(scratch.path(), "pdftocairo -r 72 -png -singlefile h.pdf poppler");
  EXPECT_LE(differingShare(scratch / "poppler.png", scratch / "h.png"), 0.002);
  // pdfimages lists a header of two lines and then one line per picture.
  EXPECT_EQ(output(scratch.path(), "pdfimages -list h.pdf | wc -l"), "2\n");
}

#endif  // HEART_TEST_WITH_CAIRO

TEST(PdfOutput, APdfWithoutARunIsRefusedForFrom) {
  ScratchFolder scratch;
  writeFile(scratch / "other.pdf", "%PDF-1.4\n1 0 obj << /Keywords (cards) >> endobj\n%%EOF\n");
  CommandResult run =
      runHeart({"run", "--no-record", "--from", "other.pdf", "-o", "h.svg"}, scratch.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("other.pdf: the PDF carries no record of a heart run"), std::string::npos)
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(scratch / "h.svg"));
}

}  // namespace
}  // namespace heart::testing
