#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: the designer on the sample label.
# Without a display the designer cannot open; the program says so and exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
exec build/src/app/vellumtrace "$@"
