#!/usr/bin/env bash
# Builds the Windows modules, heart.exe and the tests (scripts/build-windows.sh),
# runs the test programs under wine64 loading the real x86-64 DLL, draws with
# heart.exe, and packs the zip for Windows users (build-win64/Heart-*-windows.zip).
# heart.exe has no PNG output and no studio (no cairo for this target).
# Left out under wine: test_windows_modules, which reads the DLLs a native
# build makes beside itself.
# The resource and shell tests that edit or inspect the module as an ELF file
# skip themselves here; test_windows_modules checks the same of a PE module.
# Only what runs here is built. --win32-module FILE ships that 32-bit module
# in the zip instead of building one (scripts/build-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tests=(dialog_manager document generator host params dialog resources shell cli)
targets=(--target heart --target Norv_Heart)
for name in "${tests[@]}"; do targets+=(--target "test_$name"); done
scripts/build-windows.sh "$@" "${targets[@]}"
wine=${WINE64:-/usr/lib/wine/wine64}
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$PWD/build-win64/wineprefix}
status=0
for name in "${tests[@]}"; do
  echo "== test_$name.exe (wine64)"
  "$wine" "build-win64/tests/test_$name.exe" --gtest_brief=1 || status=1
done
echo "== heart.exe run and dialog (wine64)"
# Both drawings must be byte for byte what this machine's own heart draws
# from the same record, seed and script, when that build is at hand.
out=$(mktemp -d)
printf 'page 4\nset heartCount 5\npage 5\ncheck dropShadow on\nconfirm\n' >"$out/script.txt"
windows_heart() { "$wine" build-win64/cli/heart.exe "$@"; }
draw() {
  "$1" run --no-record --seed 7 --set heartCount=12 --set placementMode=2 -o "$2/run.svg" &&
    "$1" dialog --no-record --seed 7 --script "$out/script.txt" -o "$2/dialog.svg"
}
mkdir "$out/windows" "$out/native"
if draw windows_heart "$out/windows" >/dev/null &&
  grep -q '<svg' "$out/windows/run.svg" && grep -q '<svg' "$out/windows/dialog.svg"; then
  echo "heart.exe drew $out/windows/run.svg and dialog.svg"
  if [ -x build/cli/heart ]; then
    if draw build/cli/heart "$out/native" >/dev/null && diff -r -q "$out/native" "$out/windows"; then
      echo "the same bytes as build/cli/heart's drawings"
    else
      echo "heart.exe's drawings differ from build/cli/heart's" >&2
      status=1
    fi
  fi
else
  echo "heart.exe failed to draw" >&2
  status=1
fi
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
(cd build-win64 && cpack -G ZIP >/dev/null && ls Heart-*-windows.zip)
exit $status
