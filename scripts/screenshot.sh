#!/usr/bin/env bash
# Starts the designer under a virtual X server and saves a screenshot of it, for looking at the
# label surface on a machine without a display. Usage: scripts/screenshot.sh OUT.png [args...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: scripts/screenshot.sh OUT.png [vellumtrace arguments]}
shift
scripts/install-deps.sh
for p in x11-apps imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p" >/dev/null; }
done
scripts/build.sh >/dev/null
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x500x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display build/src/app/vellumtrace "$@" 2>/dev/null &
app=$!
sleep 3
DISPLAY=$display xwd -root -silent | convert xwd:- "$out"
echo "saved $out"
