#pragma once

#include "merge/ImportRecord.h"
#include "merge/TextImportSettings.h"

#include <QList>
#include <QString>

// The start of a data source as a run would read it: the header (a skipped first line or row,
// a query's column names; empty when there is none) and the first records after it.
struct TPreviewRecords {
    TImportRecord Header;
    QList<TImportRecord> Records;
};

// Reads the header and up to maxRecords records of a text file, a spreadsheet's sheet or a
// database with settings, through the same reader a print run uses. Throws TUserError when the
// source cannot be opened or read.
TPreviewRecords ReadPreviewRecords(const QString& name, const TTextImportSettings& settings,
                                   int maxRecords);

// The grid caption of column (from 0): "Field #" and its number, and with a header's name
// "3 – Town" instead.
QString ColumnCaption(const TImportRecord& header, qsizetype column);
