#pragma once

#include "merge/ImportRecord.h"
#include "merge/TextImportSettings.h"

#include <QString>

#include <cstdint>

// A record of a data file picked by its number, for showing on the design surface.
struct TShownRecord {
    int64_t Number = 0; // from 1; 0 when the file holds no record
    TImportRecord Record;
    TImportRecord Columns; // the names of its columns, when the data has them
};

// Reads record number (from 1; anything lower counts as 1) of fileName, its lines cut with
// settings as a print run cuts them; past the last record, the last one. The file is read from
// its start and closed again. Throws TUserError when it cannot be opened or read.
TShownRecord ReadShownRecord(const QString& fileName, const TTextImportSettings& settings,
                             int64_t number);
