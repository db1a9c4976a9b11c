#!/usr/bin/env bash
# Builds the Windows module and host with Debian's mingw-w64 cross compilers:
#   build-win32/plugin/Norv_Heart.aip   the 32-bit (PE32, i686) module
#   build-win64/                        heart.exe, the 64-bit module and the tests
# Build-time tools are built first for this machine (build-tools/).
# --module-only builds only the 32-bit module; --no-tests leaves out the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
win64=1
tests=ON
for arg in "$@"; do
  case "$arg" in
    --module-only) win64=0 ;;
    --no-tests) tests=OFF ;;
    *) echo "usage: scripts/build-windows.sh [--module-only] [--no-tests]" >&2; exit 2 ;;
  esac
done
jobs=$(nproc)
tools=$PWD/build-tools
scripts/build-tools.sh

cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake \
  -DCMAKE_BUILD_TYPE=Release -DHEART_WERROR=ON -DHEART_MODULE_ONLY=ON -DHEART_TOOLS_DIR="$tools" >/dev/null
cmake --build build-win32 -j"$jobs"

if [ "$win64" = 1 ]; then
  cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DHEART_WERROR=ON -DHEART_BUILD_BENCHMARKS=OFF -DHEART_BUILD_TESTS="$tests" \
    -DHEART_TOOLS_DIR="$tools" -DHEART_WIN32_MODULE="$PWD/build-win32/plugin/Norv_Heart.aip" \
    >/dev/null
  cmake --build build-win64 -j"$jobs"
fi
