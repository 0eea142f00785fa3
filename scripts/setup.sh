#!/usr/bin/env bash
# Set-up shared by run.sh and test.sh: installs the Debian packages the project
# needs (only those missing), builds the Release tree in build/, prepares the
# presentation library in S57Lib/ and the world base map worldland.bin, puts
# the demo cell into s57000/ when that folder is missing or holds no cell,
# and the window icon logo.png next to them. Safe to run again: it only does what is not done yet.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

packages=(cmake g++ make pkg-config qtbase5-dev libqt5sql5-sqlite zlib1g-dev libgtest-dev libgmock-dev
          libbenchmark-dev gdal-bin gdal-data sqlite3 clang libclang-rt-14-dev xvfb xauth fonts-droid-fallback
          qttranslations5-l10n)
command -v npm >/dev/null 2>&1 || packages+=(npm)

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
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"
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
