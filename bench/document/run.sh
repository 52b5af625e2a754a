#!/usr/bin/env bash
# Times the document's and the controller's work on several selected controls: a move of the
# selection by mouse and by key, on labels of 200 and 2000 controls, selecting all and a rubber
# band sweep. The move's cost must follow the number of selected controls, not the label's size
# times it.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${VT_BUILD_DIR:-build}
VT_BUILD_DIR=$build scripts/build.sh >/dev/null
"$build/bench/document/selection_bench" --benchmark_min_time=0.2
