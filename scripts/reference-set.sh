#!/usr/bin/env bash
# Writes a fixed set of heart's outputs into a folder, so that a change meant
# to keep every behaviour can be checked with `diff -r` of the folders made
# before and after it:
#   scripts/reference-set.sh build/cli/heart /tmp/before
# The set: the README's examples, every settings entry and heart preset,
# the colour models with shadows and sketches, a 400-heart pattern as SVG
# and PNG, the record verbs, a cancelled dialog and bad input (with the
# message and exit code of each), the listings, and the module's resource
# section and exports.
set -uo pipefail
heart=$(realpath "$1")
out=$2
module=${3:-$(dirname "$heart")/../plugin/Norv_Heart.aip}
mkdir -p "$out"
out=$(realpath "$out")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$(realpath "$(dirname "$heart")/../..")
cd "$work"
export HOME="$work/home" HEART_RECORD="$work/home/stored.record"
mkdir -p "$HOME"

# One case: its name, then the command line; keeps stdout, stderr (with the
# temporary folder's name taken out) and the exit code.
case_() {
  local name=$1
  shift
  "$@" >"$out/$name.stdout" 2>"$out/$name.stderr" </dev/null
  echo $? >"$out/$name.rc"
  sed -i -e "s|$work|WORK|g" -e "s|$root|ROOT|g" -e "s|$out|OUT|g" "$out/$name.stderr" "$out/$name.stdout"
}
h() { "$heart" "$@"; }

case_ listing-filters h filters
case_ listing-about h about
case_ listing-presets h presets
case_ listing-fields h fields
case_ listing-module h module "$module"
case_ help h --help
for verb in run dialog studio record presets fields module; do case_ "help-$verb" h "$verb" --help; done

# The README's examples, in order, on a fresh home (the first two seeded).
case_ readme-1 h run --seed 11 -o "$out/readme-1.svg"
case_ readme-2 h run --seed 12 --preset "Sketchy heart 1" -o "$out/readme-2.png"
case_ readme-3 h run --no-record --set heartCount=40 --set placementMode=2 --set dropShadow=true --seed 7 -o "$out/readme-3.svg"
case_ readme-4 h run --from "$out/readme-3.svg" -o "$out/readme-4.svg"
cat >hearts.script <<'SCRIPT'
page 4
set heartCount 40
choose placementMode "Place heart anywhere in document"
page 5
check randomFill on
check dropShadow on
check randomShadowOpacity on
page 6
check basicPattern on
check randomScaling on
check randomAngle on
print
confirm
SCRIPT
case_ readme-5 h dialog --script hearts.script --no-record --seed 21 -o "$out/readme-5.svg"
cp "$HEART_RECORD" "$out/stored-after-readme.record"

for n in $(seq 0 26); do
  case_ "preset-$n" h run --no-record --seed $((100 + n)) --preset "$n" -o "$out/preset-$n.svg"
done
for n in $(seq 1 9); do
  case_ "heart-preset-$n" h run --no-record --seed $((200 + n)) --heart-preset "$n" -o "$out/heart-preset-$n.svg"
done
for model in gray rgb cmyk; do
  case_ "model-$model" h run --no-record --seed 31 --color-model "$model" --preset "Sketchy heart 2" \
    --set dropShadow=true --set randomShadowOpacity=true --set heartCount=5 --set placementMode=2 \
    --set randomFill=true -o "$out/model-$model.svg"
  case_ "model-$model-png" h run --no-record --seed 31 --color-model "$model" --preset "Color heart 2" \
    --set dropShadow=true --page 300x300 -o "$out/model-$model.png"
done
case_ paint h run --no-record --seed 5 --fill "#ff8000" --stroke cmyk:0.1,0.2,0.3,0.4 --stroke-width 3 \
  --set heartCount=3 --set placementMode=2 -o "$out/paint.svg"
case_ buttons h run --no-record --seed 9 --tumble --tweak --jitter --boost --boost -o "$out/buttons.svg"
case_ no-preview h run --no-record --seed 9 --tumble --no-preview -o "$out/no-preview.svg"
case_ random-values bash -c "printf '0.11\n0.23\n0.37\n0.41\n0.53\n0.67\n0.79\n0.83\n0.97\n' > values; \"$heart\" run --no-record --random-values values --set heartCount=4 --set placementMode=2 --set randomFill=true -o \"$out/random-values.svg\""
heaviest=(--no-record --seed 3 --set heartCount=400 --set placementMode=2 --set basicPattern=true
  --set dropShadow=true --set sketchRepeats=60 --set sketchWeight=10 --set sketchShift=10)
case_ pattern-svg h run "${heaviest[@]}" -o "$out/pattern.svg"
case_ pattern-png h run "${heaviest[@]}" -o "$out/pattern.png"
case_ stdout-svg h run --no-record --seed 4 -o -
case_ format-png h run --no-record --seed 4 --format png -o "$out/format-png.svg"

# Record verbs.
case_ record-defaults h record defaults -o "$out/defaults.record" --page-width 500 --page-height 400
case_ record-show h record show "$out/stored-after-readme.record"
case_ record-show-file h record show "$out/defaults.record" -o "$out/defaults.json"
case_ record-pack h record pack "$out/defaults.json" -o "$out/packed.record"
case_ stored-run h run --seed 8 -o "$out/stored-run.svg"
cp "$HEART_RECORD" "$out/stored-final.record"

# A cancelled dialog, a script that stops, and bad input.
printf 'page 4\nset heartCount 12\ncancel\n' >cancel.script
case_ cancelled h dialog --script cancel.script --no-record -o "$out/cancelled.svg"
printf 'page 4\nset heartCount 5000\nprint\nconfirm\n' >clamp.script
case_ script-clamp h dialog --script clamp.script --no-record --seed 2 -o "$out/script-clamp.svg"
printf 'page 2\nset nosuchfield 4\n' >bad.script
case_ script-bad h dialog --script bad.script --no-record -o "$out/script-bad.svg"
printf 'page 1\ncheck 95 on\npress Shuffle\nprint\nconfirm\nset heartCount 3\n' >after.script
case_ script-after h dialog --script after.script --no-record -o "$out/script-after.svg"
case_ bad-set h run --no-record --set heartCount=100000 -o "$out/bad-set.svg"
case_ bad-set-name h run --no-record --set nosuch=1 -o "$out/bad-set-name.svg"
case_ bad-set-nan h run --no-record --set heartHeight=nan -o "$out/bad-set-nan.svg"
case_ bad-set-index h run --no-record --set "shapeTweaks[16]=1" -o "$out/bad-set-index.svg"
case_ good-set-index h run --no-record --seed 6 --set "shapeTweaks[3]=12" -o "$out/good-set-index.svg"
case_ bad-ext h run --no-record -o "$out/bad.jpg"
case_ bad-page h run --no-record --page 0x10 -o "$out/bad-page.svg"
case_ bad-fill h run --no-record --fill rgb:2,0,0 -o "$out/bad-fill.svg"
case_ bad-preset h run --no-record --preset "No such entry" -o "$out/bad-preset.svg"
case_ bad-heart-preset h run --no-record --heart-preset 10 -o "$out/bad-heart-preset.svg"
echo 'not a record' >bad.record
case_ bad-record h run --record bad.record -o "$out/bad-record.svg"
case_ bad-record-show h record show bad.record
echo '<svg/>' >bare.svg
case_ bad-from h run --from bare.svg -o "$out/bad-from.svg"
case_ same-file h run --from "$out/readme-3.svg" -o "$out/readme-3.svg"

# The module as a file: its resource section and its exported symbols.
objcopy -O binary --only-section=.heart_resources "$module" "$out/module-resources.bin"
nm -D --defined-only "$module" | awk '{print $2, $3}' >"$out/module-exports.txt"
