#!/usr/bin/env bash
# The pictures benchmark: the reference job (see run.sh) written unattended as pictures of its
# pages at 300 dpi, 5,000 records by default. Reports labels per second (median of --repeat runs,
# default 3), peak memory and picture bytes per page for each thread count (default 1 and 2) and
# each output (default png; svg, pdf and png1 — one picture per label — on request).
#
#   bench/print/pictures.sh [--job DIR] [--threads "1 2"] [--repeat N] [--outputs "png svg pdf png1"]
#                           [--dpi N] [COUNT]
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
job="$repo/../shared/bench"
repeat=3
threads=(1 2)
outputs=(png)
dpi=300
count=5000
while [[ $# -gt 0 ]]; do
  case $1 in
    --job) job=$2; shift ;;
    --threads) read -r -a threads <<<"$2"; shift ;;
    --repeat) repeat=$2; shift ;;
    --outputs) read -r -a outputs <<<"$2"; shift ;;
    --dpi) dpi=$2; shift ;;
    *) count=$1 ;;
  esac
  shift
done
[[ -f "$job/orders.lbl" && -f "$job/gen_csv.py" ]] || { echo "no benchmark job in $job" >&2; exit 1; }

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$repo/build-release" --target vellumtrace >/dev/null
program="$repo/build-release/src/app/vellumtrace"

work=$(mktemp -d /tmp/vt-pictures.XXXXXX)
trap 'rm -rf "$work"' EXIT
csv="$work/orders.csv"
python3 "$job/gen_csv.py" "$count" "$csv"

# measure COMMAND...: the median wall seconds of $repeat runs and the largest peak resident KB;
# the run's output folder is emptied before each run.
measure() {
  : >"$work/times"
  for ((i = 0; i < repeat; i++)); do
    rm -rf "$work/out" && mkdir "$work/out"
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
    cat "$work/time" >>"$work/times"
  done
  sort -n "$work/times" | awk '{ s[NR] = $1; if ($2 > m) m = $2 } END { print s[int((NR + 1) / 2)], m }'
}

printf "%-10s %8s %9s %10s %10s %10s %8s %12s\n" output threads records seconds labels/s peak_MB files bytes/file
for out in "${outputs[@]}"; do
  case $out in
    png1) target="$work/out/l.png"; more=(--one-label --dpi "$dpi") ;;
    pdf) target="$work/out/l.pdf"; more=() ;;
    *) target="$work/out/l.$out"; more=(--dpi "$dpi") ;;
  esac
  for t in "${threads[@]}"; do
    read -r secs kb < <(measure env -u DISPLAY "$program" "$job/orders.lbl" -p -i "$csv" \
      -o "$target" --no-save --threads "$t" "${more[@]}")
    files=$(find "$work/out" -type f | wc -l)
    bytes=$(du -sb "$work/out" | cut -f1)
    awk -v o="$out" -v t="$t" -v n="$count" -v s="$secs" -v k="$kb" -v f="$files" -v b="$bytes" \
      'BEGIN { printf "%-10s %8d %9d %10.2f %10.0f %10.1f %8d %12.0f\n", o, t, n, s, n / s, k / 1024, f, b / f }'
  done
done
