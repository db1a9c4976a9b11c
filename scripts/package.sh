#!/usr/bin/env bash
# Builds the Debian package of heart from build/ (after scripts/test.sh),
# installs it, draws hearts with the installed command from another folder,
# and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/heart_*.deb | head -n 1)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO dpkg -i "$deb" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"; $SUDO dpkg -r heart >/dev/null' EXIT
(
  cd "$work"
  export HOME=$work
  unset HEART_RECORD XDG_CONFIG_HOME HEART_PLUGIN_PATH
  /usr/bin/heart run -o h.svg
  grep -q "<path" h.svg
  /usr/bin/heart filters | grep -q "Heart..."
)
# Debian's policy: manual pages gzipped, with gzip -n so the package builds
# the same bytes each time.
page=/usr/share/man/man1/heart.1.gz
test -s "$page"
test ! -e /usr/share/man/man1/heart.1
gzip -t "$page"
[ "$(od -An -tx1 -j3 -N5 "$page" | tr -d ' ')" = "0000000000" ]
grep -q '^\.SH "HEART RUN"' <<<"$(gzip -dc "$page")"
test -s /usr/share/bash-completion/completions/heart
echo "Installed $deb and drew with it"
