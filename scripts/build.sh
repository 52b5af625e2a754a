#!/usr/bin/env bash
# Configures and builds into build/ (or $VT_BUILD_DIR) with Ninja.
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler caches keyed on paths inside the checkout, so any clone of it reuses the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
dir=${VT_BUILD_DIR:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${VT_BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$dir"
