#!/usr/bin/env bash
# Makes the Debian package and checks it the way a user meets it: lintian, the desktop and
# software-centre files, installing it with its dependencies, the program and its manual from
# the installed files, the file types registered, and removing it without a trace.
# Needs root (CI runs as root) and leaves the package removed.
#   scripts/check-package.sh [PACKAGE.deb]   (without one, scripts/package.sh makes it)
set -euo pipefail
cd "$(dirname "$0")/.."
[[ $(id -u) -eq 0 ]] || { echo "check-package.sh: run it as root (it installs the package)" >&2; exit 1; }
scripts/install-deps.sh --packaging
export DEBIAN_FRONTEND=noninteractive

deb=${1:-}
[[ -n "$deb" ]] || deb=$(scripts/package.sh | tail -n 1)
deb=$(realpath "$deb")
version=$(dpkg-deb -f "$deb" Version)
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "check-package.sh: FAIL: $*" >&2; failures=$((failures + 1)); }
step() { echo "== $*"; }

step "package $(basename "$deb"): $(du -k "$deb" | cut -f1) KB, installed $(dpkg-deb -f "$deb" Installed-Size) KB"
dpkg-deb -f "$deb" Depends Recommends | sed 's/^/   /'

step "lintian"
lintian --fail-on error --display-info "$deb" | tee "$work/lintian.txt" || fail "lintian reports errors"

# A package of the same name from an earlier run would hide what this one installs.
if dpkg-query -W -f='${Status}' vellumtrace 2>/dev/null | grep -q "install ok installed"; then
  apt-get remove -y -qq vellumtrace >/dev/null
fi

step "install with its dependencies"
if ! apt-get install -y -qq "$deb" >"$work/apt.txt" 2>&1; then
  apt-get update -qq
  apt-get install -y -qq "$deb" >"$work/apt.txt" 2>&1 || { cat "$work/apt.txt" >&2; fail "apt-get install"; exit 1; }
fi
dpkg -L vellumtrace | sort >"$work/files.txt"
app_id=$(basename "$(grep -m1 '^/usr/share/metainfo/.*\.metainfo\.xml$' "$work/files.txt")" .metainfo.xml)
[[ -n "$app_id" ]] || fail "no software-centre file in /usr/share/metainfo"

step "the program, its manual and completion"
[[ "$(vellumtrace --version)" == "Vellumtrace $version" ]] ||
  fail "vellumtrace --version says '$(vellumtrace --version)', the package is $version"
man -P cat vellumtrace 2>/dev/null | col -b >"$work/man.txt" || fail "man vellumtrace"
grep -q -- "--check" "$work/man.txt" || fail "the manual page has no --check"
grep -q "$version" "$work/man.txt" || fail "the manual page does not name version $version"
bash -c 'source /usr/share/bash-completion/completions/vellumtrace && complete -p vellumtrace' \
  >/dev/null || fail "bash completion is not installed"
vellumtrace --list-stocks Avery 5160 | grep -q 5160 || fail "the installed stock library is not found"

step "print the installed example"
examples=/usr/share/doc/vellumtrace/examples
rm -f /tmp/x.pdf
vellumtrace $examples/shipping.lbl -p -i $examples/shipping.csv -o /tmp/x.pdf || fail "printing the example"
pages=$(pdfinfo /tmp/x.pdf 2>/dev/null | awk '/^Pages:/ {print $2}')
[[ "$pages" == 2 ]] || fail "the example printed ${pages:-no} pages, not 2"
pdftotext /tmp/x.pdf - | grep -q "SHIP TO" || fail "the example's PDF has no label text"
# As a user without rights on the installed files: from a copy, as the manual says.
cp $examples/shipping.lbl $examples/shipping.csv "$work/"
chown -R nobody "$work"
runuser -u nobody -- env HOME="$work" vellumtrace "$work/shipping.lbl" -p -i "$work/shipping.csv" \
  -o "$work/user.pdf" || fail "printing a copy of the example as a user"
[[ -s "$work/user.pdf" ]] || fail "the user's run wrote no PDF"

step "desktop entry, file types, software-centre data"
desktop=/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net --pedantic /usr/share/metainfo/"$app_id".metainfo.xml ||
  fail "appstreamcli validate"
for type in application/x-vellumtrace-label application/x-vellumtrace-template; do
  default=$(xdg-mime query default "$type" || true)
  [[ "$default" == "$app_id.desktop" ]] || fail "xdg-mime: $type opens with '${default}', not $app_id.desktop"
  [[ -f /usr/share/mime/$type.xml ]] || fail "the MIME database does not know $type"
done

step "the designer leaves the file types to the system"
# The designer registers its file types for the user at start-up unless the system's own
# entries already open them with this program; a user's copies would shadow the package's.
designer_writes() { # PROGRAM HOME: the user files the designer wrote, one per line
  mkdir -p "$2" && chown nobody "$2"
  runuser -u nobody -- env HOME="$2" XDG_DATA_HOME= XDG_CONFIG_HOME= VT_QUIT_WHEN_SHOWN=1 \
    xvfb-run -a "$1" >/dev/null 2>&1 || echo "the designer did not start: $1"
  find "$2/.local/share" -type f 2>/dev/null || true
}
written=$(designer_writes /usr/bin/vellumtrace "$work/home-installed")
[[ -z "$written" ]] || fail "the installed designer wrote file types for the user: $written"
# The same start from a copy outside the package registers them, so the check above can fail.
install -m 755 /usr/bin/vellumtrace "$work/vellumtrace-copy"
written=$(designer_writes "$work/vellumtrace-copy" "$work/home-copy")
grep -q "applications/.*\.desktop" <<<"$written" ||
  fail "a designer outside the package registered no file types: ${written:-nothing}"

step "remove"
apt-get remove -y -qq vellumtrace >/dev/null
while read -r path; do
  if [[ -e "$path" && ! -d "$path" ]]; then fail "left behind: $path"; fi
done <"$work/files.txt"
for dir in /usr/share/vellumtrace /usr/share/doc/vellumtrace; do
  [[ ! -e "$dir" ]] || fail "left behind: $dir"
done
for type in application/x-vellumtrace-label application/x-vellumtrace-template; do
  [[ ! -e /usr/share/mime/$type.xml ]] || fail "the MIME database still knows $type"
done
! grep -qs vellumtrace /usr/share/applications/mimeinfo.cache ||
  fail "the desktop database still names the program"

if ((failures > 0)); then
  echo "check-package.sh: $failures check(s) failed" >&2
  exit 1
fi
echo "check-package.sh: the package installs, works and leaves nothing behind"
