#!/usr/bin/env bash
# Checks the includes of the product code against docs/ARCHITECTURE.md:
#  - every #include "..." goes down the layer order (the lines between
#    "```layers" and "```", lowest layer first): a folder may include headers
#    of its own and of the folders on the lines before its own; folders on
#    one line may not include each other. Headers that no product folder
#    holds (Qt, the standard library, generated files) are not checked;
#  - a block "```layers FOLDER" orders the files inside one folder the same
#    way, by stem (NAME for NAME.h and NAME.cpp): a file may include the
#    header of its own stem and those of the stems on the lines before its
#    own, and every file of the folder must stand on a line;
#  - a folder reaches another only through the public headers listed for the
#    pair (the lines "FROM -> TO: Header.h ..." between "```public" and
#    "```"): any other header of TO included by FROM breaks the rule;
#  - no folder but app includes a Qt Widgets header (<QWidget>, <QLabel>,
#    <QtWidgets/...>, any header of Qt's QtWidgets folder).
# Prints each include that breaks a rule and exits with 1 when there is any.
# Usage: scripts/check-layers.sh [ROOT]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

block() { awk -v name="$1" '$0 ~ "^```" name "$" {on=1; next} /^```/{on=0} on && NF' docs/ARCHITECTURE.md; }
mapfile -t lines < <(block layers)
[ "${#lines[@]}" -gt 0 ] || { echo "check-layers: no \`\`\`layers block in docs/ARCHITECTURE.md" >&2; exit 2; }
mapfile -t publics < <(block public)

declare -A rank    # folder -> line number of its layer
for i in "${!lines[@]}"; do
  for folder in ${lines[$i]}; do
    [ -d "$folder" ] || { echo "check-layers: no folder $folder" >&2; exit 2; }
    rank[$folder]=$i
  done
done

# The header names of Qt's Widgets module, from the installed headers.
widgets=""
for candidate in "$(pkg-config --variable=includedir Qt5Widgets 2>/dev/null || true)" /usr/include/*/qt5 /usr/include/qt5; do
  [ -n "$candidate" ] && [ -d "$candidate/QtWidgets" ] && { widgets="$candidate/QtWidgets"; break; }
done
[ -n "$widgets" ] || { echo "check-layers: Qt's QtWidgets headers not found" >&2; exit 2; }

status=0
# One awk pass: the headers each folder holds, the public headers, Qt's
# Widgets headers, then every include.
{
  for i in "${!lines[@]}"; do
    for folder in ${lines[$i]}; do
      find "$folder" -name '*.h' -printf "H $i $folder %f\n"
    done
  done
  for rule in "${publics[@]}"; do
    # "app -> chart: ChartEngine.h ChartView.h"
    from="${rule%%->*}" rest="${rule#*->}"
    to="${rest%%:*}" names="${rest#*:}"
    from="${from// /}" to="${to// /}"
    [ -n "${rank[$from]:-}" ] && [ -n "${rank[$to]:-}" ] ||
      { echo "check-layers: public rule '$rule' names a folder not in the layers" >&2; exit 2; }
    echo "R $from $to"
    for name in $names; do
      [ -f "$to/$name" ] || { echo "check-layers: public header $to/$name does not exist" >&2; exit 2; }
      echo "P $from $to $name"
    done
  done
  find "$widgets" -maxdepth 1 -printf "W %f\n"
  for folder in "${!rank[@]}"; do
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" --include='*.h' --include='*.cpp' |
      sed -E "s|^([^:]+):([0-9]+):.*\"([^\"]+)\".*|I ${rank[$folder]} $folder \1:\2 \3|" || true
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' "$folder" --include='*.h' --include='*.cpp' |
      sed -E "s|^([^:]+):([0-9]+):.*<([^>]+)>.*|Q $folder \1:\2 \3|" || true
  done
} | awk '
  $1 == "H" {
    if (($4 in home) && home[$4] != $3) { print "check-layers: " $4 " is in both " home[$4] " and " $3 > "/dev/stderr"; clash = 1 }
    home[$4] = $3; rank[$3] = $2; next
  }
  $1 == "R" { ruled[$2 " " $3] = 1; next }
  $1 == "P" { public[$2 " " $3 " " $4] = 1; next }
  $1 == "W" { widget[$2] = 1; next }
  $1 == "I" {
    n = split($5, parts, "/"); name = parts[n]
    if (!(name in home) || home[name] == $3) next
    if (rank[home[name]] >= $2) { print $4 ": " $3 " includes " $5 " of " home[name] ", which is not below it"; broken = 1 }
    else if ((($3 " " home[name]) in ruled) && !(($3 " " home[name] " " name) in public)) {
      print $4 ": " $3 " includes " $5 ", which is not one of the public headers of " home[name]; broken = 1
    }
    next
  }
  $1 == "Q" {
    if ($2 == "app") next
    n = split($4, parts, "/")
    if ((n == 1 && ($4 in widget)) || parts[1] == "QtWidgets") {
      print $3 ": " $2 " includes <" $4 ">, a Qt Widgets header (only app may)"; broken = 1
    }
  }
  END {
    if (clash) exit 2
    if (broken) exit 1
    print "check-layers: every include goes down the layer order, through the public headers, and Qt Widgets stays in app"
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
