// Timing of the studio's preview picture of the heaviest record: the
// pasteboard, the page and the art drawn into the view's 800 x 600 pixels in
// two bands, and packed for the page.
#include <benchmark/benchmark.h>

#include "bench_documents.h"
#include "document/document.h"
#include "studio/preview_picture.h"

namespace {

void BM_HeaviestStudioPreview(benchmark::State& state) {
  auto bench = heart_bench::warmHeaviest();
  const heart::Document& document = bench->document();
  double draw = 0;
  size_t packed = 0;
  for (auto _ : state) {
    auto picture = heart::studio::renderPreview(document);
    if (!picture) {
      state.SkipWithError(picture.error().c_str());
      break;
    }
    draw += picture->drawMilliseconds;
    packed = heart::studio::packPixels(*picture).size();
  }
  state.counters["draw_ms"] = benchmark::Counter(draw, benchmark::Counter::kAvgIterations);
  state.counters["packed_bytes"] = static_cast<double>(packed);
  heart_bench::reportPaths(state, document.tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestStudioPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
