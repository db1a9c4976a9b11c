#!/usr/bin/env bash
# Installs what `heart` and the plug-in module need, builds only those two,
# and draws hearts with the built-in defaults into out/hearts.svg, then the
# same hearts from that drawing into out/hearts.png. The stored record in
# your home is neither read nor saved. The tests and their packages come
# with scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --heart
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHEART_BUILD_TESTS=OFF \
  -DHEART_BUILD_BENCHMARKS=OFF -DHEART_WINDOWS_MODULES=OFF >/dev/null
cmake --build build -j"$(nproc)" --target heart Norv_Heart
mkdir -p out
build/cli/heart run --no-record -o out/hearts.svg
build/cli/heart run --from out/hearts.svg -o out/hearts.png
echo "Drew out/hearts.svg and out/hearts.png"
