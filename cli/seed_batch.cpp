#include "seed_batch.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "cli_verbs.h"
#include "render/contact_sheet.h"

namespace heart::cli {
namespace {

Result<uint32_t> seedNumber(std::string_view text, std::string_view whole) {
  uint64_t value = 0;
  auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || problem != std::errc() || end != text.data() + text.size() ||
      value > UINT32_MAX) {
    std::string message = "--seeds \"";
    message += whole;
    message += "\": \"";
    message += text;
    message += "\" is not a seed from 0 to 4294967295";
    return fail(message);
  }
  return static_cast<uint32_t>(value);
}

// Shows "Drawing 5 of 50 seeds" in place on a terminal.
class BatchProgress {
 public:
  explicit BatchProgress(size_t all) : all_(all) {
#ifndef _WIN32
    shown_ = isatty(STDERR_FILENO) && all > 1;
#endif
  }
  void update(size_t done) {
    if (!shown_) return;
    std::fprintf(stderr, "\r\033[KDrawing seeds: %zu of %zu done", done, all_);
    if (done == all_) std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
  }

 private:
  size_t all_;
  bool shown_ = false;
};

}  // namespace

Result<std::vector<uint32_t>> parseSeedList(std::string_view text) {
  std::vector<uint32_t> seeds;
  std::set<uint32_t> seen;
  std::string_view rest = text;
  if (text.empty()) return fail("--seeds needs seeds: 1-50, 1,4,9-12 or 7");
  while (true) {
    size_t comma = rest.find(',');
    std::string_view piece = rest.substr(0, comma);
    size_t dash = piece.find('-');
    Result<uint32_t> first = seedNumber(piece.substr(0, dash), text);
    if (!first) return first.failure();
    uint32_t last = *first;
    if (dash != std::string_view::npos) {
      Result<uint32_t> end = seedNumber(piece.substr(dash + 1), text);
      if (!end) return end.failure();
      last = *end;
      if (last < *first) {
        std::string message = "--seeds: the range \"";
        message += piece;
        message += "\" runs downwards; write it from the lower seed";
        return fail(message);
      }
    }
    if (last - *first >= kMaxBatchSeeds || seeds.size() + (last - *first) >= kMaxBatchSeeds)
      return fail("--seeds: more than " + std::to_string(kMaxBatchSeeds) + " seeds in one batch");
    for (uint64_t seed = *first; seed <= last; ++seed) {
      if (!seen.insert(static_cast<uint32_t>(seed)).second)
        return fail("--seeds: the seed " + std::to_string(seed) + " is given twice");
      seeds.push_back(static_cast<uint32_t>(seed));
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return seeds;
}

std::string outputForSeed(const std::string& pattern, uint32_t seed) {
  constexpr std::string_view kMark = "{seed}";
  std::string out;
  size_t from = 0;
  for (size_t at = pattern.find(kMark); at != std::string::npos; at = pattern.find(kMark, from)) {
    out.append(pattern, from, at - from);
    out += std::to_string(seed);
    from = at + kMark.size();
  }
  out.append(pattern, from, std::string::npos);
  return out;
}

int runSeedBatch(SessionOptions options, const std::vector<uint32_t>& seeds,
                 const BatchSheet& sheet) {
  const std::string verb = options.verb;
  // The stored record, read once for every drawing of the batch.
  if (!options.record) {
    Result<std::optional<ParameterRecord>> stored = readStoredRecord(options);
    if (!stored) return reportFailure(verb, stored.error());
    options.record = *stored;
  }
  options.readRecord = false;

  // The sheet's pictures wait in a folder of the batch's own.
  std::filesystem::path cells;
  if (!sheet.path.empty()) {
    std::error_code made;
    cells = std::filesystem::temp_directory_path(made) /
            ("heart-sheet-" + std::to_string(std::random_device{}()));
    if (made || !std::filesystem::create_directories(cells, made))
      return reportFailure(verb, "no folder for the contact sheet's pictures: " + made.message());
  }
  auto cellOf = [&cells](size_t index) {
    return (cells / ("cell-" + std::to_string(index) + ".png")).string();
  };

  auto sessionFor = [&options, &seeds, &sheet, &cellOf](size_t index) {
    SessionOptions one = options;
    if (!sheet.path.empty()) {
      one.cellPicture = cellOf(index);
      // A margin of a twelfth around each picture.
      one.cellSize = sheet.cellSize - sheet.cellSize / 6;
    }
    one.host.seed = seeds[index];
    one.output = outputForSeed(options.output, seeds[index]);
    // Saved at most once: by the first seed's run.
    one.saveRecord = options.saveRecord && index == 0;
    one.quiet = options.quiet || index != 0;
    return one;
  };

  std::vector<int> codes(seeds.size(), kExitFailure);
  BatchProgress progress(seeds.size());
  size_t done = 0;
#ifdef _WIN32
  // One run after another: no process of the batch's own here.
  for (size_t index = 0; index < seeds.size(); ++index) {
    codes[index] = runFilterSession(sessionFor(index));
    progress.update(++done);
  }
#else
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::pair<pid_t, size_t>> running;
  size_t next = 0;
  auto waitForOne = [&] {
    int status = 0;
    pid_t child = ::waitpid(-1, &status, 0);
    if (child < 0) return false;
    for (auto it = running.begin(); it != running.end(); ++it)
      if (it->first == child) {
        codes[it->second] = WIFEXITED(status) ? WEXITSTATUS(status) : kExitFailure;
        running.erase(it);
        progress.update(++done);
        break;
      }
    return true;
  };
  while (next < seeds.size() || !running.empty()) {
    if (next < seeds.size() && running.size() < cores) {
      std::cout.flush();
      std::cerr.flush();
      std::fflush(nullptr);
      pid_t child = ::fork();
      if (child == 0) {
        int code = runFilterSession(sessionFor(next));
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        ::_exit(code);
      }
      if (child < 0) {
        // No process to spare: this seed runs here.
        codes[next] = runFilterSession(sessionFor(next));
        progress.update(++done);
      } else {
        running.emplace_back(child, next);
      }
      ++next;
      continue;
    }
    if (!waitForOne()) break;
  }
#endif
  int sheetCode = kExitDone;
  if (!sheet.path.empty()) {
    std::vector<SheetCell> written;
    for (size_t index = 0; index < seeds.size(); ++index)
      if (codes[index] == kExitDone) written.push_back({seeds[index], cellOf(index)});
    Result<void> made = writeContactSheet(written, sheet.cellSize, sheet.path);
    std::error_code ignored;
    std::filesystem::remove_all(cells, ignored);
    if (!made) sheetCode = reportFailure(verb, made.error());
  }
  std::string failed;
  size_t failures = 0;
  for (size_t index = 0; index < seeds.size(); ++index)
    if (codes[index] != kExitDone) {
      if (failures++) failed += ", ";
      failed += std::to_string(seeds[index]);
    }
  if (failures == 0) return sheetCode;
  return reportFailure(verb, std::to_string(failures) + " of " + std::to_string(seeds.size()) +
                                 " seeds failed (" + failed + "); the other drawings were written");
}

}  // namespace heart::cli
