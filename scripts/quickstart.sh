#!/usr/bin/env bash
# Installs the dependencies, builds Heart and draws hearts with the built-in
# defaults into hearts.svg (and hearts.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
build/cli/heart run -o hearts.svg
build/cli/heart run --from hearts.svg -o hearts.png
echo "Drew hearts.svg and hearts.png"
