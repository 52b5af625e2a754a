#!/usr/bin/env bash
# The layering check fails on what it is there to catch: a copy of the sources with one fault
# planted at a time must fail, and the copy as it is must pass.
set -euo pipefail
repo=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fresh() {
  rm -rf "$work/r" && mkdir -p "$work/r/scripts"
  cp -r "$repo/src" "$work/r/src"
  cp "$repo/scripts/check-layers.py" "$repo/scripts/layer-debts.txt" "$work/r/scripts/"
}
expect_fail() {
  if python3 "$work/r/scripts/check-layers.py" "$work/r" >"$work/out" 2>&1; then
    echo "not caught: $1"; exit 1
  fi
  grep -q "$2" "$work/out" || { echo "wrong report for $1:"; cat "$work/out"; exit 1; }
}
fresh
python3 "$work/r/scripts/check-layers.py" "$work/r" >/dev/null
echo '#include "print/PrintU.h"' >>"$work/r/src/merge/DataImport.cpp"
expect_fail "merge including print" "src/merge/DataImport.cpp: print/PrintU.h includes a library above it"
fresh
echo '#include <QDialog>' >>"$work/r/src/print/PrintU.cpp"
expect_fail "a widget header in print" "src/print/PrintU.cpp: QDialog is a Qt Widgets header"
fresh
echo '#include "print/dialogs/FPrintDlg.h"' >>"$work/r/src/print/PrintU.cpp"
expect_fail "the print engine including its dialog" "print/dialogs/FPrintDlg.h includes a library above it"
fresh
sed -i "s/DEPS vt_platform Qt6::Core/DEPS vt_platform vt_files Qt6::Core/" "$work/r/src/merge/CMakeLists.txt"
expect_fail "merge linking files" "vt_merge links vt_files"
fresh
echo '#include <QWidget>' >>"$work/r/src/document/LabelDocument.h"
expect_fail "a widget header in the document" "src/document/LabelDocument.h: QWidget is a Qt Widgets header"
fresh
sed -i 's/Qt6::Gui JPEG::JPEG)/Qt6::Gui Qt6::Widgets JPEG::JPEG)/' "$work/r/src/document/CMakeLists.txt"
expect_fail "the document linking Qt Widgets" "vt_document links Qt6::Widgets"
fresh
echo 'src/print/PrintU.cpp: QDialog is a Qt Widgets header below the windows' >>"$work/r/scripts/layer-debts.txt"
expect_fail "a debt that is not owed" "paid off"
fresh
echo '#include "files/SheetDefaults.h"' >>"$work/r/src/document/widgets/FLabelSettings.cpp"
expect_fail "the sheet dialog including the files library" "FLabelSettings.cpp: files/SheetDefaults.h includes"
echo "every planted fault was caught"
