#include "merge/OdsSheet.h"
#include "merge/SheetTexts.h"
#include "merge/SheetZip.h"

#include <QIODevice>

#include <algorithm>

namespace {
const QString kContent = QStringLiteral("content.xml");
const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

bool Is(const QXmlStreamReader& xml, const QString& ns, QLatin1StringView name) {
    return xml.name() == name && xml.namespaceUri() == ns;
}
bool IsStart(const QXmlStreamReader& xml, const QString& ns, QLatin1StringView name) {
    return xml.isStartElement() && Is(xml, ns, name);
}
bool IsEnd(const QXmlStreamReader& xml, const QString& ns, QLatin1StringView name) {
    return xml.isEndElement() && Is(xml, ns, name);
}

// A repeat count: at least 1, at most limit (a file may claim any number).
int64_t Repeat(const QXmlStreamReader& xml, QLatin1StringView name, int64_t limit) {
    const QStringView text = xml.attributes().value(kTable, name);
    if (text.isEmpty())
        return 1;
    bool ok = false;
    const qlonglong n = text.size() <= 12 ? text.toLongLong(&ok) : limit;
    return std::clamp<int64_t>(ok ? n : limit, 1, limit);
}

// Reads content.xml up to the start of the sheet at index (or to its end when index is -1),
// collecting the names of the sheets passed. False when the file holds no such sheet.
bool SeekSheet(TSheetZip& zip, QXmlStreamReader& xml, int index, QStringList* names) {
    bool spreadsheet = false;
    int seen = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (IsStart(xml, kOffice, QLatin1StringView("spreadsheet")))
            spreadsheet = true;
        if (!spreadsheet || !IsStart(xml, kTable, QLatin1StringView("table")))
            continue;
        if (seen++ == index)
            return true;
        if (names)
            names->append(xml.attributes().value(kTable, QLatin1StringView("name")).toString());
        xml.skipCurrentElement();
    }
    zip.Check(xml, kContent);
    if (!spreadsheet)
        zip.Fail(SheetText::NotASpreadsheet);
    return false;
}
} // namespace

namespace Ods {
bool IsDocument(TSheetZip& zip) {
    if (!zip.Has(kContent))
        return false;
    if (!zip.Has(QStringLiteral("mimetype")))
        return true;
    const std::unique_ptr<QIODevice> type = zip.Open(QStringLiteral("mimetype"));
    return type->read(200).contains("spreadsheet");
}

bool IsLocked(TSheetZip& zip) {
    const QString manifest = QStringLiteral("META-INF/manifest.xml");
    if (!zip.Has(manifest))
        return false;
    const std::unique_ptr<QIODevice> device = zip.Open(manifest);
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1StringView("encryption-data"))
            return true;
    }
    return false; // a damaged manifest is no reason to refuse the content
}

QStringList SheetNames(TSheetZip& zip) {
    const std::unique_ptr<QIODevice> device = zip.Open(kContent);
    QXmlStreamReader xml(device.get());
    QStringList names;
    SeekSheet(zip, xml, -1, &names);
    return names;
}
} // namespace Ods

TOdsCursor::TOdsCursor(TSheetZip& zip, int index) : m_zip(zip) {
    m_device = zip.Open(kContent);
    m_xml.setDevice(m_device.get());
    if (!SeekSheet(zip, m_xml, index, nullptr))
        zip.Fail(SheetText::NoSheets);
    m_sheet = m_xml.attributes().value(kTable, QLatin1StringView("name")).toString();
}

TOdsCursor::~TOdsCursor() = default;

bool TOdsCursor::Next() {
    m_xml.readNext();
    m_zip.Check(m_xml, kContent);
    return !m_xml.atEnd();
}

bool TOdsCursor::NextRow(TSheetRow& row) {
    while (!m_done && Next()) {
        if (IsEnd(m_xml, kTable, QLatin1StringView("table")))
            break;
        if (!IsStart(m_xml, kTable, QLatin1StringView("table-row")))
            continue;
        const int64_t rows =
            Repeat(m_xml, QLatin1StringView("number-rows-repeated"), SheetLimits::MaxRows);
        TImportRecord cells;
        int64_t column = 0;
        while (Next() && !IsEnd(m_xml, kTable, QLatin1StringView("table-row"))) {
            const bool covered = IsStart(m_xml, kTable, QLatin1StringView("covered-table-cell"));
            if (!covered && !IsStart(m_xml, kTable, QLatin1StringView("table-cell")))
                continue;
            const int64_t columns = Repeat(m_xml, QLatin1StringView("number-columns-repeated"),
                                           SheetLimits::MaxColumns);
            QString text = ReadCell();
            if (covered) // under a merged cell: hidden, whatever it still holds
                text.clear();
            if (!text.isEmpty()) {
                if (column + columns > SheetLimits::MaxColumns)
                    m_zip.Fail(SheetText::SheetTooLarge, m_sheet);
                for (int64_t i = 0; i < columns; ++i)
                    PlaceCell(cells, column + i, text);
            }
            column = std::min(column + columns, SheetLimits::MaxColumns + 1);
        }
        const int64_t number = m_nextRow;
        m_nextRow += rows;
        if (cells.isEmpty())
            continue;
        if (number + rows - 1 > SheetLimits::MaxRows)
            m_zip.Fail(SheetText::SheetTooLarge, m_sheet);
        row.number = number;
        row.repeat = rows;
        row.cells = std::move(cells);
        return true;
    }
    m_done = true;
    return false;
}

QString TOdsCursor::ReadCell() {
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const QStringView type = attributes.value(kOffice, QLatin1StringView("value-type"));
    if (type == u"boolean") {
        const QStringView value = attributes.value(kOffice, QLatin1StringView("boolean-value"));
        m_xml.skipCurrentElement();
        m_zip.Check(m_xml, kContent);
        return value == u"true" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    }
    QStringList paragraphs;
    while (Next() && !m_xml.isEndElement()) {
        if (!m_xml.isStartElement())
            continue;
        if (IsStart(m_xml, kText, QLatin1StringView("p")))
            paragraphs.append(ReadParagraph());
        else
            m_xml.skipCurrentElement(); // notes, drawings, nested tables: not the cell's text
        m_zip.Check(m_xml, kContent);
    }
    if (!paragraphs.isEmpty())
        return paragraphs.join(u'\n');
    // Without paragraphs (files not written by an office suite) the value stands alone.
    if (type == u"string")
        return attributes.value(kOffice, QLatin1StringView("string-value")).toString();
    if (type == u"date")
        return attributes.value(kOffice, QLatin1StringView("date-value")).toString();
    if (type == u"time")
        return attributes.value(kOffice, QLatin1StringView("time-value")).toString();
    if (!type.isEmpty())
        return attributes.value(kOffice, QLatin1StringView("value")).toString();
    return {};
}

QString TOdsCursor::ReadParagraph() {
    QString text;
    int depth = 0;
    while (Next()) {
        if (m_xml.isCharacters()) {
            text += m_xml.text();
        } else if (m_xml.isStartElement()) {
            if (Is(m_xml, kText, QLatin1StringView("s"))) {
                const QStringView count = m_xml.attributes().value(kText, QLatin1StringView("c"));
                text += QString(count.isEmpty() ? 1 : std::clamp(count.toInt(), 1, 1024), u' ');
                m_xml.skipCurrentElement();
            } else if (Is(m_xml, kText, QLatin1StringView("tab"))) {
                text += u'\t';
                m_xml.skipCurrentElement();
            } else if (Is(m_xml, kText, QLatin1StringView("line-break"))) {
                text += u'\n';
                m_xml.skipCurrentElement();
            } else if (Is(m_xml, kOffice, QLatin1StringView("annotation")) ||
                       Is(m_xml, kText, QLatin1StringView("note"))) {
                m_xml.skipCurrentElement();
            } else {
                ++depth; // spans and links hold text of the paragraph
            }
        } else if (m_xml.isEndElement()) {
            if (depth == 0)
                break;
            --depth;
        }
    }
    m_zip.Check(m_xml, kContent);
    return text;
}
