#include "bench_documents.h"

#include "core/suite_broker.h"
#include "document/document.h"
#include "plugin/dialog/front_view_centre.h"
#include "plugin/generator/generator.h"
#include "plugin/suites/suite_table.h"

namespace heart_bench {

GeneratorBench::GeneratorBench(const heart::DocumentSettings& settings) {
  heart::HostOptions options;
  options.document = settings;
  options.seed = 1;
  host_ = std::make_unique<heart::Host>(options);
  scope_.emplace(host_->context());
  acquireSuites(host_->broker().basicSuite());
  host_->document().beginInvocation();
  AIRealPoint centre{};
  frontViewCentre(&centre);
  setDefaults(&record_, centre);
}

GeneratorBench::~GeneratorBench() { releaseSuites(host_->broker().basicSuite()); }

ASErr GeneratorBench::preview() {
  record_.finalRun = 0;
  record_.previewDrawn = 1;
  return generateHearts(&record_);
}

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

std::unique_ptr<GeneratorBench> warmHeaviest() {
  auto bench = std::make_unique<GeneratorBench>();
  makeHeaviest(bench->record());
  bench->preview();
  return bench;
}

void reportPaths(benchmark::State& state, size_t paths) {
  state.counters["paths"] = static_cast<double>(paths);
  // Time per path: the iteration time divided by the paths it handles.
  state.counters["per_path"] =
      benchmark::Counter(static_cast<double>(paths) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace heart_bench
