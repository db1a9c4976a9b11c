#!/usr/bin/env bash
# Installs the dependencies, builds Heart and draws hearts with the built-in
# defaults into out/hearts.svg, then the same hearts from that drawing into
# out/hearts.png. The stored record in your home is neither read nor saved.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p out
build/cli/heart run --no-record -o out/hearts.svg
build/cli/heart run --from out/hearts.svg -o out/hearts.png
echo "Drew out/hearts.svg and out/hearts.png"
