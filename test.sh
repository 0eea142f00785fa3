#!/usr/bin/env bash
# Sets the project up as run.sh does, then runs every test: the Release test
# suite, the suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# the cell list concurrency test and the two-views drawing test under
# ThreadSanitizer, and the fuzz targets
# (seed corpus replay plus a short fresh run).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/setup.sh test
jobs="$(nproc 2>/dev/null || echo 2)"

echo "== Release test suite"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS=-O1 -DCHART_SANITIZE=address,undefined \
      -DCHART_BUILD_BENCH=OFF -DCHART_BUILD_APP=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Loading while drawing, two views drawing at once, and a route checked while drawing, under ThreadSanitizer"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS=-O1 -DCHART_SANITIZE=thread \
      -DCHART_BUILD_BENCH=OFF -DCHART_BUILD_APP=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target chart_concurrency_test two_views_test check_while_drawing_test race_canary
tsan_options="halt_on_error=1 suppressions=$PWD/tests/sanitizer/tsan.supp"
# The suppressions must leave the project's own races visible: the canary's
# unguarded counter has to be reported.
if TSAN_OPTIONS="$tsan_options" build-tsan/tests/race_canary >build-tsan/race_canary.log 2>&1 ||
   ! grep -q "ThreadSanitizer: data race" build-tsan/race_canary.log; then
  echo "test.sh: ThreadSanitizer did not report the deliberate race of tests/sanitizer/RaceCanary.cpp;" \
       "a rule in tests/sanitizer/tsan.supp hides the project's own races" >&2
  exit 1
fi
TSAN_OPTIONS="$tsan_options" build-tsan/tests/chart/chart_concurrency_test
TSAN_OPTIONS="$tsan_options" QT_QPA_PLATFORM=offscreen build-tsan/tests/chart/two_views_test
TSAN_OPTIONS="$tsan_options" QT_QPA_PLATFORM=offscreen build-tsan/tests/routecheck/check_while_drawing_test

echo "== Fuzzing"
scripts/fuzz.sh
