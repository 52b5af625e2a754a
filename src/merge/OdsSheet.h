#pragma once

#include "merge/SheetCursor.h"

#include <QStringList>
#include <QXmlStreamReader>

#include <memory>

class QIODevice;
class TSheetZip;

namespace Ods {
// True when the archive looks like an OpenDocument spreadsheet.
bool IsDocument(TSheetZip& zip);
// True when its content is encrypted (saved with a password).
bool IsLocked(TSheetZip& zip);
// The names of its sheets in order. Throws TUserError.
QStringList SheetNames(TSheetZip& zip);
} // namespace Ods

// The rows of one sheet of an .ods file, read straight from the archive as they come. A cell
// shows its paragraphs, which already hold the text as the sheet formats it; booleans show as
// TRUE and FALSE. Repeated rows and cells that hold something are repeated; repeated empty ones
// (a sheet's tail runs to its last row and column) cost nothing.
class TOdsCursor : public TSheetCursor {
public:
    // The sheet at index (from 0); zip must outlive the cursor and open no other part meanwhile.
    // Throws TUserError, also when there is no such sheet.
    TOdsCursor(TSheetZip& zip, int index);
    ~TOdsCursor() override;
    bool NextRow(TSheetRow& row) override;

private:
    bool Next();
    // Reads the cell the reader stands on, to its end; returns its text.
    QString ReadCell();
    // Reads the paragraph the reader stands on, to its end.
    QString ReadParagraph();

    TSheetZip& m_zip;
    QString m_sheet;
    std::unique_ptr<QIODevice> m_device;
    QXmlStreamReader m_xml;
    int64_t m_nextRow = 1;
    bool m_done = false;
};
