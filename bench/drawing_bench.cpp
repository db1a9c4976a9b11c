// Timing of a large drawing opened as the document: reading it and the
// studio's first picture over it, and then a change of the hearts over it,
// which draws the hearts anew and only copies the drawing's picture.
//
// The drawing is real art tiled: Openclipart's "Discordian Sacred Chao"
// (test data) 32 x 32 times on a poster page of 1920 pixels a side, about
// 5 MB of SVG; the front view (800 x 600 at zoom 1) shows its middle.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "bench_documents.h"
#include "document/document.h"
#include "drawing/drawing.h"
#include "studio/preview_picture.h"

namespace {

constexpr int kTiles = 32;

std::string largeDrawing() {
  std::ifstream in(std::string(HEART_SOURCE_DIR) +
                   "/tests/data/drawings/discordian_sacred_chao_01r.svg");
  std::stringstream whole;
  whole << in.rdbuf();
  const std::string art = whole.str();
  // The art inside its root, drawn in a viewport of its own for each tile.
  const size_t open = art.find("<svg");
  const size_t content = art.find('>', open) + 1;
  const std::string inner = art.substr(content, art.rfind("</svg>") - content);
  constexpr double kTile = 60;  // pixels a side of the 594 x 590 art
  std::string text = "<?xml version=\"1.0\"?>\n<svg width=\"" + std::to_string(kTiles * 60) +
                     "\" height=\"" + std::to_string(kTiles * 60) + "\">\n";
  for (int row = 0; row < kTiles; ++row)
    for (int column = 0; column < kTiles; ++column)
      text +=
          "<svg x=\"" + std::to_string(column * kTile) + "\" y=\"" + std::to_string(row * kTile) +
          "\" width=\"" + std::to_string(kTile) + "\" height=\"" + std::to_string(kTile) +
          "\" fill=\"none\" stroke=\"rgb(0,0,0)\" viewBox=\"0 0 594 590\">" + inner + "</svg>\n";
  return text + "</svg>\n";
}

const std::string& drawingText() {
  static const std::string text = largeDrawing();
  return text;
}

// The document a host makes for the drawing: its page, the front view where
// the drawing says, the drawing beneath.
std::unique_ptr<heart_bench::GeneratorBench> benchOver(const heart::Drawing& drawing) {
  auto bench = std::make_unique<heart_bench::GeneratorBench>(
      heart::DocumentSettings(static_cast<float>(drawing.pageSize.x),
                              static_cast<float>(drawing.pageSize.y), kDocRGBColor));
  heart::Document& document = bench->document();
  document.view(0).setCentre(AIRealPoint{static_cast<AIReal>(drawing.viewCentre.x),
                                         static_cast<AIReal>(drawing.viewCentre.y)});
  document.setBackdropSvg(drawing.text);
  return bench;
}

void BM_LargeDrawingOpenAndFirstPicture(benchmark::State& state) {
  const std::string& text = drawingText();
  for (auto _ : state) {
    heart::Result<heart::Drawing> drawing = heart::readDrawing(text, "poster.svg");
    if (!drawing) {
      state.SkipWithError(drawing.error().c_str());
      break;
    }
    auto bench = benchOver(*drawing);
    bench->preview();
    auto picture = heart::studio::renderPreview(bench->document());
    if (!picture) {
      state.SkipWithError(picture.error().c_str());
      break;
    }
    benchmark::DoNotOptimize(picture->pixels.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_LargeDrawingOpenAndFirstPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

// One change of the default record over the drawing: the preview run and
// its picture. Against BM_ChangeOnBlankPage, the drawing's share.
void changeOver(benchmark::State& state, heart_bench::GeneratorBench& bench) {
  (void)heart::studio::renderPreview(bench.document());  // the drawing's picture, once
  for (auto _ : state) {
    bench.preview();
    auto picture = heart::studio::renderPreview(bench.document());
    if (!picture) {
      state.SkipWithError(picture.error().c_str());
      break;
    }
    benchmark::DoNotOptimize(picture->pixels.data());
  }
}

void BM_ChangeOverLargeDrawing(benchmark::State& state) {
  heart::Result<heart::Drawing> drawing = heart::readDrawing(drawingText(), "poster.svg");
  if (!drawing) return state.SkipWithError(drawing.error().c_str());
  auto bench = benchOver(*drawing);
  changeOver(state, *bench);
}
BENCHMARK(BM_ChangeOverLargeDrawing)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_ChangeOnBlankPage(benchmark::State& state) {
  heart_bench::GeneratorBench bench(heart::DocumentSettings(1440, 1440, kDocRGBColor));
  changeOver(state, bench);
}
BENCHMARK(BM_ChangeOnBlankPage)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
