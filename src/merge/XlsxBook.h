#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TSheetZip;

// What an .xlsx workbook says about itself: its worksheets in order (name and part), the epoch
// of its dates and where its shared strings and styles are.
struct TXlsxBook {
    struct TSheet {
        QString name;
        QString part;
    };
    QList<TSheet> sheets;
    bool date1904 = false;
    QString sharedStrings; // empty when it has none
    QString styles;
};

namespace Xlsx {
// True when the archive looks like an .xlsx workbook (or another office document of its family,
// which ReadBook refuses).
bool IsWorkbook(const TSheetZip& zip);
// Reads the workbook and its relations. Throws TUserError, also when it is no workbook.
TXlsxBook ReadBook(TSheetZip& zip);
// The shared string table, rich text runs joined, phonetic runs left out. Throws TUserError.
QStringList ReadSharedStrings(TSheetZip& zip, const QString& part);
// The number format code of each cell format (the s attribute of a cell), empty for General.
// Throws TUserError.
QStringList ReadCellFormats(TSheetZip& zip, const QString& part);
// Text with its _xHHHH_ escapes (characters XML cannot hold) decoded.
QString Unescaped(const QString& text);
} // namespace Xlsx
