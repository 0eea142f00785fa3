#!/usr/bin/env bash
# Times `enctool tiles` over a cell at zooms 12 to 16 (US5WA22M by default)
# with --jobs 1 and --jobs 2, alternating the two so both see the same
# machine load, and prints for each the median tiles per second of wall
# time, tiles per CPU second (user + system: tiles per second per core), and
# the speed-up of two threads over one. Then checks that --part 1/2 plus
# --part 2/2 give exactly the tiles of the whole set.
#
# usage: bench/tiles_throughput.sh [CELL] [RUNS] [ZOOMS]   (from the repository root)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cell="${1:-$root/../shared/enc/US5WA22M/US5WA22M.000}"
runs="${2:-3}"
zooms="${3:-12-16}"
enctool="${ENCTOOL:-$root/build/enctool}"
library="${LIBRARY:-$root/S57Lib}"

[ -x "$enctool" ] || { echo "no enctool at $enctool (build first, or set ENCTOOL)" >&2; exit 1; }
[ -f "$cell" ] || { echo "no cell at $cell" >&2; exit 1; }
[ -d "$library" ] || { echo "no library at $library (scripts/setup.sh)" >&2; exit 1; }
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# One run: prints "tiles wall_seconds cpu_seconds" (the tile phase's wall
# time from enctool's JSON line; CPU time of the whole process).
run() {
  local jobs="$1" out="$scratch/run" json times
  rm -rf "$out"
  times=$( { TIMEFORMAT='%U %S'; time "$enctool" tiles --library "$library" "$cell" --zoom "$zooms" \
             --out "$out" --jobs "$jobs" >"$scratch/json" 2>/dev/null; } 2>&1 )
  json=$(tail -n 1 "$scratch/json")
  local tiles seconds load
  tiles=$(sed -E 's/.*"tiles":([0-9]+).*/\1/' <<<"$json")
  seconds=$(sed -E 's/.*"seconds":([0-9.e+-]+).*/\1/' <<<"$json")
  load=$(sed -E 's/.*"load_seconds":([0-9.e+-]+).*/\1/' <<<"$json")
  # The CPU time of loading the cell is taken off (it is single-threaded and
  # the same in every run); what is left is the tile phase's.
  awk -v t="$tiles" -v s="$seconds" -v l="$load" -v c="$times" \
    'BEGIN { split(c, u, " "); printf "%d %.4f %.4f\n", t, s, u[1] + u[2] - l }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

"$enctool" tiles --library "$library" "$cell" --zoom "$zooms" --out "$scratch/warm" >/dev/null 2>&1  # warm-up
one_rate=() one_cpu=() two_rate=() two_cpu=()
for ((i = 0; i < runs; i++)); do
  read -r tiles wall cpu < <(run 1)
  one_rate+=("$(awk -v t="$tiles" -v s="$wall" 'BEGIN { print t / s }')")
  one_cpu+=("$(awk -v t="$tiles" -v c="$cpu" 'BEGIN { print t / c }')")
  read -r tiles wall cpu < <(run 2)
  two_rate+=("$(awk -v t="$tiles" -v s="$wall" 'BEGIN { print t / s }')")
  two_cpu+=("$(awk -v t="$tiles" -v c="$cpu" 'BEGIN { print t / c }')")
done
r1=$(printf '%s\n' "${one_rate[@]}" | median)
c1=$(printf '%s\n' "${one_cpu[@]}" | median)
r2=$(printf '%s\n' "${two_rate[@]}" | median)
c2=$(printf '%s\n' "${two_cpu[@]}" | median)
printf 'cell: %s, zooms %s, %d tiles, %d runs each, %s cores\n' "$(basename "$cell")" "$zooms" "$tiles" "$runs" "$(nproc)"
printf -- '--jobs 1: %7.1f tiles/s (wall), %7.1f tiles per CPU second\n' "$r1" "$c1"
printf -- '--jobs 2: %7.1f tiles/s (wall), %7.1f tiles per CPU second\n' "$r2" "$c2"
printf 'speed-up of --jobs 2 over --jobs 1: %.2f (goal: 1.8)\n' "$(awk -v a="$r2" -v b="$r1" 'BEGIN { print a / b }')"

# The parts of the set against the whole.
"$enctool" tiles --library "$library" "$cell" --zoom "$zooms" --out "$scratch/whole" >/dev/null 2>&1
for part in 1 2; do
  "$enctool" tiles --library "$library" "$cell" --zoom "$zooms" --part "$part/2" --out "$scratch/parts" \
    >/dev/null 2>&1
done
if diff -r -q "$scratch/whole" "$scratch/parts" >/dev/null; then
  echo "--part 1/2 plus --part 2/2: the same $(find "$scratch/whole" -name '*.png' | wc -l) tiles as the whole set"
else
  echo "--part 1/2 plus --part 2/2 differ from the whole set" >&2
  exit 1
fi
