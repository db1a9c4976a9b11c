#!/usr/bin/env bash
# Installs the build into a fresh prefix and runs the installed heart from
# another folder: it draws with the installed module (and fails when that
# module is broken, so it is not finding the build's), honours
# HEART_PLUGIN_PATH, and the manual page and the bash completion are in place.
#   install_and_run.sh BUILD_DIR BUILT_MODULE
set -euo pipefail
build=$1
module=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
export HOME=$work/home
unset HEART_RECORD XDG_CONFIG_HOME HEART_PLUGIN_PATH

fail() { echo "install_and_run: $*" >&2; exit 1; }

"$prefix/bin/heart" run -o h.svg 2>/dev/null || fail "the installed heart did not draw"
grep -q "<path" h.svg || fail "h.svg holds no heart"

installed=$(find "$prefix" -name Norv_Heart.aip)
[ -n "$installed" ] || fail "no module installed"
cp "$installed" "$work/saved.aip"
: >"$installed"
if "$prefix/bin/heart" run -o broken.svg 2>/dev/null; then
  fail "the installed heart drew without its installed module"
fi
HEART_PLUGIN_PATH=$module "$prefix/bin/heart" run -o env.svg 2>/dev/null ||
  fail "HEART_PLUGIN_PATH was not honoured"
cp "$work/saved.aip" "$installed"

# The tree can be moved as a whole.
mv "$prefix" "$work/moved"
"$work/moved/bin/heart" filters | grep -q "Heart..." || fail "a moved install lost its module"
prefix=$work/moved

# The manual page gzipped without name or time, so the same text gives the
# same bytes; no uncompressed copy beside it.
page=$prefix/share/man/man1/heart.1.gz
[ -s "$page" ] || fail "no gzipped manual page"
[ ! -e "$prefix/share/man/man1/heart.1" ] || fail "an uncompressed manual page beside the gzipped one"
gzip -t "$page" || fail "the manual page is not a whole gzip file"
[ "$(od -An -tx1 -j3 -N5 "$page" | tr -d ' ')" = "0000000000" ] ||
  fail "the gzipped manual page keeps a file name or time"
text=$(gzip -dc "$page")
[[ $text == ".TH HEART 1 "* ]] || fail "the manual page does not start with .TH"
grep -q '^\.SH "HEART RUN"' <<<"$text" || fail "the manual page lacks run"
completion=$prefix/share/bash-completion/completions/heart
[ -s "$completion" ] || fail "no bash completion"
[ -s "$prefix/share/doc/heart/copyright" ] || fail "no licence"
words=$(PATH=$prefix/bin:$PATH bash -c "source '$completion'
  COMP_WORDS=(heart r); COMP_CWORD=1; _heart; echo \${COMPREPLY[*]}
  COMP_WORDS=(heart run --set sketchW); COMP_CWORD=3; _heart; echo \${COMPREPLY[*]}
  COMP_WORDS=(heart run --preset Sketchy); COMP_CWORD=3; _heart; echo \${COMPREPLY[*]}")
echo "$words" | grep -q "record run" || fail "verbs not completed: $words"
echo "$words" | grep -q "sketchWeight=" || fail "fields not completed: $words"
echo "$words" | grep -q 'Sketchy\\ heart\\ 1' || fail "presets not completed: $words"
echo "installed and ran"
