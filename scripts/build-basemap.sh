#!/usr/bin/env bash
# Prepares the world base map file worldland.bin (next to S57Lib/) from
# Natural Earth land, public domain: land-110m.json and land-50m.json of the
# npm package world-atlas (pinned version, each checked by SHA-256, cached
# in build/sources/ so a second run fetches nothing), converted by
# `build/enctool basemap` when the file is missing or older than the tool or
# a source. Safe to run again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

package="world-atlas@2.0.2"
folder="package"
cache="build/sources"
# Each cached file: name, SHA-256.
files=(
  "land-110m.json ead5f68119c49a9250902e7da303bcb209341bbb8fefe7369a439b48b704658a"
  "land-50m.json 619477ff690c086885e45cb91707d783805561bd75ae8e437b7d4694b0204e0f"
)
enctool="build/enctool"
out="worldland.bin"
# The 1:110m land serves views of scale 20000000 and above, 1:50m the rest.
coarseFrom=20000000

fail() { echo "build-basemap: $*" >&2; exit 1; }
checksum() { sha256sum "$1" | cut -d' ' -f1; }

missing=()
for entry in "${files[@]}"; do
  read -r name sha256 <<<"$entry"
  if [ -f "$cache/$name" ] && [ "$(checksum "$cache/$name")" != "$sha256" ]; then
    echo "build-basemap: cached $cache/$name does not match its checksum; fetching it again" >&2
    rm -f "$cache/$name"
  fi
  [ -f "$cache/$name" ] || missing+=("$entry")
done

if [ "${#missing[@]}" -gt 0 ]; then
  command -v npm >/dev/null 2>&1 || fail "npm is needed to fetch $package"
  tmp="$(mktemp -d)"
  trap 'rm -rf "$tmp"' EXIT
  echo "build-basemap: fetching ${missing[*]%% *} from $package"
  (cd "$tmp" && npm pack --silent "$package" >/dev/null) || fail "npm pack $package failed"
  tarball="$(find "$tmp" -maxdepth 1 -name '*.tgz' | head -n 1)"
  [ -n "$tarball" ] || fail "npm pack $package left no tarball"
  mkdir -p "$cache"
  for entry in "${missing[@]}"; do
    read -r name sha256 <<<"$entry"
    tar -xzf "$tarball" -C "$tmp" "$folder/$name" || fail "$folder/$name is not in $package"
    got="$(checksum "$tmp/$folder/$name")"
    [ "$got" = "$sha256" ] || fail "checksum mismatch for $folder/$name of $package: expected $sha256, got $got"
    mv "$tmp/$folder/$name" "$cache/$name"
    touch "$cache/$name"  # the fetch time, not the archive's, so that the map counts as older
  done
fi

[ -x "$enctool" ] || fail "$enctool is not built yet"
stale=0
[ -f "$out" ] || stale=1
for source in "$enctool" "$cache/land-110m.json" "$cache/land-50m.json"; do
  [ "$stale" = 1 ] || [ ! "$source" -nt "$out" ] || stale=1
done
if [ "$stale" = 1 ]; then
  "$enctool" basemap --level "$cache/land-110m.json" "$coarseFrom" --level "$cache/land-50m.json" 0 --out "$out"
else
  echo "build-basemap: $out is up to date"
fi
