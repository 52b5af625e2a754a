// Reading a large spreadsheet sheet row by row, as a merged print run does, and its memory.
//
//   sheet_rows_driver                      generates a 100,000-row, 6-column .xlsx and .ods in
//                                          /tmp and reads each, printing rows/s and peak RSS
//   sheet_rows_driver ROWS                 the same with ROWS rows
//   sheet_rows_driver --dump FILE [SHEET]  prints the records of a sheet, one per line
//
// Peak RSS is the process's maximum resident set size (getrusage), so run one format per
// process when comparing: sheet_rows_driver ROWS xlsx, or ROWS ods.

#include "merge/SheetRows.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

namespace {
const char* const kCities[] = {"Ostrava", "Brno", "Praha", "Olomouc", "Zl\xC3\xADn", "Opava"};

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Writes one part of a zip through write, which is handed the open part.
bool WritePart(QuaZip& zip, const QString& name, const std::function<void(QIODevice&)>& write) {
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
        return false;
    write(file);
    file.close();
    return file.getZipError() == 0;
}

bool WriteText(QuaZip& zip, const QString& name, const QByteArray& text) {
    return WritePart(zip, name, [&](QIODevice& d) { d.write(text); });
}

// Row r's six cells: an id, a name, a city, a price, a date serial, a quantity.
QByteArray Name(long r) {
    return "Customer " + QByteArray::number(r % 5000);
}
double Price(long r) {
    return (r % 10000) / 100.0 + 0.1;
}

bool MakeXlsx(const QString& path, long rows) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = WriteText(zip, "[Content_Types].xml",
                        "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/"
                        "package/2006/content-types\"/>");
    ok = ok && WriteText(zip, "_rels/.rels",
                         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas."
                         "openxmlformats.org/package/2006/relationships\"><Relationship Id=\"r1\" "
                         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                         "relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
                         "</Relationships>");
    ok = ok && WriteText(zip, "xl/workbook.xml",
                         "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats."
                         "org/spreadsheetml/2006/main\" xmlns:r=\"http://schemas.openxmlformats."
                         "org/officeDocument/2006/relationships\"><sheets><sheet name=\"Data\" "
                         "sheetId=\"1\" r:id=\"s1\"/></sheets></workbook>");
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    ok = ok && WriteText(zip, "xl/_rels/workbook.xml.rels",
                         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas."
                         "openxmlformats.org/package/2006/relationships\"><Relationship Id=\"s1\" "
                         "Type=\"" +
                             rel +
                             "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                             "<Relationship Id=\"s2\" Type=\"" +
                             rel +
                             "sharedStrings\" "
                             "Target=\"sharedStrings.xml\"/><Relationship Id=\"s3\" Type=\"" +
                             rel + "styles\" Target=\"styles.xml\"/></Relationships>");
    ok = ok && WriteText(zip, "xl/styles.xml",
                         "<?xml version=\"1.0\"?><styleSheet><numFmts><numFmt numFmtId=\"164\" "
                         "formatCode=\"yyyy-mm-dd\"/></numFmts><cellXfs><xf numFmtId=\"0\"/>"
                         "<xf numFmtId=\"164\"/><xf numFmtId=\"4\"/></cellXfs></styleSheet>");
    // Shared strings: 5,000 names and the cities.
    ok = ok && WritePart(zip, "xl/sharedStrings.xml", [&](QIODevice& d) {
             d.write("<?xml version=\"1.0\"?><sst>");
             for (long i = 0; i < 5000; ++i)
                 d.write("<si><t>" + Name(i) + "</t></si>");
             for (const char* city : kCities)
                 d.write(QByteArray("<si><t>") + city + "</t></si>");
             d.write("</sst>");
         });
    ok = ok && WritePart(zip, "xl/worksheets/sheet1.xml", [&](QIODevice& d) {
             d.write("<?xml version=\"1.0\"?><worksheet><sheetData>");
             for (long r = 1; r <= rows; ++r) {
                 const QByteArray n = QByteArray::number(r);
                 QByteArray row =
                     "<row r=\"" + n + "\"><c r=\"A" + n + "\"><v>" + n + "</v></c><c r=\"B" + n +
                     "\" t=\"s\"><v>" + QByteArray::number(r % 5000) + "</v></c><c r=\"C" + n +
                     "\" t=\"s\"><v>" + QByteArray::number(5000 + r % 6) + "</v></c><c r=\"D" + n +
                     "\" s=\"2\"><v>" + QByteArray::number(Price(r), 'g', 17) + "</v></c><c r=\"E" +
                     n + "\" s=\"1\"><v>" + QByteArray::number(45000 + r % 1000) +
                     "</v></c><c r=\"F" + n + "\" t=\"inlineStr\"><is><t>Note " +
                     QByteArray::number(r % 97) + "</t></is></c></row>";
                 d.write(row);
             }
             d.write("</sheetData></worksheet>");
         });
    zip.close();
    return ok && zip.getZipError() == 0;
}

bool MakeOds(const QString& path, long rows) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool ok = WriteText(zip, "mimetype", "application/vnd.oasis.opendocument.spreadsheet");
    ok = ok && WritePart(zip, "content.xml", [&](QIODevice& d) {
             d.write("<?xml version=\"1.0\"?><office:document-content "
                     "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                     "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                     "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body>"
                     "<office:spreadsheet><table:table table:name=\"Data\">");
             for (long r = 1; r <= rows; ++r) {
                 const QByteArray price = QByteArray::number(Price(r), 'f', 2);
                 d.write(
                     "<table:table-row><table:table-cell office:value-type=\"float\" "
                     "office:value=\"" +
                     QByteArray::number(r) + "\"><text:p>" + QByteArray::number(r) +
                     "</text:p></table:table-cell>"
                     "<table:table-cell office:value-type=\"string\"><text:p>" +
                     Name(r) +
                     "</text:p></table:table-cell><table:table-cell office:value-type=\"string\">"
                     "<text:p>" +
                     kCities[r % 6] +
                     "</text:p></table:table-cell>"
                     "<table:table-cell office:value-type=\"float\" office:value=\"" +
                     price + "\"><text:p>" + price +
                     "</text:p></table:table-cell>"
                     "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-01-0" +
                     QByteArray::number(1 + r % 9) + "\"><text:p>2024-01-0" +
                     QByteArray::number(1 + r % 9) +
                     "</text:p></table:table-cell>"
                     "<table:table-cell office:value-type=\"string\"><text:p>Note " +
                     QByteArray::number(r % 97) +
                     "</text:p></table:table-cell>"
                     "<table:table-cell table:number-columns-repeated=\"16378\"/>"
                     "</table:table-row>");
             }
             d.write("<table:table-row table:number-rows-repeated=\"1048576\"><table:table-cell "
                     "table:number-columns-repeated=\"16384\"/></table:table-row>"
                     "</table:table></office:spreadsheet></office:body></office:document-content>");
         });
    zip.close();
    return ok && zip.getZipError() == 0;
}

int Read(const QString& path, const QString& sheet, bool dump) {
    try {
        const long before = PeakRssKb();
        QElapsedTimer timer;
        timer.start();
        TSheetRows rows(path, sheet);
        TImportRecord record;
        int64_t position = 0;
        long count = 0;
        while (rows.ReadRecord(record, position)) {
            ++count;
            if (dump)
                std::printf("%lld: [%s]\n", static_cast<long long>(position),
                            qPrintable(record.join(QStringLiteral("] ["))));
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (!dump)
            std::printf("%s: %ld rows in %.2f s, %.0f rows/s, peak RSS %.1f MB (%.1f MB before "
                        "reading)\n",
                        qPrintable(path), count, seconds, count / seconds, PeakRssKb() / 1024.0,
                        before / 1024.0);
        return 0;
    } catch (const TUserError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == u"--dump")
        return Read(args.value(1), args.value(2), true);
    const long rows = args.isEmpty() ? 100000 : args.at(0).toLong();
    const QString only = args.value(1);
    int status = 0;
    if (only.isEmpty() || only == u"xlsx") {
        const QString xlsx = QStringLiteral("/tmp/vellumtrace-sheet-bench-%1.xlsx").arg(rows);
        if (!QFile::exists(xlsx) && !MakeXlsx(xlsx, rows))
            return 2;
        status |= Read(xlsx, QString(), false);
    }
    if (only.isEmpty() || only == u"ods") {
        const QString ods = QStringLiteral("/tmp/vellumtrace-sheet-bench-%1.ods").arg(rows);
        if (!QFile::exists(ods) && !MakeOds(ods, rows))
            return 2;
        status |= Read(ods, QString(), false);
    }
    return status;
}
