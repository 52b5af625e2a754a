#pragma once

#include "merge/ImportRecord.h"

#include <QString>

#include <cstdint>

// What a sheet may hold: the size of a sheet in the spreadsheet programs, so that no file can
// make a row wider or a sheet longer than a real one.
namespace SheetLimits {
inline constexpr int64_t MaxRows = 1048576;
inline constexpr int64_t MaxColumns = 16384;
// Characters of text a part may hold in memory (the shared strings), about 512 MB.
inline constexpr int64_t MaxHeldChars = int64_t(256) * 1024 * 1024;
// Cell formats of a workbook's styles (spreadsheets stop at 64,000).
inline constexpr int64_t MaxCellFormats = 1024 * 1024;
} // namespace SheetLimits

// One row of a sheet that holds at least one non-empty cell: its cells up to the last non-empty
// one, its row number (from 1) and how many times it stands in a row (repeated rows).
struct TSheetRow {
    int64_t number = 0;
    int64_t repeat = 1;
    TImportRecord cells;
};

// Walks the rows of one sheet that hold something, in order, streaming; the rows between them
// are empty. Throws TUserError when the sheet cannot be read.
class TSheetCursor {
public:
    virtual ~TSheetCursor() = default;
    // The next row that holds a non-empty cell; false at the end of the sheet.
    virtual bool NextRow(TSheetRow& row) = 0;
};

// Puts a non-empty cell's text at column (from 0), the cells before it empty where nothing
// stands; an empty cell adds nothing. False when a non-empty cell is beyond the last column a
// sheet may have.
inline bool PlaceCell(TImportRecord& cells, int64_t column, const QString& text) {
    if (text.isEmpty())
        return true;
    if (column < 0 || column >= SheetLimits::MaxColumns)
        return false;
    while (cells.size() < column)
        cells.append(QString());
    if (cells.size() == column)
        cells.append(text);
    else
        cells[column] = text;
    return true;
}
