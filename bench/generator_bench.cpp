// Timing of the heart generator through the real host: the default heart,
// the heaviest record the options dialog allows, the revert of that run, and
// the SVG export of its document.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_documents.h"
#include "document/document.h"
#include "export/svg_export.h"

namespace {

using heart_bench::GeneratorBench;
using heart_bench::makeHeaviest;
using heart_bench::reportPaths;
using heart_bench::warmHeaviest;

void BM_DefaultHeart(benchmark::State& state) {
  GeneratorBench bench;
  for (auto _ : state) {
    if (bench.preview() != kNoErr) state.SkipWithError("the run failed");
  }
  reportPaths(state, bench.document().tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_DefaultHeart)->Unit(benchmark::kMicrosecond);

// The first heavy run in a fresh document also pays for the memory that
// later runs reuse; the other heavy benchmarks measure after one such run.
void BM_HeaviestFirstRun(benchmark::State& state) {
  size_t paths = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto bench = std::make_unique<GeneratorBench>();
    makeHeaviest(bench->record());
    state.ResumeTiming();
    if (bench->preview() != kNoErr) state.SkipWithError("the run failed");
    state.PauseTiming();
    paths = bench->document().tree().pathsInPaintOrder().size();
    bench.reset();
    state.ResumeTiming();
  }
  reportPaths(state, paths);
}
BENCHMARK(BM_HeaviestFirstRun)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HeaviestGenerate(benchmark::State& state) {
  auto warm = warmHeaviest();
  GeneratorBench& bench = *warm;
  for (auto _ : state) {
    state.PauseTiming();
    bench.revert();
    state.ResumeTiming();
    if (bench.preview() != kNoErr) state.SkipWithError("the run failed");
  }
  reportPaths(state, bench.document().tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestGenerate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HeaviestRevert(benchmark::State& state) {
  auto warm = warmHeaviest();
  GeneratorBench& bench = *warm;
  size_t paths = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.preview();
    paths = bench.document().tree().pathsInPaintOrder().size();
    state.ResumeTiming();
    if (bench.revert() != kNoErr) state.SkipWithError("the revert failed");
  }
  reportPaths(state, paths);
}
BENCHMARK(BM_HeaviestRevert)->Unit(benchmark::kMillisecond)->UseRealTime();

// What a person waits for while previewing: the revert of the last preview
// and the new run, together.
void BM_HeaviestGenerateAndRevert(benchmark::State& state) {
  auto warm = warmHeaviest();
  GeneratorBench& bench = *warm;
  for (auto _ : state) {
    if (bench.preview() != kNoErr) state.SkipWithError("the run failed");
  }
  reportPaths(state, bench.document().tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestGenerateAndRevert)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HeaviestExport(benchmark::State& state) {
  auto warm = warmHeaviest();
  GeneratorBench& bench = *warm;
  heart::SvgMetadata metadata;
  size_t bytes = 0;
  for (auto _ : state) {
    std::string svg = heart::exportSvg(bench.document(), metadata).value();
    bytes = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(bytes);
  reportPaths(state, bench.document().tree().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestExport)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
