#pragma once

#include "merge/SheetCells.h"
#include "merge/SheetCursor.h"
#include "merge/XlsxBook.h"

#include <QStringList>
#include <QXmlStreamReader>

#include <memory>
#include <vector>

class QIODevice;
class TSheetZip;

// The rows of one worksheet of an .xlsx file, read straight from the archive as they come.
// Each cell shows as the sheet shows it: shared and inline strings, numbers and dates by the
// cell's number format, booleans as TRUE and FALSE, formulas as their last computed value.
class TXlsxCursor : public TSheetCursor {
public:
    // zip must outlive the cursor and open no other part meanwhile. Throws TUserError.
    TXlsxCursor(TSheetZip& zip, const TXlsxBook& book, const TXlsxBook::TSheet& sheet);
    ~TXlsxCursor() override;
    bool NextRow(TSheetRow& row) override;

private:
    // Reads on; false at the end of the part. Throws TUserError on damaged XML.
    bool Next();
    // Reads the cell the reader stands on, to its end; returns its text.
    QString ReadCell();
    QString CellText(const QString& type, int style, const QString& value) const;
    // The column (from 0) of a cell reference such as C7. Throws TUserError when it is no cell.
    int64_t ColumnOf(const QString& reference) const;

    TSheetZip& m_zip;
    QString m_part;
    QString m_sheet;
    QStringList m_shared;
    std::vector<TNumberFormat> m_formats; // each distinct code once
    QList<int> m_styleFormat;             // cell style (s) -> its format in m_formats
    bool m_date1904 = false;
    std::unique_ptr<QIODevice> m_device;
    QXmlStreamReader m_xml;
    int64_t m_lastRow = 0;
    bool m_done = false;
};
