#pragma once

#include "merge/RecordSource.h"

#include <QString>
#include <QStringList>

#include <memory>

class TSheetCursor;
class TSheetZip;
struct TSheetRow;

// True for the file names the spreadsheet reader takes (.xlsx, .ods, any letter case).
bool IsSpreadsheetFile(const QString& path);

// The sheet names of a spreadsheet file in order. Throws TUserError.
QStringList SpreadsheetSheetNames(const QString& path);

// Reads the rows of one sheet of a spreadsheet file (.xlsx or .ods, told apart by what the file
// holds), in order and streaming: one record per row from the sheet's first row, each cell as
// the text the sheet shows. Empty rows between rows that hold something are records without
// fields; empty rows after the last one and empty cells after a row's last are not read.
class TSheetRows : public TRecordSource {
public:
    // sheet: the sheet's name (exact, then ignoring case), or empty for the first sheet.
    // Throws TUserError: the file is missing, unreadable, no zip, no spreadsheet, or has no such
    // sheet (the message names the file and, for a missing sheet, the sheets there are).
    TSheetRows(const QString& path, const QString& sheet);
    ~TSheetRows() override;

    // position is the sheet's row number (from 1).
    bool ReadRecord(TImportRecord& record, int64_t& position) override;
    bool AtEnd() override;

private:
    void Fetch();

    std::unique_ptr<TSheetZip> m_zip; // before the cursor, which reads from it
    std::unique_ptr<TSheetCursor> m_cursor;
    std::unique_ptr<TSheetRow> m_next; // the next row that holds something; null at the end
    int64_t m_row = 0;                 // the row last read
};
