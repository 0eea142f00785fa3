#!/usr/bin/env bash
# Runs the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in their own build tree, build-fuzz/. For each
# target listed below:
#   1. replays its seed corpus: real files (the cells under ../shared/enc,
#      the generated library files in S57Lib/) and small synthetic seeds;
#   2. fuzzes for its share of FUZZ_SECONDS (default 60, split evenly among
#      the targets, at least 1 s each) from those seeds, inputs up to 64 KiB,
#      into its work corpus build-fuzz/fuzz-corpus/TARGET/.
# Any crash, sanitizer report, leak or time-out fails the script; the
# failing input is left in build-fuzz/fuzz-artifacts/TARGET/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build=build-fuzz
seconds="${FUZZ_SECONDS:-60}"
jobs="$(nproc 2>/dev/null || echo 2)"
[ "$jobs" -gt 2 ] && jobs=2
enc="../shared/enc"
# The IHO's encrypted test data: its signature files (and encrypted cells)
# are named like cell files.
s63="../shared/iho/s63"
library="S57Lib"

# One target per line: its name, then its seeds (files or folders, relative
# to the project root; a folder gives its files named like cell files,
# *.000 to *.999, and route files, *.rtz and *.gpx). Seeds that do not
# exist are left out. A target that needs the library names S57Lib among
# its seeds.
targets=(
  "chartdata_fuzzer $enc fuzz/corpus"
  "celldraw_fuzzer $enc fuzz/corpus $library"
  "library_colours_fuzzer $library/S57Colours"
  "library_lookup_fuzzer $library/S57LookupTable"
  "library_patterns_fuzzer $library/S57Patterns"
  "library_symbols_fuzzer $library/S57Symbols"
  "library_linestyles_fuzzer $library/S57ComplexLineStyles"
  "library_objectclasses_fuzzer $library/S57ObjectClasses"
  "library_attributes_fuzzer $library/S57Attributes"
  "library_attributevalues_fuzzer $library/S57AttributeValues"
  "library_chinesenames_fuzzer $library/S57ChineseNames"
  "update_fuzzer fuzz/update-corpus $enc"
  "catalogue_fuzzer fuzz/catalogue-corpus $enc/exchange"
  "store_index_fuzzer fuzz/store-corpus/index fuzz/store-corpus/permits"
  "permit_fuzzer fuzz/protection-corpus/PERMIT.TXT"
  "signature_fuzzer fuzz/protection-corpus/signature.sig $s63"
  "decryption_fuzzer fuzz/protection-corpus/cell.zip"
  "route_fuzzer fuzz/route-corpus"
)

names=()
for entry in "${targets[@]}"; do
  read -r name _ <<<"$entry"
  names+=("$name")
done
share=$((seconds / ${#targets[@]}))
[ "$share" -ge 1 ] || share=1

CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCHART_BUILD_FUZZ=ON -DCHART_BUILD_TESTS=OFF -DCHART_BUILD_BENCH=OFF -DCHART_BUILD_APP=OFF \
  >/dev/null
cmake --build "$build" -j "$jobs" --target "${names[@]}"

[ -d "$enc" ] || echo "fuzz: $enc is absent; cell targets seed from fuzz/corpus only"
# Qt's offscreen platform keeps its screen until exit; nothing of ours is
# suppressed (tests/sanitizer/lsan.supp).
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

for entry in "${targets[@]}"; do
  read -r name seedList <<<"$entry"
  fuzzer="$build/fuzz/$name"
  artifacts="$build/fuzz-artifacts/$name/"
  work="$build/fuzz-corpus/$name"
  mkdir -p "$artifacts" "$work"

  seeds=()
  seedDirs=()
  needsLibrary=0
  for seed in $seedList; do
    if [ "$seed" = "$library" ]; then
      needsLibrary=1
    elif [ -d "$seed" ]; then
      mapfile -t -O "${#seeds[@]}" seeds < <(find "$seed" -type f \( -name '*.[0-9][0-9][0-9]' -o -name '*.rtz' -o -name '*.gpx' \) | sort)
      seedDirs+=("$seed")
    elif [ -f "$seed" ]; then
      seeds+=("$seed")
      cp -f "$seed" "$work/"  # fuzzing reads its seeds from folders
    fi
  done
  if [ "$needsLibrary" = 1 ] && [ ! -f "$library/S57Colours" ]; then
    echo "== fuzz: $name skipped: $library is absent (run scripts/setup.sh)"
    continue
  fi

  echo "== fuzz: $name: replaying ${#seeds[@]} seed inputs, then ${share} s of fresh fuzzing"
  if [ "${#seeds[@]}" -gt 0 ]; then
    "$fuzzer" -artifact_prefix="$artifacts" -rss_limit_mb=4096 "${seeds[@]}" >"$build/fuzz-replay-$name.log" 2>&1 ||
      { tail -n 40 "$build/fuzz-replay-$name.log"; echo "fuzz: $name: replay failed"; exit 1; }
  fi
  "$fuzzer" -artifact_prefix="$artifacts" -max_total_time="$share" -max_len=65536 \
    -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    "$work" "${seedDirs[@]}" >"$build/fuzz-run-$name.log" 2>&1 ||
    { tail -n 60 "$build/fuzz-run-$name.log"; echo "fuzz: $name: fuzzing found a failure"; exit 1; }
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz-run-$name.log" || true
done
echo "fuzz: no failure"
