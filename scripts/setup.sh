#!/usr/bin/env bash
# Set-up shared by run.sh and test.sh. Usage: scripts/setup.sh [run|test]
#   run  (the default) installs what running needs (Qt, gdal-data, the font,
#        npm for the library source) and builds chartdisplay and enctool;
#   test adds the test toolchain (GoogleTest, Google Benchmark, clang with
#        its sanitizer runtime, Xvfb, GDAL's tools, sqlite3) and builds every
#        test and benchmark.
# Both install only the Debian packages that are missing, build the Release
# tree in build/, prepare the presentation library in S57Lib/ and the world
# base map worldland.bin, put the demo cell into s57000/ when that folder is
# missing or holds no cell, and the window icon logo.png next to them. Safe to
# run again: it only does what is not done yet.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mode="${1:-run}"
case "$mode" in
  run | test) ;;
  *) echo "usage: scripts/setup.sh [run|test]" >&2; exit 2 ;;
esac

# libssl-dev, nettle-dev and libzip-dev: the certificates and signatures,
# Blowfish, and the in-memory unzipping of encrypted charts (protection/).
packages=(cmake g++ make pkg-config qtbase5-dev libqt5sql5-sqlite zlib1g-dev gdal-data fonts-droid-fallback
          qttranslations5-l10n libssl-dev nettle-dev libzip-dev)
command -v npm >/dev/null 2>&1 || packages+=(npm)
# clang and its sanitizer and fuzzer runtime come as a pair of one version.
[ "$mode" = test ] && packages+=(libgtest-dev libgmock-dev libbenchmark-dev gdal-bin sqlite3 clang-14
                                 libclang-rt-14-dev xvfb xauth)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

jobs="$(nproc 2>/dev/null || echo 2)"
if [ "$mode" = test ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCHART_BUILD_TESTS=ON -DCHART_BUILD_BENCH=ON >/dev/null
  cmake --build build -j "$jobs"
else
  # A tree that test.sh configured keeps its tests; a fresh one gets none.
  [ -f build/CMakeCache.txt ] ||
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCHART_BUILD_TESTS=OFF -DCHART_BUILD_BENCH=OFF >/dev/null
  cmake -S . -B build >/dev/null
  cmake --build build -j "$jobs" --target chartdisplay enctool
fi
scripts/build-library.sh
scripts/build-basemap.sh
# The window opens on s57000/ (cells at any depth): a first start shows the
# demo harbour.
if [ -z "$(find s57000 -name '*.000' -print -quit 2>/dev/null)" ]; then
  mkdir -p s57000
  build/enctool demo --out s57000 >/dev/null
  echo "setup: wrote the demo cell into s57000/"
fi
cmp -s build/logo.png logo.png || cp build/logo.png logo.png
