#!/usr/bin/env bash
# Installs the Debian 12 packages that Heart builds, tests and renders with.
# With --heart, only those that `heart` and the plug-in module need to build
# and run (the quick start); without, everything the tests, the cross builds
# and CI use as well.
set -euo pipefail
heart_packages=(
  build-essential cmake pkg-config
  libcli11-dev nlohmann-json3-dev
  librsvg2-dev libcairo2-dev libpng-dev
  libxml2-dev zlib1g-dev
  libcpp-httplib-dev
)
packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  librsvg2-dev librsvg2-bin libcairo2-dev libpng-dev
  # Opening a designer's drawing: libxml2, and zlib for .svgz.
  libxml2-dev zlib1g-dev
  libxml2-utils w3c-sgml-lib
  # PDF output is checked with poppler's own readers (pdfinfo, pdftocairo, pdfimages).
  poppler-utils
  binutils clang-format
  # The Windows modules (mingw-w64 compilers and windres), and a 32-bit ELF
  # module for the resource reader's tests (g++-multilib).
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  g++-multilib
  # The 32-bit test run (scripts/test-32bit.sh) under emulation.
  qemu-user
  # The Windows run (scripts/test-windows.sh): heart.exe and its tests under wine.
  wine64
  # CPack, for the Debian package of heart.
  file
  # The fuzz targets (clang with libFuzzer and the sanitizer run-times).
  clang libclang-rt-14-dev
  # Heart Studio's web server, and its end-to-end tests in headless Chromium.
  libcpp-httplib-dev chromium chromium-driver python3-selenium
)
if [ "${1:-}" = "--heart" ]; then
  packages=("${heart_packages[@]}")
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
