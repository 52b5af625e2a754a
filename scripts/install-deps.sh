#!/usr/bin/env bash
# Installs the Debian 12 packages Vellumtrace needs to build, test and run; does nothing when all
# of them are present. Needs root (or sudo) only when something is missing.
#   scripts/install-deps.sh [--packaging]   (also the tools that make and check the package)
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libgl1-mesa-dev libqt6svg6 qt6-svg-dev qt6-image-formats-plugins
  libjpeg-dev
  libqpdf-dev
  libquazip1-qt6-dev
  libqt6sql6-sqlite libqt6sql6-psql
  postgresql
  glabels-data
  libgtest-dev libgmock-dev libbenchmark-dev
  libzxing-dev
  libzint-dev
  fonts-liberation2
  poppler-utils
  ghostscript
  cups-client cups-daemon
  xvfb xauth
  appstream desktop-file-utils
  clang-format
  python3
  groff-base man-db
)
# Making the Debian package and checking it as a user meets it.
if [[ "${1:-}" == "--packaging" ]]; then
  packages+=(dpkg-dev lintian shared-mime-info xdg-utils)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
