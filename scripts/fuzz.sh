#!/usr/bin/env bash
# Fuzzes the S-57 cell reader with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in its own build tree, build-fuzz/:
#   1. replays the seed corpus: the real cells under ../shared/enc (whole,
#      every size) and the small synthetic seeds in fuzz/corpus/;
#   2. fuzzes for FUZZ_SECONDS (default 60) from those seeds, inputs up to
#      64 KiB, into the work corpus build-fuzz/fuzz-corpus/.
# Any crash, sanitizer report, leak or time-out fails the script; the
# failing input is left in build-fuzz/fuzz-artifacts/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build=build-fuzz
seconds="${FUZZ_SECONDS:-60}"
# FUZZ_SECONDS is shared: the cell reader, the update application and the
# exchange set catalogue reader each fuzz for a third of it.
seconds=$(( seconds / 3 > 0 ? seconds / 3 : 1 ))
jobs="$(nproc 2>/dev/null || echo 2)"
[ "$jobs" -gt 2 ] && jobs=2

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCHART_BUILD_FUZZ=ON -DCHART_BUILD_TESTS=OFF -DCHART_BUILD_BENCH=OFF -DCHART_BUILD_APP=OFF \
  >/dev/null
cmake --build "$build" -j "$jobs" --target chartdata_fuzzer
fuzzer="$build/fuzz/chartdata_fuzzer"

enc="$root/../shared/enc"
seeds=()
if [ -d "$enc" ]; then
  mapfile -t seeds < <(find "$enc" -type f -name '*.[0-9][0-9][0-9]' | sort)
else
  echo "fuzz: $enc is absent; seeding from fuzz/corpus only"
fi
seeds+=(fuzz/corpus/*)

artifacts="$build/fuzz-artifacts/"
work="$build/fuzz-corpus"
mkdir -p "$artifacts" "$work"

echo "== fuzz: replaying ${#seeds[@]} seed inputs"
"$fuzzer" -artifact_prefix="$artifacts" -rss_limit_mb=4096 "${seeds[@]}" >"$build/fuzz-replay.log" 2>&1 ||
  { tail -n 40 "$build/fuzz-replay.log"; echo "fuzz: replay failed"; exit 1; }

echo "== fuzz: ${seconds} s of fresh fuzzing"
seed_dirs=(fuzz/corpus)
[ -d "$enc" ] && seed_dirs+=("$enc")
"$fuzzer" -artifact_prefix="$artifacts" -max_total_time="$seconds" -max_len=65536 \
  -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
  "$work" "${seed_dirs[@]}" >"$build/fuzz-run.log" 2>&1 ||
  { tail -n 60 "$build/fuzz-run.log"; echo "fuzz: fuzzing found a failure"; exit 1; }
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|DONE' "$build/fuzz-run.log" || true

# The update application (a base cell plus fuzzed update bytes, seeded with
# the shared cells' update files) and the catalogue reader (seeded with the
# shared exchange sets' CATALOG.031), each replayed, then fuzzed for its share.
cmake --build "$build" -j "$jobs" --target update_fuzzer catalogue_fuzzer
for target in update catalogue; do
  fuzzer="$build/fuzz/${target}_fuzzer"
  seeds=("fuzz/$target-corpus"/*)
  if [ -d "$enc" ]; then
    if [ "$target" = update ]; then
      mapfile -t -O "${#seeds[@]}" seeds < <(find "$enc" -type f -name '*.[0-9][0-9][0-9]' ! -name '*.000' ! -name 'CATALOG.031' | sort)
    else
      mapfile -t -O "${#seeds[@]}" seeds < <(find "$enc" -type f -name 'CATALOG.031' | sort)
    fi
  fi
  work="$build/fuzz-corpus-$target"
  mkdir -p "$work"
  for i in "${!seeds[@]}"; do cp -f "${seeds[$i]}" "$work/seed-$i-$(basename "${seeds[$i]}")"; done
  echo "== fuzz $target: replaying ${#seeds[@]} seed inputs, then ${seconds} s"
  "$fuzzer" -artifact_prefix="$artifacts" -rss_limit_mb=4096 "${seeds[@]}" >"$build/fuzz-$target-replay.log" 2>&1 ||
    { tail -n 40 "$build/fuzz-$target-replay.log"; echo "fuzz: $target replay failed"; exit 1; }
  "$fuzzer" -artifact_prefix="$artifacts" -max_total_time="$seconds" -max_len=65536 \
    -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    "$work" >"$build/fuzz-$target-run.log" 2>&1 ||
    { tail -n 60 "$build/fuzz-$target-run.log"; echo "fuzz: $target fuzzing found a failure"; exit 1; }
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|DONE' "$build/fuzz-$target-run.log" || true
done
echo "fuzz: no failure"
