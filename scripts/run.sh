#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the sample label:
# with a display, the designer opens examples/shipping.lbl; without one, the sample merge is
# printed unattended into out/shipping.pdf. Extra arguments go to the program instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
program=build/src/app/vellumtrace
if [[ $# -gt 0 ]]; then
  exec "$program" "$@"
fi
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec "$program" examples/shipping.lbl
fi
mkdir -p out
# The run saves the label's counters back (the next run goes on from them), so it prints a copy
# kept in out/ and the sample in the repository stays as it is.
[[ -f out/shipping.lbl ]] || cp examples/shipping.lbl out/shipping.lbl
exec "$program" out/shipping.lbl -p -i examples/shipping.csv -o out/shipping.pdf
