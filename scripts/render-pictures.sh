#!/usr/bin/env bash
# Renders a fixed set of chart pictures with `enctool render` into a folder:
# US5WA22M in every colour table and both symbol styles (soundings and depth
# contours on, and the whole cell at its compilation scale), and every S-58
# test cell where loading leaves the view. Two folders made before and after
# a change that must not alter any picture compare with
#   cmp-pictures: scripts/render-pictures.sh --compare DIR1 DIR2
# Each picture is the second draw pass (REPEAT=N for another count): the
# state a window shows once procedures have run.
# Usage: scripts/render-pictures.sh OUTDIR [ENCTOOL] [LIBRARY]
#        scripts/render-pictures.sh --compare DIR1 DIR2
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ "${1:-}" = "--compare" ]; then
  [ $# -eq 3 ] || { echo "usage: $0 --compare DIR1 DIR2" >&2; exit 2; }
  differ=0
  for a in "$2"/*.png; do
    b="$3/$(basename "$a")"
    if [ ! -f "$b" ]; then echo "missing: $b"; differ=1; continue; fi
    cmp -s "$a" "$b" || { echo "differs: $(basename "$a")"; differ=1; }
  done
  [ "$differ" = 0 ] && echo "pictures: all $(ls "$2"/*.png | wc -l) identical"
  exit "$differ"
fi

out="${1:?usage: $0 OUTDIR [ENCTOOL] [LIBRARY]}"
enctool="${2:-$root/build/enctool}"
library="${3:-$root/S57Lib}"
enc="$root/../shared/enc"
[ -d "$enc" ] || { echo "render-pictures: $enc is absent" >&2; exit 1; }
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

render() {  # name, options...
  local name="$1"; shift
  "$enctool" render --library "$library" --out "$out/$name.png" --repeat "${REPEAT:-2}" "$@" >/dev/null 2>"$out/$name.log" || true
}

us="$enc/US5WA22M/US5WA22M.000"
for scheme in 1 2 3 4 5; do
  for style in simplified paper; do
    flags=(); [ "$style" = paper ] && flags=(--paper)
    render "us-$scheme-$style" "$us" --centre 47.275,-122.43 --scale 11000 --soundings --depth-contours \
      --scheme "$scheme" "${flags[@]}"
    render "us-whole-$scheme-$style" "$us" --scheme "$scheme" "${flags[@]}" --category 2
  done
done
render us-english-5m "$us" --centre 47.2715,-122.4005 --scale 9000 --english --contours 5 --soundings
for cell in "$enc"/s58/*.000; do
  n="$(basename "$cell" .000)"
  render "s58-$n" "$cell" --soundings --depth-contours --category 2
  render "s58-$n-paper" "$cell" --soundings --depth-contours --category 2 --paper
done
echo "render-pictures: $(ls "$out"/*.png | wc -l) pictures in $out"
