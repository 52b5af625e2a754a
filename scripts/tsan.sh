#!/usr/bin/env bash
# Builds the print tests with ThreadSanitizer into build-tsan/ (or $VT_TSAN_DIR) and runs the
# test of two threads printing at once under it. Fails on any report.
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler caches keyed on paths inside the checkout, so any clone of it reuses the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
dir=${VT_TSAN_DIR:-build-tsan}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_SANITIZE_THREAD=ON \
      -DVT_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --target print_tests
export QT_QPA_PLATFORM=offscreen
export VT_TEST_DATA="$PWD/tests/data"
# A report ends the run with its own exit status, so that no report can pass unnoticed.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp"
# The sanitizer's shadow memory needs the classic address layout.
exec setarch "$(uname -m)" -R "$dir/tests/print/print_tests" --gtest_filter='ParallelPrintTest.*'
