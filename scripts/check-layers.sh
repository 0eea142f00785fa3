#!/usr/bin/env bash
# Checks that every #include "..." of the product code goes down the layer
# order written in docs/ARCHITECTURE.md (the lines between "```layers" and
# "```", lowest layer first): a folder may include headers of its own and of
# the folders on the lines before its own; folders on one line may not
# include each other. Headers that no product folder holds (Qt, the standard
# library, generated files) are not checked.
# A block "```layers FOLDER" orders the files inside one folder the same
# way, by stem (NAME for NAME.h and NAME.cpp): a file may include the header
# of its own stem and those of the stems on the lines before its own, and
# every file of the folder must stand on a line.
# Prints each include that breaks an order and exits with 1 when there is any.
# Usage: scripts/check-layers.sh [ROOT]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

mapfile -t lines < <(awk '/^```layers$/{on=1; next} /^```/{on=0} on && NF' docs/ARCHITECTURE.md)
[ "${#lines[@]}" -gt 0 ] || { echo "check-layers: no \`\`\`layers block in docs/ARCHITECTURE.md" >&2; exit 2; }

declare -A rank    # folder -> line number of its layer
for i in "${!lines[@]}"; do
  for folder in ${lines[$i]}; do
    [ -d "$folder" ] || { echo "check-layers: no folder $folder" >&2; exit 2; }
    rank[$folder]=$i
  done
done

status=0
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
  }' || status=$?

# The files inside a folder.
for folder in $(awk '/^```layers [^ ]+$/{print $2}' docs/ARCHITECTURE.md); do
  [ -d "$folder" ] || { echo "check-layers: no folder $folder" >&2; exit 2; }
  mapfile -t stems < <(awk -v block="\`\`\`layers $folder" '$0 == block {on=1; next} /^```/{on=0} on && NF' docs/ARCHITECTURE.md)
  {
    for i in "${!stems[@]}"; do
      for stem in ${stems[$i]}; do echo "S $i $stem"; done
    done
    find "$folder" -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \) -printf 'F %f\n'
    grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder"/*.h "$folder"/*.cpp |
      sed -E 's|^([^:]+):([0-9]+):.*"([^"]+)".*|I \1:\2 \3|' || true
  } | awk -v folder="$folder" '
    function stemOf(file) { sub(/.*\//, "", file); sub(/\.(h|cpp)$/, "", file); return file }
    $1 == "S" { rank[$3] = $2; next }
    $1 == "F" {
      held[$2] = 1
      if (!(stemOf($2) in rank)) { print "check-layers: " folder "/" $2 " stands on no line of the layers of " folder; broken = 1 }
      next
    }
    $1 == "I" {
      n = split($3, parts, "/"); name = parts[n]
      if (!(name in held)) next
      split($2, at, ":"); from = stemOf(at[1]); to = stemOf(name)
      if (from == to || !(from in rank) || !(to in rank)) next
      if (rank[to] >= rank[from]) { print $2 ": " from " includes " $3 ", which is not below it in " folder; broken = 1 }
    }
    END {
      if (broken) exit 1
      print "check-layers: every include inside " folder " goes down its layers"
    }' || { [ "$status" = 2 ] || status=1; }
done
exit "$status"
