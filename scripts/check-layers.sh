#!/usr/bin/env bash
# Checks that every #include "..." of the product code goes down the layer
# order written in docs/ARCHITECTURE.md (the lines between "```layers" and
# "```", lowest layer first): a folder may include headers of its own and of
# the folders on the lines before its own; folders on one line may not
# include each other. Headers that no product folder holds (Qt, the standard
# library, generated files) are not checked. Prints each include that breaks
# the order and exits with 1 when there is any.
# Usage: scripts/check-layers.sh [ROOT]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

mapfile -t lines < <(awk '/^```layers/{on=1; next} /^```/{on=0} on && NF' docs/ARCHITECTURE.md)
[ "${#lines[@]}" -gt 0 ] || { echo "check-layers: no \`\`\`layers block in docs/ARCHITECTURE.md" >&2; exit 2; }

declare -A rank    # folder -> line number of its layer
for i in "${!lines[@]}"; do
  for folder in ${lines[$i]}; do
    [ -d "$folder" ] || { echo "check-layers: no folder $folder" >&2; exit 2; }
    rank[$folder]=$i
  done
done

# One awk pass: the headers each folder holds, then every include.
{
  for i in "${!lines[@]}"; do
    for folder in ${lines[$i]}; do
      find "$folder" -name '*.h' -printf "H $i $folder %f\n"
    done
  done
  for folder in "${!rank[@]}"; do
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" --include='*.h' --include='*.cpp' |
      sed -E "s|^([^:]+):([0-9]+):.*\"([^\"]+)\".*|I ${rank[$folder]} $folder \1:\2 \3|" || true
  done
} | awk '
  $1 == "H" {
    if (($4 in home) && home[$4] != $3) { print "check-layers: " $4 " is in both " home[$4] " and " $3 > "/dev/stderr"; clash = 1 }
    home[$4] = $3; rank[$3] = $2; next
  }
  $1 == "I" {
    n = split($5, parts, "/"); name = parts[n]
    if (!(name in home) || home[name] == $3) next
    if (rank[home[name]] >= $2) { print $4 ": " $3 " includes " $5 " of " home[name] ", which is not below it"; broken = 1 }
  }
  END {
    if (clash) exit 2
    if (broken) exit 1
    print "check-layers: every include goes down the layer order"
  }'
