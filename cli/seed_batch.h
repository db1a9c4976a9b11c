// Many seeds at once: `heart run --seeds 1-50 -o 'cards/heart-{seed}.svg'`
// draws one drawing per seed, each exactly what `heart run --seed N` draws,
// on every core (each drawing in a process of its own, since one plug-in
// image serves one run at a time), and reports the seeds that failed while
// keeping the others.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "filter_session.h"

namespace heart::cli {

// The most seeds one batch draws.
constexpr size_t kMaxBatchSeeds = 10000;

// "1-50", "1,4,9-12", "7": the seeds in the order written, each from 0 to
// 4294967295; a range runs upwards; a seed given twice is refused.
Result<std::vector<uint32_t>> parseSeedList(std::string_view text);

// The output name for one seed: every "{seed}" replaced by its number.
std::string outputForSeed(const std::string& pattern, uint32_t seed);

// Runs the session once per seed. The stored record is read once, before
// the first drawing, and saved at most once, by the first seed's run.
// Answers kExitDone when every drawing was written, kExitFailure when any
// failed (the others are kept).
// With a sheet, a contact sheet of the drawings written (a grid of pictures,
// each with its seed) goes there too.
struct BatchSheet {
  std::string path;  // .png or .pdf; empty: none
  int cellSize = 200;
};
int runSeedBatch(SessionOptions options, const std::vector<uint32_t>& seeds,
                 const BatchSheet& sheet = {});

}  // namespace heart::cli
