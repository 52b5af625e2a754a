#!/usr/bin/env bash
# Builds the program for release and makes the Debian package out of it:
# scripts/package.sh [OUTDIR] writes OUTDIR/vellumtrace_VERSION_ARCH.deb (OUTDIR: out/).
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler caches keyed on paths inside the checkout, so any clone of it reuses the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
outdir=$(realpath -m "${1:-out}")
scripts/install-deps.sh
dir=${VT_PACKAGE_BUILD_DIR:-build-package}

# Debian's hardening flags (stack protector, fortified calls, read-only relocations, bind now)
# without its debug information, which the package strips anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1" | tr ' ' '\n' | grep -v -e '^-g$' -e '^-ffile-prefix-map' | tr '\n' ' '; }
cxxflags="$(flags CPPFLAGS) $(flags CXXFLAGS)"
ldflags=$(flags LDFLAGS)

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DVT_BUILD_TESTS=OFF -DVT_BUILD_BENCH=OFF "-DCMAKE_STRIP=$PWD/packaging/strip.sh" \
  "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >/dev/null
cmake --build "$dir"
mkdir -p "$outdir"
(cd "$dir" && cpack -G DEB -B "$outdir/.cpack" >/dev/null)
deb=$(find "$outdir/.cpack" -maxdepth 1 -name 'vellumtrace_*.deb' -print -quit)
[[ -n "$deb" ]] || { echo "package.sh: CPack made no package" >&2; exit 1; }
mv -f "$deb" "$outdir/"
rm -rf "$outdir/.cpack"
echo "$outdir/$(basename "$deb")"
