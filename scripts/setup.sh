#!/usr/bin/env bash
# Set-up shared by run.sh and test.sh: installs the Debian packages the project
# needs (only those missing), builds the Release tree in build/ and prepares
# the presentation library in S57Lib/. Safe to run again: it only does what is
# not done yet.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

packages=(cmake g++ make pkg-config qtbase5-dev libgtest-dev libgmock-dev libbenchmark-dev
          gdal-bin gdal-data clang libclang-rt-14-dev xvfb xauth fonts-droid-fallback)
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
