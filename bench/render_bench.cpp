// Timing of the document renderer on the heaviest record the dialog allows:
// the page-size PNG of the command line, and a view the size of the studio's
// preview drawn and encoded.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <chrono>
#include <ctime>

#include "bench_documents.h"
#include "document/document.h"
#include "export/pdf_export.h"
#include "export/png_export.h"
#include "export/svg_export.h"
#include "render/document_renderer.h"
#include "render/png_encoding.h"

namespace {

using heart_bench::reportPaths;
using heart_bench::warmHeaviest;

// The front view of the heaviest record: centred on the page, zoom 1, 800 x 600.
heart::RenderFrame studioFrame(const heart::Document& document) {
  return heart::viewFrame(document.view(0));
}

void BM_HeaviestPagePng(benchmark::State& state) {
  auto bench = warmHeaviest();
  const heart::Document& document = bench->document();
  size_t bytes = 0;
  for (auto _ : state) {
    auto png = heart::exportPng(document);
    if (!png) state.SkipWithError(png.error().c_str());
    bytes = png ? png->size() : 0;
  }
  state.counters["png_bytes"] = static_cast<double>(bytes);
  reportPaths(state, document.tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestPagePng)->Unit(benchmark::kMillisecond)->UseRealTime();

// Drawing alone, into an 800 x 600 picture.
void BM_HeaviestViewDraw(benchmark::State& state) {
  auto bench = warmHeaviest();
  const heart::Document& document = bench->document();
  heart::RenderFrame frame = studioFrame(document);
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height);
  size_t paths = 0;
  for (auto _ : state) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    paths = heart::renderDocument(document, cr, frame);
    cairo_destroy(cr);
  }
  cairo_surface_destroy(surface);
  reportPaths(state, paths);
}
BENCHMARK(BM_HeaviestViewDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// Encoding an 800 x 600 view of the heaviest record, fast and compact.
void BM_ViewPngEncoding(benchmark::State& state) {
  auto bench = warmHeaviest();
  const heart::Document& document = bench->document();
  heart::RenderFrame frame = studioFrame(document);
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, frame.width, frame.height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  heart::renderDocument(document, cr, frame);
  cairo_destroy(cr);
  auto compression =
      state.range(0) ? heart::PngCompression::kCompact : heart::PngCompression::kFast;
  size_t bytes = 0;
  for (auto _ : state) {
    auto png = heart::encodePng(surface, compression);
    if (!png) state.SkipWithError(png.error().c_str());
    bytes = png ? png->size() : 0;
  }
  cairo_surface_destroy(surface);
  state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ViewPngEncoding)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the studio waits for: the view drawn and encoded as its PNG.
void BM_HeaviestViewPng(benchmark::State& state) {
  auto bench = warmHeaviest();
  const heart::Document& document = bench->document();
  heart::RenderFrame frame = studioFrame(document);
  for (auto _ : state) {
    auto png = heart::renderPng(document, frame);
    if (!png) state.SkipWithError(png.error().c_str());
  }
  reportPaths(state, document.tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestViewPng)->Unit(benchmark::kMillisecond)->UseRealTime();

// The heaviest record's PDF: its vector paths through cairo's PDF surface.
void BM_HeaviestPdf(benchmark::State& state) {
  auto bench = warmHeaviest();
  const heart::Document& document = bench->document();
  size_t bytes = 0;
  for (auto _ : state) {
    auto pdf = heart::exportPdf(document, heart::SvgMetadata{});
    if (!pdf) state.SkipWithError(pdf.error().c_str());
    bytes = pdf ? pdf->size() : 0;
  }
  state.counters["pdf_bytes"] = static_cast<double>(bytes);
  reportPaths(state, document.tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// The processor time of the whole process, every thread's.
double processSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// The heaviest record's SVG and PNG, one after the other in each iteration,
// so that both see the same machine: the iteration time is the PNG's,
// png_per_svg the ratio of the two totals, and the *_cpu_ms counters the
// processor time of each (both threads), which a busy machine changes less.
void BM_HeaviestPngAgainstSvg(benchmark::State& state) {
  auto bench = warmHeaviest();
  const heart::Document& document = bench->document();
  double svgSeconds = 0, pngSeconds = 0, svgCpu = 0, pngCpu = 0;
  for (auto _ : state) {
    auto started = std::chrono::steady_clock::now();
    double cpuStarted = processSeconds();
    auto svg = heart::exportSvg(document, heart::SvgMetadata{});
    auto between = std::chrono::steady_clock::now();
    double cpuBetween = processSeconds();
    auto png = heart::exportPng(document);
    auto ended = std::chrono::steady_clock::now();
    double cpuEnded = processSeconds();
    if (!svg || !png) state.SkipWithError("the drawing could not be written");
    benchmark::DoNotOptimize(svg);
    svgSeconds += std::chrono::duration<double>(between - started).count();
    const double pngTime = std::chrono::duration<double>(ended - between).count();
    pngSeconds += pngTime;
    svgCpu += cpuBetween - cpuStarted;
    pngCpu += cpuEnded - cpuBetween;
    state.SetIterationTime(pngTime);
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["svg_ms"] = svgSeconds * 1000 / iterations;
  state.counters["png_per_svg"] = pngSeconds / svgSeconds;
  state.counters["svg_cpu_ms"] = svgCpu * 1000 / iterations;
  state.counters["png_cpu_ms"] = pngCpu * 1000 / iterations;
}
BENCHMARK(BM_HeaviestPngAgainstSvg)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

}  // namespace
