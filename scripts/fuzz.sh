#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, ASan and UBSan in build-fuzz/ (or
# $VT_FUZZ_BUILD_DIR) and runs each one in turn, for N seconds each or N inputs each:
#
#   scripts/fuzz.sh [TARGET...] [--seconds N | --runs N]
#
# TARGET is a folder name under fuzz/corpus/ (data_file, bmp, ...); all of them by default.
# Seeds come from fuzz/corpus/TARGET; new inputs that reach new code are kept in
# build-fuzz/corpus/TARGET, outside the repository, and seed the next run. A crash, leak,
# hang (10 s on one input) or out-of-memory (2 GB) is saved under build-fuzz/findings/TARGET
# with the command that replays it, and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler caches keyed on paths inside the checkout, so any clone of it reuses the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"

seconds=60
runs=""
targets=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [[ ${#targets[@]} -eq 0 ]]; then
  for d in fuzz/corpus/*/; do targets+=("$(basename "$d")"); done
fi
for t in "${targets[@]}"; do
  [[ -f "fuzz/${t}_fuzzer.cpp" ]] || { echo "fuzz.sh: no target $t" >&2; exit 2; }
done

# clang with its libFuzzer and sanitizer runtimes, on top of the normal build's packages.
scripts/install-deps.sh
need=()
for p in clang libclang-rt-14-dev; do
  [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)" == "install ok installed" ]] ||
    need+=("$p")
done
if [[ ${#need[@]} -gt 0 ]]; then
  echo "Installing: ${need[*]}" >&2
  sudo=""; [[ $(id -u) -eq 0 ]] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

dir=${VT_FUZZ_BUILD_DIR:-build-fuzz}
# -O1 with line tables only: quick to build, and stack traces still name every line. The
# compiler cache is told to ignore where the checkout is, so a fresh clone reuses its objects.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Fuzz \
  "-DCMAKE_CXX_FLAGS_FUZZ=-O1 -gline-tables-only" -DVT_FUZZ=ON -DVT_BUILD_TESTS=OFF \
  -DVT_BUILD_BENCH=OFF "-DVT_SUBSYSTEMS=platform;merge;document;barcode;files;print" >/dev/null
cmake --build "$dir" --target "${targets[@]/%/_fuzzer}" | grep -v '^\[' || true
for t in "${targets[@]}"; do
  [[ -x "$dir/fuzz/${t}_fuzzer" ]] || { echo "fuzz.sh: $t did not build" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen
# The targets write each input to a scratch file; in memory that costs no disk syncs.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
limit=(-max_total_time="$seconds")
[[ -n "$runs" ]] && limit=(-runs="$runs")
failed=0
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  findings="$dir/findings/$t"
  log="$dir/logs/$t.log"
  mkdir -p "$corpus" "$findings" "$dir/logs"
  before=$(find "$corpus" -type f | wc -l)
  touch "$findings/.started"
  status=0
  "$dir/fuzz/${t}_fuzzer" "${limit[@]}" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$t" >"$log" 2>&1 || status=$?
  inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov0=$(sed -n 's/.*INITED cov: \([0-9]*\).*/\1/p' "$log" | tail -1)
  cov1=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  added=$(( $(find "$corpus" -type f | wc -l) - before ))
  found=$(find "$findings" -type f -newer "$findings/.started" \( -name 'crash-*' -o \
    -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \))
  crashes=$(printf '%s' "$found" | grep -c . || true)
  printf '%-15s inputs %10s  coverage %5s edges (+%s)  new corpus entries %4s  findings %s\n' \
    "$t" "${inputs:-?}" "${cov1:-?}" "$(( ${cov1:-0} - ${cov0:-0} ))" "$added" "$crashes"
  if [[ $status -ne 0 || $crashes -gt 0 ]]; then
    failed=1
    for f in $found; do
      echo "  finding $f; replay: $dir/fuzz/${t}_fuzzer $f" >&2
    done
    echo "  log: $log" >&2
    grep -m5 -E 'ERROR|runtime error|invariant broken|SUMMARY' "$log" | sed 's/^/  /' >&2 || true
  fi
done
exit $failed
