// Documents for the benchmarks: a host with the plug-in's suites acquired,
// a record the dialog allows, and the heaviest such record drawn once.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>
#include <optional>

#include "application/host.h"
#include "core/host_context.h"
#include "document/document.h"
#include "plugin/params/parameter_record.h"

namespace heart_bench {

// A host with a fresh RGB document, the plug-in's suites acquired and an
// open filter invocation for the generator's revert to work on.
class GeneratorBench {
 public:
  // A document of the given page and colour model (letter, RGB by default).
  explicit GeneratorBench(const heart::DocumentSettings& settings = {});
  ~GeneratorBench();

  ParameterRecord& record() { return record_; }
  heart::Document& document() { return host_->document(); }

  // A preview run: reverts the last preview, draws, redraws.
  ASErr preview();
  ASErr revert() { return document().revertInvocation(); }

 private:
  std::unique_ptr<heart::Host> host_;
  // The generator's suites reach the host through this scope: the bench
  // calls plug-in code directly, outside any message.
  std::optional<heart::HostScope> scope_;
  ParameterRecord record_{};
};

// Everything the dialog can switch on, at the largest counts it allows.
void makeHeaviest(ParameterRecord& r);

// A bench that has drawn the heaviest record once.
std::unique_ptr<GeneratorBench> warmHeaviest();

// The paths handled and the time per path.
void reportPaths(benchmark::State& state, size_t paths);

}  // namespace heart_bench
