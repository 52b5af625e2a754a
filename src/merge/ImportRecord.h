#pragma once

#include <QStringList>

// The fields of one data line in order; index 0 holds field number 1.
using TImportRecord = QStringList;

// Where the column called name stands among columns (a header's fields), from 0: the first of
// that exact name, else the first that matches ignoring case and blanks at either end; -1 when
// none does.
qsizetype NamedColumn(const TImportRecord& columns, const QString& name);
