#!/bin/sh
# Holds heart's SVG against Inkscape itself (Debian's inkscape, run headless):
# a drawing heart writes, on a blank page and into an opened Inkscape
# template, shows its layers in Inkscape, and Inkscape's picture of it is
# heart's own PNG of the same run, pixel for pixel within a small fuzz.
# Run by hand after `apt-get install inkscape imagemagick`; CI does not
# install Inkscape (its packages cost more minutes than this check is worth).
#   scripts/check-inkscape.sh [build/cli/heart]
set -eu
heart=$(realpath "${1:-build/cli/heart}")
here=$(mktemp -d)
trap 'rm -rf "$here"' EXIT
cd "$here"
fail=0

layersOf() {
  inkscape "$1" --actions="select-all:layers;select-list" 2>/dev/null | cut -d' ' -f1 | tr '\n' ' '
}
expectLayers() {
  got=$(layersOf "$1")
  if [ "$got" = "$2" ]; then echo "ok   $1: layers $got"; else
    echo "FAIL $1: Inkscape sees layers '$got', expected '$2'"; fail=1; fi
}

run="--no-record --seed 11 --set heartCount=40 --set placementMode=2 --set randomFill=1
     --set randomAngle=1 --set dropShadow=1 --set newLayer=1"
# shellcheck disable=SC2086
"$heart" run $run -o blank.svg
# shellcheck disable=SC2086
"$heart" run $run -o blank.png
expectLayers blank.svg "layer-1 layer-2 "

inkscape blank.svg --export-type=png --export-dpi=72 --export-background=white \
  --export-filename=inkscape.png 2>/dev/null
differing=$(compare -metric AE -fuzz 8% inkscape.png blank.png diff.png 2>&1 || true)
total=$((612 * 792))
if [ "$differing" -le $((total / 200)) ]; then
  echo "ok   Inkscape's picture differs from heart's PNG in $differing of $total pixels"
else
  echo "FAIL Inkscape's picture differs from heart's PNG in $differing of $total pixels"; fail=1
fi

template=/usr/share/inkscape/templates/default.svg
"$heart" run --no-record --open "$template" --set newLayer=1 -o template.svg
expectLayers template.svg "layer1 layer-hearts "
exit $fail
