#include "merge/XlsxSheet.h"
#include "merge/SheetCells.h"
#include "merge/SheetTexts.h"
#include "merge/SheetXml.h"
#include "merge/SheetZip.h"

#include <QHash>
#include <QIODevice>

namespace {
// The row number of a row's r attribute; 0 when it is no row of a sheet.
int64_t RowNumber(QStringView text) {
    bool ok = false;
    const qlonglong number = text.size() <= 8 ? text.toLongLong(&ok) : 0;
    return ok && number >= 1 && number <= SheetLimits::MaxRows ? number : 0;
}

// The column (from 0) and row of a reference such as AB12; false when it is no cell of a sheet.
bool ParseReference(QStringView reference, int64_t& column, int64_t& row) {
    qsizetype letters = 0;
    column = 0;
    while (letters < reference.size() && letters < 4) {
        const char16_t c = QChar::toUpper(reference.at(letters).unicode());
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c - u'A' + 1);
        ++letters;
    }
    if (letters == 0 || column > SheetLimits::MaxColumns)
        return false;
    --column;
    row = RowNumber(reference.mid(letters));
    return row != 0;
}
} // namespace

TXlsxCursor::TXlsxCursor(TSheetZip& zip, const TXlsxBook& book, const TXlsxBook::TSheet& sheet)
    : m_zip(zip), m_part(sheet.part), m_sheet(sheet.name), m_date1904(book.date1904) {
    if (!book.sharedStrings.isEmpty())
        m_shared = Xlsx::ReadSharedStrings(zip, book.sharedStrings);
    m_formats.emplace_back(); // General, for cells without a style
    if (!book.styles.isEmpty()) {
        QHash<QString, int> known{{QString(), 0}};
        for (const QString& code : Xlsx::ReadCellFormats(zip, book.styles)) {
            auto it = known.constFind(code);
            if (it == known.constEnd()) {
                it = known.insert(code, int(m_formats.size()));
                m_formats.emplace_back(code);
            }
            m_styleFormat.append(*it);
        }
    }
    m_device = zip.Open(m_part);
    m_xml.setDevice(m_device.get());
}

TXlsxCursor::~TXlsxCursor() = default;

bool TXlsxCursor::Next() {
    m_xml.readNext();
    m_zip.Check(m_xml, m_part);
    return !m_xml.atEnd();
}

bool TXlsxCursor::NextRow(TSheetRow& row) {
    while (!m_done && Next()) {
        if (IsEnd(m_xml, QLatin1StringView("sheetData")))
            break;
        if (!IsStart(m_xml, QLatin1StringView("row")))
            continue;
        const QString rowText = SheetAttribute(m_xml, QLatin1StringView("r"));
        const int64_t number = rowText.isEmpty() ? m_lastRow + 1 : RowNumber(rowText);
        if (number == 0 || number > SheetLimits::MaxRows)
            m_zip.Fail(SheetText::BadCellReference, m_sheet,
                       rowText.isEmpty() ? QString::number(m_lastRow + 1) : rowText);
        if (number <= m_lastRow)
            m_zip.Fail(SheetText::RowsOutOfOrder, m_sheet, QString::number(number));
        m_lastRow = number;
        TImportRecord cells;
        int64_t column = 0;
        while (Next() && !IsEnd(m_xml, QLatin1StringView("row"))) {
            if (!IsStart(m_xml, QLatin1StringView("c")))
                continue;
            const QString reference = SheetAttribute(m_xml, QLatin1StringView("r"));
            if (!reference.isEmpty())
                column = ColumnOf(reference);
            if (!PlaceCell(cells, column, ReadCell()))
                m_zip.Fail(SheetText::SheetTooLarge, m_sheet);
            ++column;
        }
        if (!cells.isEmpty()) {
            row.number = number;
            row.repeat = 1;
            row.cells = std::move(cells);
            return true;
        }
    }
    m_done = true;
    return false;
}

int64_t TXlsxCursor::ColumnOf(const QString& reference) const {
    int64_t column = 0;
    int64_t row = 0;
    if (!ParseReference(reference, column, row))
        m_zip.Fail(SheetText::BadCellReference, m_sheet, reference.left(40));
    return column;
}

QString TXlsxCursor::ReadCell() {
    const QString type = SheetAttribute(m_xml, QLatin1StringView("t"));
    const int style = SheetAttribute(m_xml, QLatin1StringView("s")).toInt();
    QString value;
    bool inlineText = false;
    while (Next() && !IsEnd(m_xml, QLatin1StringView("c"))) {
        if (!m_xml.isStartElement())
            continue;
        if (m_xml.name() == QLatin1StringView("v")) {
            value = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (m_xml.name() == QLatin1StringView("is")) {
            inlineText = true;
        } else if (m_xml.name() == QLatin1StringView("rPh")) {
            m_xml.skipCurrentElement(); // a reading aid, not shown in the cell
        } else if (m_xml.name() == QLatin1StringView("t") && inlineText) {
            value += m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (m_xml.name() == QLatin1StringView("f")) {
            m_xml.skipCurrentElement();
        }
        m_zip.Check(m_xml, m_part);
    }
    if (inlineText)
        return Xlsx::Unescaped(value);
    return CellText(type, style, value);
}

QString TXlsxCursor::CellText(const QString& type, int style, const QString& value) const {
    if (value.isEmpty())
        return value;
    if (type == u"s") {
        bool ok = false;
        const qsizetype index = value.toLongLong(&ok);
        if (!ok || index < 0 || index >= m_shared.size())
            m_zip.Damaged(m_xml, m_part, QStringLiteral("no shared string %1").arg(value.left(20)));
        return m_shared.at(index);
    }
    if (type == u"b")
        return value == u"1" || value == u"true" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (type == u"str" || type == u"e" || type == u"inlineStr")
        return Xlsx::Unescaped(value);
    const TNumberFormat& format =
        m_formats[style >= 0 && style < m_styleFormat.size() ? m_styleFormat.at(style) : 0];
    if (type == u"d") {
        bool ok = false;
        const double serial = SheetCells::SerialFromIso(value, m_date1904, &ok);
        return ok && !format.IsGeneral() ? format.Text(serial, m_date1904) : value;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? format.Text(number, m_date1904) : value;
}
