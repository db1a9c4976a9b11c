#!/usr/bin/env bash
# Builds the Windows module and host with Debian's mingw-w64 cross compilers:
#   build-win32/plugin/Norv_Heart.aip   the 32-bit (PE32, i686) module
#   build-win64/                        heart.exe, the 64-bit module and the tests
# Build-time tools are built first for this machine (build-tools/).
#   --module-only        builds only the 32-bit module
#   --no-tests           leaves out the tests
#   --win32-module FILE  ships this already built 32-bit module instead of
#                        building build-win32 (a native build with the Windows
#                        modules on makes one in build/windows-module-i686/)
#   --target NAME        builds only this build-win64 target (repeatable)
set -euo pipefail
cd "$(dirname "$0")/.."
usage() {
  echo "usage: scripts/build-windows.sh [--module-only] [--no-tests] [--win32-module FILE] [--target NAME]..." >&2
  exit 2
}
win64=1
tests=ON
win32_module=
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --module-only) win64=0 ;;
    --no-tests) tests=OFF ;;
    --win32-module) [ $# -ge 2 ] || usage; win32_module=$(realpath "$2"); shift ;;
    --target) [ $# -ge 2 ] || usage; targets+=(--target "$2"); shift ;;
    *) usage ;;
  esac
  shift
done
jobs=$(nproc)
tools=$PWD/build-tools
scripts/build-tools.sh

if [ -z "$win32_module" ]; then
  cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release -DHEART_WERROR=ON -DHEART_MODULE_ONLY=ON -DHEART_TOOLS_DIR="$tools" >/dev/null
  cmake --build build-win32 -j"$jobs"
  win32_module=$PWD/build-win32/plugin/Norv_Heart.aip
elif [ ! -f "$win32_module" ]; then
  echo "scripts/build-windows.sh: no 32-bit module at $win32_module" >&2
  exit 1
fi

if [ "$win64" = 1 ]; then
  cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DHEART_WERROR=ON -DHEART_BUILD_BENCHMARKS=OFF -DHEART_BUILD_TESTS="$tests" \
    -DHEART_TOOLS_DIR="$tools" -DHEART_WIN32_MODULE="$win32_module" \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY="$([ ${#targets[@]} -gt 0 ] && echo ON || echo OFF)" >/dev/null
  cmake --build build-win64 -j"$jobs" "${targets[@]}"
fi
