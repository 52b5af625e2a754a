#!/usr/bin/env bash
# The preflight benchmark: the reference merge-print job (see run.sh) checked with --check at
# 10,000 and 100,000 records, with and without reading each symbol back. Reports labels per
# second and peak memory.
#
#   bench/print/check.sh [--job DIR] [COUNTS...]
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
job="$repo/../shared/bench"
counts=()
while [[ $# -gt 0 ]]; do
  case $1 in
    --job) job=$2; shift ;;
    *) counts+=("$1") ;;
  esac
  shift
done
[[ ${#counts[@]} -gt 0 ]] || counts=(10000 100000)
[[ -f "$job/orders.lbl" && -f "$job/gen_csv.py" ]] || { echo "no benchmark job in $job" >&2; exit 1; }

"$repo/scripts/install-deps.sh"
VT_BUILD_TYPE=Release VT_BUILD_DIR="$repo/build-release" "$repo/scripts/build.sh" >/dev/null
program="$repo/build-release/src/app/vellumtrace"

work=$(mktemp -d /tmp/vt-check.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$job/orders.lbl" "$work/orders.lbl"

measure() {
  local status=0
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >"$work/out" 2>"$work/err" || status=$?
  # 3 is a check that found problems; anything else but 0 is a failure
  if [[ $status -ne 0 && $status -ne 3 ]]; then cat "$work/err" >&2; return 1; fi
  cat "$work/time"
}

printf "%-14s %9s %10s %12s %10s  %s\n" mode records seconds labels/s peak_MB summary
for n in "${counts[@]}"; do
  csv="$work/orders-$n.csv"
  python3 "$job/gen_csv.py" "$n" "$csv"
  for mode in read-back no-read-back; do
    extra=()
    [[ $mode == no-read-back ]] && extra=(--no-read-back)
    read -r secs kb < <(measure env -u DISPLAY "$program" "$work/orders.lbl" --check -i "$csv" "${extra[@]}")
    summary=$(tail -n 1 "$work/out")
    awk -v p="$mode" -v n="$n" -v s="$secs" -v k="$kb" -v m="$summary" \
      'BEGIN { printf "%-14s %9d %10.2f %12.0f %10.1f  %s\n", p, n, s, n / s, k / 1024, m }'
  done
done
