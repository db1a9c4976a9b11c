#!/usr/bin/env bash
# Installs the packages the tests need, builds Heart and runs its tests. With
# --sanitize, builds and tests the AddressSanitizer + UndefinedBehaviorSanitizer
# configuration instead.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DHEART_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DHEART_WERROR=ON -DHEART_SANITIZE=ON -DHEART_BUILD_BENCHMARKS=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
scripts/install-deps.sh
# Every test program and both Windows modules, also where the quick start
# configured the same folder without them.
flags+=(-DHEART_BUILD_TESTS=ON -DHEART_WINDOWS_MODULES=ON)
[ "$dir" = build ] && flags+=(-DHEART_BUILD_BENCHMARKS=ON)
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
