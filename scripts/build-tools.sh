#!/usr/bin/env bash
# Builds the build-time tools (rescomp, rcscript) for this machine into
# build-tools/, for the cross builds to run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S tools -B build-tools -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-tools -j"$(nproc)" >/dev/null
