#!/usr/bin/env bash
# The files the desktop and the software centre read, as the build made them: both validators
# accept them, they name the program by one desktop id, and they carry the program's version.
#   desktop-files.sh METAINFO DESKTOP_ENTRY MIME_PACKAGE PROGRAM
set -uo pipefail
metainfo=$1 desktop=$2 mime=$3 program=$4
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

appstreamcli validate --no-net "$metainfo" >/tmp/vt-appstream.$$ 2>&1 ||
  { cat /tmp/vt-appstream.$$ >&2; fail "appstreamcli validate $metainfo"; }
rm -f /tmp/vt-appstream.$$
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"

id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[[ -n "$id" ]] || fail "the software-centre file has no id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the software-centre file does not launch $id.desktop"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"

# The version a user sees is the one the software centre announces.
version=$("$program" --version | sed -n 's/^Vellumtrace //p')
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" ||
  fail "the software-centre file has no release $version (the program says '$version')"

# Every MIME type the program opens is defined by its package and announced to the centre.
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
[[ -n "${types// /}" ]] || fail "the desktop entry names no MIME type"
for type in $types; do
  grep -q "<mime-type type=\"$type\">" "$mime" || fail "the MIME package does not define $type"
  grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the software-centre file does not provide $type"
done

((failures == 0)) || exit 1
echo "desktop files: valid, desktop id $id, version $version"
