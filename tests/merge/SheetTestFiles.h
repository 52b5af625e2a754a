#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

// Spreadsheet files made in the tests, part by part, for the cases office suites never write.
using TParts = QList<QPair<QString, QByteArray>>;

// Writes a zip archive holding parts; the path, or empty when it could not be written.
inline QString WriteZip(const QString& path, const TParts& parts) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    for (const auto& [name, bytes] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) ||
            file.write(bytes) != bytes.size())
            return {};
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0 ? path : QString();
}

// The parts of an .xlsx workbook with one sheet per entry of sheets (its name and the inside of
// its <sheetData>), the inside of <sst> when shared is not empty, the inside of <styleSheet>,
// and the inside of <workbook> before <sheets> (a <workbookPr>).
inline TParts XlsxParts(const QList<QPair<QString, QByteArray>>& sheets,
                        const QByteArray& shared = {}, const QByteArray& styles = {},
                        const QByteArray& workbookPr = {}) {
    const QByteArray rels = "http://schemas.openxmlformats.org/package/2006/relationships";
    const QByteArray type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    TParts parts;
    parts.append(
        QPair<QString, QByteArray>{"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>"});
    parts.append(QPair<QString, QByteArray>{
        "_rels/.rels", "<Relationships xmlns=\"" + rels + "\"><Relationship Id=\"w\" Type=\"" +
                           type +
                           "officeDocument\" Target=\"/xl/workbook.xml\"/></Relationships>"});
    QByteArray book = "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + type.chopped(1) + "\">" +
                      workbookPr + "<sheets>";
    QByteArray bookRels = "<Relationships xmlns=\"" + rels + "\">";
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        book += "<sheet name=\"" + sheets[i].first.toUtf8() + "\" sheetId=\"" + n +
                "\" r:id=\"rId" + n + "\"/>";
        bookRels += "<Relationship Id=\"rId" + n + "\" Type=\"" + type +
                    "worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts.append(
            QPair<QString, QByteArray>{"xl/worksheets/sheet" + QString::number(i + 1) + ".xml",
                                       "<worksheet xmlns=\"" + main + "\"><sheetData>" +
                                           sheets[i].second + "</sheetData></worksheet>"});
    }
    if (!shared.isEmpty()) {
        bookRels += "<Relationship Id=\"rIdS\" Type=\"" + type +
                    "sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts.append(QPair<QString, QByteArray>{
            "xl/sharedStrings.xml", "<sst xmlns=\"" + main + "\">" + shared + "</sst>"});
    }
    bookRels += "<Relationship Id=\"rIdT\" Type=\"" + type + "styles\" Target=\"styles.xml\"/>";
    parts.append(QPair<QString, QByteArray>{"xl/styles.xml", "<styleSheet xmlns=\"" + main + "\">" +
                                                                 styles + "</styleSheet>"});
    parts.append(QPair<QString, QByteArray>{"xl/workbook.xml", book + "</sheets></workbook>"});
    parts.append(
        QPair<QString, QByteArray>{"xl/_rels/workbook.xml.rels", bookRels + "</Relationships>"});
    return parts;
}

// The parts of an .ods document whose content holds tables (each <table:table> element whole).
inline TParts OdsParts(const QByteArray& tables, const QByteArray& body = "office:spreadsheet") {
    return {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml",
             "<?xml version=\"1.0\"?><office:document-content "
             "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
             "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
             "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><" +
                 body + ">" + tables + "</" + body + "></office:body></office:document-content>"}};
}
