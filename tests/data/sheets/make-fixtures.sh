#!/usr/bin/env bash
# Makes workbook.xlsx and workbook.ods from the hand-written flat file workbook.fods, saved by
# LibreOffice Calc (package libreoffice-calc-nogui; needed only to make these files again).
set -euo pipefail
cd "$(dirname "$0")"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
for format in xlsx ods; do
    soffice -env:UserInstallation=file://"$profile" --headless --convert-to "$format" \
        --outdir . workbook.fods >/dev/null
done
