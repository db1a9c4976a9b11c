// Timing of the heart generator through the real host: the default heart,
// the heaviest record the options dialog allows, the revert of that run, and
// the SVG export of its document.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "application/host.h"
#include "core/suite_broker.h"
#include "document/document.h"
#include "document/random_source.h"
#include "export/svg_export.h"
#include "generator/generator.h"
#include "params/parameter_record.h"
#include "shell/suite_table.h"

namespace {

// A host with a fresh RGB document, the plug-in's suites acquired and an
// open filter invocation for the generator's revert to work on.
class GeneratorBench {
 public:
  GeneratorBench() {
    heart::HostOptions options;
    options.seed = 1;
    host_ = std::make_unique<heart::Host>(options);
    acquireSuites(host_->broker().basicSuite());
    host_->document().beginInvocation();
    AIRealPoint centre{};
    frontViewCentre(&centre);
    setDefaults(&record_, centre);
  }
  ~GeneratorBench() { releaseSuites(host_->broker().basicSuite()); }

  ParameterRecord& record() { return record_; }
  heart::Document& document() { return host_->document(); }

  // A preview run: reverts the last preview, draws, redraws.
  ASErr preview() {
    record_.finalRun = 0;
    record_.previewDrawn = 1;
    return generateHearts(&record_);
  }
  ASErr revert() { return document().revertInvocation(); }

 private:
  std::unique_ptr<heart::Host> host_;
  ParameterRecord record_{};
};

// Everything the dialog can switch on, at the largest counts it allows.
void makeHeaviest(ParameterRecord& r) {
  r.heartCount = 400;
  r.basicPattern = 1;
  r.dropShadow = 1;
  r.randomShadowScaling = r.halfFillShadow = r.randomShadowDirection = r.randomShadowOpacity = 1;
  r.sketchRepeats = 60;
  r.sketchShift = 10;
  r.sketchWeight = 10;
  r.randomSketchWeight = r.randomSketchShift = 1;
  r.sketchColorMode = 9;
  r.randomCurve = r.randomDirectionPoints = r.randomHeart = r.randomCreatePoints = 1;
  r.jitterCenter = r.jitterScaling = r.jitterFill = r.jitterStroke = r.jitterWidth = 1;
  r.randomWarp = r.symbolize = r.randomScaling = r.randomStyle = r.randomOpacity = 1;
  r.randomWidth = r.randomAngle = r.randomStroke = r.randomFillSwatches = r.randomFill = 1;
  r.newLayer = 1;
  r.placementMode = 2;
}

void reportPaths(benchmark::State& state, size_t paths) {
  state.counters["paths"] = static_cast<double>(paths);
  // Time per path: the iteration time divided by the paths it handles.
  state.counters["per_path"] =
      benchmark::Counter(static_cast<double>(paths) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DefaultHeart(benchmark::State& state) {
  GeneratorBench bench;
  for (auto _ : state) {
    if (bench.preview() != kNoErr) state.SkipWithError("the run failed");
  }
  reportPaths(state, bench.document().pathsInPaintOrder().size());
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
    paths = bench->document().pathsInPaintOrder().size();
    bench.reset();
    state.ResumeTiming();
  }
  reportPaths(state, paths);
}
BENCHMARK(BM_HeaviestFirstRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// A bench that has drawn the heaviest record once.
std::unique_ptr<GeneratorBench> warmHeaviest() {
  auto bench = std::make_unique<GeneratorBench>();
  makeHeaviest(bench->record());
  bench->preview();
  return bench;
}

void BM_HeaviestGenerate(benchmark::State& state) {
  auto warm = warmHeaviest();
  GeneratorBench& bench = *warm;
  for (auto _ : state) {
    state.PauseTiming();
    bench.revert();
    state.ResumeTiming();
    if (bench.preview() != kNoErr) state.SkipWithError("the run failed");
  }
  reportPaths(state, bench.document().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestGenerate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HeaviestRevert(benchmark::State& state) {
  auto warm = warmHeaviest();
  GeneratorBench& bench = *warm;
  size_t paths = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bench.preview();
    paths = bench.document().pathsInPaintOrder().size();
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
  reportPaths(state, bench.document().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestGenerateAndRevert)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HeaviestExport(benchmark::State& state) {
  auto warm = warmHeaviest();
  GeneratorBench& bench = *warm;
  heart::SvgMetadata metadata;
  size_t bytes = 0;
  for (auto _ : state) {
    std::string svg = heart::exportSvg(bench.document(), metadata);
    bytes = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(bytes);
  reportPaths(state, bench.document().pathsInPaintOrder().size());
}
BENCHMARK(BM_HeaviestExport)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
