#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs them.
#
#   scripts/fuzz.sh TARGET SECONDS   run one target, e.g. record_json 600
#   scripts/fuzz.sh --all SECONDS    run every target for SECONDS each
#   scripts/fuzz.sh --list           name the targets
#
# Each run first replays the saved regression cases of the target
# (fuzz/regressions/TARGET), then fuzzes from the seed corpus
# (fuzz/corpus/TARGET) in a scratch copy, so the repository is not changed.
# A crash or sanitizer report ends the run non-zero and leaves the input in
# build-fuzz/findings/TARGET. FUZZ_SEED fixes libFuzzer's seed (0, the
# default, takes a new one each run), so a short run in CI explores the same
# inputs every time instead of failing at random on a new finding.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(record_file record_json field_edits svg_metadata dialog_script random_values palette
         module_resources options_dialog drawing)
if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${targets[@]}"
  exit 0
fi
if [ $# -ne 2 ]; then
  echo "usage: scripts/fuzz.sh TARGET|--all SECONDS" >&2
  exit 2
fi
if [ "$1" = "--all" ]; then
  run=("${targets[@]}")
else
  if [[ ! " ${targets[*]} " =~ " $1 " ]]; then
    echo "fuzz.sh: no fuzz target \"$1\"; the targets are: ${targets[*]}" >&2
    exit 2
  fi
  run=("$1")
fi
seconds=$2
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "fuzz.sh: SECONDS must be a whole number, not \"$seconds\"" >&2
  exit 2
fi

dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHEART_FUZZ=ON \
  -DHEART_BUILD_TESTS=OFF -DHEART_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target "${run[@]/%/_fuzz}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${run[@]}"; do
  fuzzer="$dir/fuzz/${target}_fuzz"
  findings="$dir/findings/$target"
  scratch="$dir/corpus/$target"
  mkdir -p "$findings" "$scratch"
  regressions=(fuzz/regressions/"$target"/*)
  if [ -e "${regressions[0]}" ]; then
    echo "== $target: ${#regressions[@]} regression cases"
    "$fuzzer" "${regressions[@]}" >"$findings/regressions.log" 2>&1 ||
      { tail -40 "$findings/regressions.log"; exit 1; }
  fi
  echo "== $target: fuzzing for $seconds s"
  "$fuzzer" -seed="${FUZZ_SEED:-0}" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$scratch" "fuzz/corpus/$target" >"$findings/fuzz.log" 2>&1 ||
    { tail -60 "$findings/fuzz.log"; echo "fuzz.sh: $target failed; input in $findings" >&2; exit 1; }
  grep -E "stat::number_of_executed_units|cov:" "$findings/fuzz.log" | tail -2
done
