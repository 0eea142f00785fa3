#!/usr/bin/env bash
# Times `enctool info CELL` against `ogrinfo -ro -al -so CELL` as whole
# processes, alternating the two so both see the same machine load, and
# prints the median of each and their ratio. enctool should take at most
# a quarter of ogrinfo's time on a large cell.
#
# usage: bench/enctool_vs_ogrinfo.sh [CELL] [RUNS]   (from the repository root)
# A large cell to try it on: build/bench/write_large_cell /tmp/XX4LARGE.000
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cell="${1:-$root/../shared/enc/US5WA22M/US5WA22M.000}"
runs="${2:-21}"
enctool="${ENCTOOL:-$root/build/enctool}"

command -v ogrinfo >/dev/null || { echo "ogrinfo not installed (Debian package gdal-bin)" >&2; exit 1; }
[ -x "$enctool" ] || { echo "no enctool at $enctool (build first, or set ENCTOOL)" >&2; exit 1; }
[ -f "$cell" ] || { echo "no cell at $cell" >&2; exit 1; }

# Milliseconds (with fractions) that one run of the command takes.
elapsed_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", (e - s) / 1e6 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One warm-up run each: the cell and the programs in the page cache.
"$enctool" info "$cell" >/dev/null
ogrinfo -ro -al -so "$cell" >/dev/null 2>&1

enctool_times=() ogrinfo_times=()
for ((i = 0; i < runs; i++)); do
  enctool_times+=("$(elapsed_ms "$enctool" info "$cell")")
  ogrinfo_times+=("$(elapsed_ms ogrinfo -ro -al -so "$cell")")
done

enctool_ms=$(printf '%s\n' "${enctool_times[@]}" | median)
ogrinfo_ms=$(printf '%s\n' "${ogrinfo_times[@]}" | median)
ratio=$(awk -v a="$enctool_ms" -v b="$ogrinfo_ms" 'BEGIN { printf "%.2f", a / b }')
printf 'cell: %s (%s bytes), %d runs each\n' "$cell" "$(stat -c %s "$cell")" "$runs"
printf 'enctool info:          median %7.1f ms\n' "$enctool_ms"
printf 'ogrinfo -ro -al -so:   median %7.1f ms\n' "$ogrinfo_ms"
printf 'ratio enctool/ogrinfo: %s (goal: at most 0.25)\n' "$ratio"
