#include "merge/XlsxBook.h"
#include "merge/SheetCells.h"
#include "merge/SheetCursor.h"
#include "merge/SheetTexts.h"
#include "merge/SheetXml.h"
#include "merge/SheetZip.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace {
struct TRelation {
    QString id;
    QString type;
    QString part;
};

// Reads every element of a part, handing each start to onStart (which may read on inside it).
template <typename TOnStart> void ReadPart(TSheetZip& zip, const QString& part, TOnStart onStart) {
    const std::unique_ptr<QIODevice> device = zip.Open(part);
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement())
            onStart(xml);
    }
    zip.Check(xml, part);
}

// A relation's target as a part name: relative to the folder of the part that holds it, or from
// the archive's root when it starts with a slash. Some producers write backslashes.
QString TargetPart(const QString& folder, QString target) {
    target.replace(u'\\', u'/');
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(folder.isEmpty() ? target : folder + u'/' + target);
}

// The relations of a part (none when it has no relations part).
QList<TRelation> ReadRelations(TSheetZip& zip, const QString& part) {
    const QFileInfo info(part);
    const QString folder = info.path() == u"." ? QString() : info.path();
    const QString relsPart = (folder.isEmpty() ? QString() : folder + u'/') +
                             QStringLiteral("_rels/") + info.fileName() + QStringLiteral(".rels");
    QList<TRelation> relations;
    if (!zip.Has(relsPart))
        return relations;
    ReadPart(zip, relsPart, [&](QXmlStreamReader& xml) {
        if (!IsStart(xml, QLatin1StringView("Relationship")) ||
            SheetAttribute(xml, QLatin1StringView("TargetMode")) == u"External")
            return;
        relations.append({SheetAttribute(xml, QLatin1StringView("Id")),
                          SheetAttribute(xml, QLatin1StringView("Type")),
                          TargetPart(folder, SheetAttribute(xml, QLatin1StringView("Target")))});
    });
    return relations;
}

// The first relation whose type ends in kind (/worksheet, /styles ...); empty when none.
QString PartOfKind(const QList<TRelation>& relations, QStringView kind) {
    for (const TRelation& r : relations)
        if (r.type.endsWith(kind))
            return r.part;
    return {};
}
} // namespace

namespace Xlsx {
bool IsWorkbook(const TSheetZip& zip) {
    return zip.Has(QStringLiteral("_rels/.rels")) || zip.Has(QStringLiteral("xl/workbook.xml"));
}

TXlsxBook ReadBook(TSheetZip& zip) {
    QString workbook = PartOfKind(ReadRelations(zip, QString()), u"/officeDocument");
    if (workbook.isEmpty())
        workbook = QStringLiteral("xl/workbook.xml");
    const QList<TRelation> relations = ReadRelations(zip, workbook);
    TXlsxBook book;
    bool isWorkbook = false; // a document of another kind (a text) has another root
    ReadPart(zip, workbook, [&](QXmlStreamReader& xml) {
        if (IsStart(xml, QLatin1StringView("workbook"))) {
            isWorkbook = true;
        } else if (IsStart(xml, QLatin1StringView("workbookPr"))) {
            const QString epoch = SheetAttribute(xml, QLatin1StringView("date1904"));
            book.date1904 = epoch == u"1" || epoch == u"true";
        } else if (IsStart(xml, QLatin1StringView("sheet"))) {
            const QString id = SheetAttribute(xml, QLatin1StringView("id"));
            for (const TRelation& r : relations)
                if (r.id == id && r.type.endsWith(u"/worksheet"))
                    book.sheets.append({SheetAttribute(xml, QLatin1StringView("name")), r.part});
        }
    });
    if (!isWorkbook)
        zip.Fail(SheetText::NotASpreadsheet);
    book.sharedStrings = PartOfKind(relations, u"/sharedStrings");
    if (book.sharedStrings.isEmpty() && zip.Has(QStringLiteral("xl/sharedStrings.xml")))
        book.sharedStrings = QStringLiteral("xl/sharedStrings.xml");
    book.styles = PartOfKind(relations, u"/styles");
    if (book.styles.isEmpty() && zip.Has(QStringLiteral("xl/styles.xml")))
        book.styles = QStringLiteral("xl/styles.xml");
    return book;
}

QStringList ReadSharedStrings(TSheetZip& zip, const QString& part) {
    QStringList strings;
    int64_t held = 0;
    ReadPart(zip, part, [&](QXmlStreamReader& xml) {
        if (!IsStart(xml, QLatin1StringView("si")))
            return;
        QString text;
        int phonetic = 0; // inside <rPh>: reading aids, not shown in the cell
        while (!xml.atEnd() && !IsEnd(xml, QLatin1StringView("si"))) {
            xml.readNext();
            if (IsStart(xml, QLatin1StringView("rPh")))
                ++phonetic;
            else if (IsEnd(xml, QLatin1StringView("rPh")))
                --phonetic;
            else if (IsStart(xml, QLatin1StringView("t")) && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
        held += text.size() + 16;
        if (held > SheetLimits::MaxHeldChars)
            zip.Fail(SheetText::PartTooLarge, part,
                     QStringLiteral("%1 characters of text").arg(SheetLimits::MaxHeldChars));
        strings.append(Unescaped(text));
    });
    return strings;
}

QStringList ReadCellFormats(TSheetZip& zip, const QString& part) {
    QHash<int, QString> custom;
    QList<int> ids;
    bool cellFormats = false;
    ReadPart(zip, part, [&](QXmlStreamReader& xml) {
        if (IsStart(xml, QLatin1StringView("numFmt"))) {
            custom.insert(SheetAttribute(xml, QLatin1StringView("numFmtId")).toInt(),
                          SheetAttribute(xml, QLatin1StringView("formatCode")).left(1024));
        } else if (xml.name() == QLatin1StringView("cellXfs")) {
            cellFormats = true;
        } else if (xml.name() == QLatin1StringView("cellStyleXfs") ||
                   xml.name() == QLatin1StringView("dxfs")) {
            cellFormats = false;
        } else if (cellFormats && IsStart(xml, QLatin1StringView("xf"))) {
            if (ids.size() >= SheetLimits::MaxCellFormats)
                zip.Fail(SheetText::PartTooLarge, part,
                         QStringLiteral("%1 cell formats").arg(SheetLimits::MaxCellFormats));
            ids.append(SheetAttribute(xml, QLatin1StringView("numFmtId")).toInt());
        }
    });
    QStringList formats;
    for (int id : ids)
        formats.append(custom.contains(id) ? Xlsx::Unescaped(custom.value(id))
                                           : SheetCells::BuiltInFormat(id));
    return formats;
}

QString Unescaped(const QString& text) {
    if (!text.contains(u"_x"))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'_' && i + 6 < text.size() && text.at(i + 1) == u'x' &&
            text.at(i + 6) == u'_') {
            bool ok = false;
            const ushort code = QStringView(text).mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}
} // namespace Xlsx
