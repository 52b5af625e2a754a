#include "merge/SheetRows.h"
#include "merge/OdsSheet.h"
#include "merge/SheetCursor.h"
#include "merge/SheetTexts.h"
#include "merge/SheetZip.h"
#include "merge/XlsxBook.h"
#include "merge/XlsxSheet.h"

namespace {
// The sheet names as a message lists them: "A", "B".
QString Listed(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << u'"' + name + u'"';
    return quoted.join(QStringLiteral(", "));
}

// The index of the sheet asked for: exact name first, then ignoring case; the first when empty.
int SheetIndex(const TSheetZip& zip, const QStringList& names, const QString& sheet) {
    if (names.isEmpty())
        zip.Fail(SheetText::NoSheets);
    if (sheet.isEmpty())
        return 0;
    qsizetype index = names.indexOf(sheet);
    for (qsizetype i = 0; index < 0 && i < names.size(); ++i)
        if (names.at(i).compare(sheet, Qt::CaseInsensitive) == 0)
            index = i;
    if (index < 0)
        zip.Fail(SheetText::NoSuchSheet, sheet, Listed(names));
    return int(index);
}

enum class TSheetKind { Xlsx, Ods };

// Which of the formats the archive holds; throws TUserError when neither, or locked.
TSheetKind KindOf(TSheetZip& zip) {
    if (Xlsx::IsWorkbook(zip))
        return TSheetKind::Xlsx;
    if (!Ods::IsDocument(zip))
        zip.Fail(SheetText::NotASpreadsheet);
    if (Ods::IsLocked(zip))
        zip.Fail(SheetText::Locked);
    return TSheetKind::Ods;
}

QStringList XlsxNames(const TXlsxBook& book) {
    QStringList names;
    for (const TXlsxBook::TSheet& s : book.sheets)
        names << s.name;
    return names;
}
} // namespace

bool IsSpreadsheetFile(const QString& path) {
    return path.endsWith(u".xlsx", Qt::CaseInsensitive) ||
           path.endsWith(u".ods", Qt::CaseInsensitive);
}

QStringList SpreadsheetSheetNames(const QString& path) {
    TSheetZip zip(path);
    if (KindOf(zip) == TSheetKind::Xlsx)
        return XlsxNames(Xlsx::ReadBook(zip));
    return Ods::SheetNames(zip);
}

TSheetRows::TSheetRows(const QString& path, const QString& sheet)
    : m_zip(std::make_unique<TSheetZip>(path)) {
    if (KindOf(*m_zip) == TSheetKind::Xlsx) {
        const TXlsxBook book = Xlsx::ReadBook(*m_zip);
        const int index = SheetIndex(*m_zip, XlsxNames(book), sheet);
        m_cursor = std::make_unique<TXlsxCursor>(*m_zip, book, book.sheets.at(index));
    } else {
        // The first sheet needs no pass over the names: the cursor finds it, or that none is.
        const int index = sheet.isEmpty() ? 0 : SheetIndex(*m_zip, Ods::SheetNames(*m_zip), sheet);
        m_cursor = std::make_unique<TOdsCursor>(*m_zip, index);
    }
    Fetch();
}

TSheetRows::~TSheetRows() = default;

void TSheetRows::Fetch() {
    auto row = std::make_unique<TSheetRow>();
    m_next = m_cursor->NextRow(*row) ? std::move(row) : nullptr;
}

bool TSheetRows::ReadRecord(TImportRecord& record, int64_t& position) {
    if (!m_next)
        return false;
    if (m_row + 1 < m_next->number) { // an empty row before the next that holds something
        record.clear();
        position = ++m_row;
        return true;
    }
    record = m_next->cells;
    position = m_row = m_next->number;
    if (m_next->repeat > 1) {
        ++m_next->number;
        --m_next->repeat;
    } else {
        Fetch();
    }
    return true;
}

bool TSheetRows::AtEnd() {
    return !m_next;
}
