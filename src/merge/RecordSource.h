#pragma once

#include "merge/ImportRecord.h"

#include <QStringList>

#include <cstdint>

// Where the records of a merge come from when they are not lines of a text file: the rows of a
// spreadsheet or of a database query. Read in order, one record at a time, so that a source of
// a million rows takes no more memory than one of ten.
class TRecordSource {
public:
    virtual ~TRecordSource() = default;

    // Reads the next record into record and sets position to where it stands in the source (the
    // sheet's row number, the result's row counting from 1), for messages. False at the end,
    // record and position then untouched. Throws TUserError when the source cannot be read.
    virtual bool ReadRecord(TImportRecord& record, int64_t& position) = 0;

    // True when no record is left.
    virtual bool AtEnd() = 0;

    // The names of the columns when the source itself has them (a query's columns), so no row is
    // a header; empty when a header is the first row, as in a sheet.
    virtual QStringList ColumnNames() const { return {}; }
};
