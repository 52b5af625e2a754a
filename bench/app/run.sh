#!/usr/bin/env bash
# Times the designer from process start until its window is shown with a 200-control label
# open (median of several runs, under Xvfb), then the design area's own benchmarks and the
# editing paths (drag, typing, history) on 200 controls.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh
build=${VT_BUILD_DIR:-build}
VT_BUILD_DIR=$build scripts/build.sh >/dev/null
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
"$build/bench/app/make_big_label" "$work/big.lbl" 200
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
runs=${RUNS:-9}
times=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  DISPLAY=$display XDG_CONFIG_HOME=$work/config VT_QUIT_WHEN_SHOWN=1 \
    "$build/src/app/vellumtrace" "$work/big.lbl" 2>/dev/null
  end=$(date +%s%N)
  times+=($(((end - start) / 1000000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to shown with 200 controls: median ${sorted[$((runs / 2))]} ms (runs: ${times[*]})"
"$build/bench/app/app_bench" --benchmark_min_time=0.2
"$build/bench/app/edit_bench"
"$build/bench/app/design_bench"
