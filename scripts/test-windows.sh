#!/usr/bin/env bash
# Builds the Windows modules, heart.exe and the tests (scripts/build-windows.sh),
# runs the test programs under wine64 loading the real x86-64 DLL, draws with
# heart.exe, and packs the zip for Windows users (build-win64/Heart-*-windows.zip).
# heart.exe has no PNG output and no studio (no cairo for this target).
# Left out under wine, and why:
#   test_cli        starts heart as a child program with POSIX calls;
#   test_resources, test_shell
#                   edit or inspect the module as an ELF file (nm, the ELF
#                   resource section), which the Windows module is not;
#   test_windows_modules  reads the DLLs a native build makes beside itself.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
wine=${WINE64:-/usr/lib/wine/wine64}
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$PWD/build-win64/wineprefix}
status=0
for name in dialog_manager document generator host params dialog; do
  echo "== test_$name.exe (wine64)"
  "$wine" "build-win64/tests/test_$name.exe" --gtest_brief=1 || status=1
done
echo "== heart.exe run and dialog (wine64)"
out=$(mktemp -d)
if "$wine" build-win64/cli/heart.exe run --no-record --seed 7 --set heartCount=12 -o "$out/run.svg" &&
  printf 'set heartCount 5\nconfirm\n' >"$out/script.txt" &&
  "$wine" build-win64/cli/heart.exe dialog --no-record --seed 7 --script "$out/script.txt" \
    -o "$out/dialog.svg" &&
  grep -q '<svg' "$out/run.svg" && grep -q '<svg' "$out/dialog.svg"; then
  echo "heart.exe drew $out/run.svg and $out/dialog.svg"
else
  status=1
fi
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
(cd build-win64 && cpack -G ZIP >/dev/null && ls Heart-*-windows.zip)
exit $status
