#include "merge/SheetRows.h"
#include "MergeTestFiles.h"
#include "SheetTestFiles.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {
struct TRow {
    int64_t position;
    QStringList cells;
    bool operator==(const TRow&) const = default;
};
using TRows = QList<TRow>;

void PrintTo(const TRow& row, std::ostream* os) {
    *os << row.position << ": [" << row.cells.join(QStringLiteral("|")).toStdString() << "]";
}

TRows ReadAll(const QString& path, const QString& sheet = QString()) {
    TSheetRows rows(path, sheet);
    TRows all;
    TImportRecord record;
    int64_t position = 0;
    while (!rows.AtEnd()) {
        EXPECT_TRUE(rows.ReadRecord(record, position));
        all.append({position, record});
    }
    return all;
}

// The message of the TUserError that reading the sheet throws; empty when none is thrown.
QString ReadError(const QString& path, const QString& sheet = QString()) {
    try {
        ReadAll(path, sheet);
    } catch (const TUserError& e) {
        return e.Message();
    }
    return {};
}

QString Fixture(const char* extension) {
    return TestDataPath(QStringLiteral("sheets/workbook.") + QLatin1StringView(extension));
}

class SheetRowsTest : public ::testing::Test {
protected:
    QString Zip(const TParts& parts, const QString& name = QStringLiteral("data.xlsx")) {
        return WriteZip(m_scratch.File(name), parts);
    }
    // A workbook of one sheet holding sheetData, with shared strings and styles.
    QString Xlsx(const QByteArray& sheetData, const QByteArray& shared = {},
                 const QByteArray& styles = {}, const QByteArray& workbookPr = {}) {
        return Zip(XlsxParts({{QStringLiteral("Sheet1"), sheetData}}, shared, styles, workbookPr));
    }
    QString Ods(const QByteArray& rows) {
        return Zip(OdsParts("<table:table table:name=\"Sheet1\">" + rows + "</table:table>"),
                   QStringLiteral("data.ods"));
    }
    TScratchFolder m_scratch;
};
} // namespace

TEST(SheetFileNames, SpreadsheetsByExtensionInAnyCase) {
    EXPECT_TRUE(IsSpreadsheetFile(QStringLiteral("/data/orders.xlsx")));
    EXPECT_TRUE(IsSpreadsheetFile(QStringLiteral("C:\\Data\\ORDERS.XLSX")));
    EXPECT_TRUE(IsSpreadsheetFile(QStringLiteral("stock.Ods")));
    EXPECT_FALSE(IsSpreadsheetFile(QStringLiteral("orders.csv")));
    EXPECT_FALSE(IsSpreadsheetFile(QStringLiteral("orders.xls")));
    EXPECT_FALSE(IsSpreadsheetFile(QStringLiteral("xlsx")));
    EXPECT_FALSE(IsSpreadsheetFile(QStringLiteral("orders.xlsx.txt")));
}

// The workbook saved by an office suite, in both formats: every cell as the sheet shows it.
TEST(SheetFixtures, ProductsShowAsInTheSheet) {
    const TRows expected = {
        {1, {"Code", "Name", "Price", "Qty", "Added", "Active", "Share", "Note"}},
        {2,
         {"4006381333931", "Widget, large", "0.3", "12", "2024-03-05", "TRUE", "25%",
          "Say \"hi\", then 'bye'"}},
        {3,
         {"00042", "Žluťoučký kůň", "1,234.50", "", "31/12/2023", "FALSE", "12.5%",
          "first line\nsecond line"}},
        {4, {}},
        {5, {"Merged over two", "", "2.68", "24", "4 Jul 2025", "", "", "日本語 テキスト"}},
        {6, {"-3.5", "München", "0.333333333333333", "AB", "13:30"}},
    };
    for (const char* format : {"xlsx", "ods"}) {
        SCOPED_TRACE(format);
        EXPECT_EQ(ReadAll(Fixture(format)), expected);
        EXPECT_EQ(ReadAll(Fixture(format), QStringLiteral("Products")), expected);
    }
}

TEST(SheetFixtures, BothFormatsGiveTheSameRecordsOnEverySheet) {
    const QStringList names = {"Products", "Dates", "Gaps"};
    EXPECT_EQ(SpreadsheetSheetNames(Fixture("xlsx")), names);
    EXPECT_EQ(SpreadsheetSheetNames(Fixture("ods")), names);
    for (const QString& sheet : names) {
        SCOPED_TRACE(sheet.toStdString());
        const TRows xlsx = ReadAll(Fixture("xlsx"), sheet);
        EXPECT_FALSE(xlsx.isEmpty());
        EXPECT_EQ(xlsx, ReadAll(Fixture("ods"), sheet));
    }
    EXPECT_EQ(ReadAll(Fixture("xlsx"), QStringLiteral("Dates")),
              TRows({{1,
                      {"2024-02-29", "29/02/2024", "29 Feb 2024", "2/29/2024", "29.02.2024 08:05",
                       "07:45"}}}));
}

TEST(SheetFixtures, EmptyRowsBetweenCountButNotAfter) {
    const TRows expected = {{1, {}}, {2, {}}, {3, {"", "", "C3"}},         {4, {}},
                            {5, {}}, {6, {}}, {7, {"A7", "", "", "", "5"}}};
    EXPECT_EQ(ReadAll(Fixture("xlsx"), QStringLiteral("Gaps")), expected);
    EXPECT_EQ(ReadAll(Fixture("ods"), QStringLiteral("Gaps")), expected);
}

TEST(SheetFixtures, SheetChosenByNameExactlyThenIgnoringCase) {
    for (const char* format : {"xlsx", "ods"}) {
        SCOPED_TRACE(format);
        EXPECT_EQ(ReadAll(Fixture(format), QStringLiteral("dATES")).value(0).cells.value(0),
                  "2024-02-29");
        const QString message = ReadError(Fixture(format), QStringLiteral("Prices"));
        EXPECT_TRUE(message.contains(QStringLiteral("workbook.") + QLatin1StringView(format)))
            << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("\"Prices\"")));
        EXPECT_TRUE(message.contains(QStringLiteral("\"Products\", \"Dates\", \"Gaps\"")))
            << message.toStdString();
    }
}

TEST_F(SheetRowsTest, ExactNameWinsOverOneDifferingInCase) {
    const QString path =
        Zip(XlsxParts({{"data", "<row><c t=\"inlineStr\"><is><t>lower</t></is></c></row>"},
                       {"Data", "<row><c t=\"inlineStr\"><is><t>upper</t></is></c></row>"},
                       {"Other", "<row><c><v>3</v></c></row>"}}));
    EXPECT_EQ(ReadAll(path, QStringLiteral("Data")).value(0).cells, QStringList{"upper"});
    EXPECT_EQ(ReadAll(path, QStringLiteral("data")).value(0).cells, QStringList{"lower"});
    EXPECT_EQ(ReadAll(path, QStringLiteral("OTHER")).value(0).cells, QStringList{"3"});
    EXPECT_EQ(ReadAll(path).value(0).cells, QStringList{"lower"});
}

// Parts found however a producer names them: absolute or backslashed targets, other letter case.
TEST_F(SheetRowsTest, PartsFoundAsProducersNameThem) {
    TParts parts = XlsxParts({{"Only", "<row><c><v>1</v></c></row>"}});
    for (auto& [name, bytes] : parts) {
        if (name == u"xl/_rels/workbook.xml.rels")
            bytes.replace("Target=\"worksheets/sheet1.xml\"", "Target=\"worksheets\\Sheet1.XML\"");
    }
    EXPECT_EQ(ReadAll(Zip(parts)), TRows({{1, {"1"}}}));
    for (auto& [name, bytes] : parts) {
        if (name == u"xl/_rels/workbook.xml.rels")
            bytes.replace("Target=\"worksheets\\Sheet1.XML\"",
                          "Target=\"/xl/worksheets/sheet1.xml\"");
    }
    EXPECT_EQ(ReadAll(Zip(parts, QStringLiteral("absolute.xlsx"))), TRows({{1, {"1"}}}));
}

TEST_F(SheetRowsTest, ReferencesThatSkipCellsAndRowsLandInPlace) {
    const QString path = Xlsx("<row r=\"2\"><c r=\"C2\"><v>1</v></c><c r=\"E2\"><v>2</v></c>"
                              "<c><v>3</v></c></row>"
                              "<row r=\"3\"><c r=\"A3\" s=\"0\"/><c r=\"B3\" t=\"s\"/></row>"
                              "<row r=\"5\"><c r=\"B5\"><v>4</v></c><c r=\"D5\" s=\"0\"/></row>"
                              "<row><c r=\"A6\"><v>5</v></c></row>"
                              "<row r=\"9\"><c r=\"F9\"/></row>");
    EXPECT_EQ(ReadAll(path), TRows({{1, {}},
                                    {2, {"", "", "1", "", "2", "3"}},
                                    {3, {}},
                                    {4, {}},
                                    {5, {"", "4"}},
                                    {6, {"5"}}}));
}

TEST_F(SheetRowsTest, StringsSharedInlineRichAndEscaped) {
    const QString path = Xlsx(
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><r><t>in</t></r><r><t xml:space=\"preserve\">line </t>"
        "</r></is></c><c r=\"D1\" t=\"s\"><v>2</v></c><c r=\"E1\" t=\"str\"><f>A1&amp;B1</f>"
        "<v>from formula</v></c><c r=\"F1\" t=\"e\"><v>#DIV/0!</v></c></row>",
        "<si><t>plain, with comma</t></si>"
        "<si><r><rPr><b/></rPr><t>bold</t></r><r><t xml:space=\"preserve\"> and plain</t></r>"
        "<rPh sb=\"0\" eb=\"1\"><t>ふりがな</t></rPh></si>"
        "<si><t>a_x000D_\nb _x005F_x0041_</t></si>");
    EXPECT_EQ(ReadAll(path), TRows({{1,
                                     {"plain, with comma", "bold and plain", "inline ",
                                      "a\r\nb _x0041_", "from formula", "#DIV/0!"}}}));
}

TEST_F(SheetRowsTest, NumbersDatesAndBooleansByTheirFormat) {
    const QByteArray styles =
        "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy\\-mm\\-dd\"/>"
        "<numFmt numFmtId=\"165\" formatCode=\"d mmm yyyy\"/>"
        "<numFmt numFmtId=\"166\" formatCode=\"&quot;No. &quot;00000\"/></numFmts>"
        "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
        "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
        "<xf numFmtId=\"165\"/><xf numFmtId=\"2\"/><xf numFmtId=\"9\"/><xf numFmtId=\"3\"/>"
        "<xf numFmtId=\"20\"/><xf numFmtId=\"22\"/><xf numFmtId=\"166\"/></cellXfs>";
    const QString path = Xlsx(
        "<row r=\"1\"><c><v>0.30000000000000004</v></c><c><v>42</v></c><c><v>1E+20</v></c>"
        "<c><v>-1.5</v></c><c s=\"99\"><v>7.0</v></c><c t=\"n\"><v>123456789012</v></c></row>"
        "<row r=\"2\"><c s=\"1\"><v>45356</v></c><c s=\"2\"><v>45356</v></c><c s=\"3\">"
        "<v>45356</v></c><c s=\"7\"><v>0.5625</v></c><c s=\"8\"><v>45356.75</v></c></row>"
        "<row r=\"3\"><c s=\"4\"><v>2.675</v></c><c s=\"5\"><v>0.256</v></c><c s=\"6\">"
        "<v>1234567.8</v></c><c s=\"9\"><v>42</v></c><c t=\"b\"><v>1</v></c><c t=\"b\"><v>0</v>"
        "</c></row>"
        "<row r=\"4\"><c t=\"d\" s=\"2\"><v>2024-03-05T00:00:00</v></c><c><v>n/a</v></c></row>",
        {}, styles);
    EXPECT_EQ(ReadAll(path),
              TRows({{1, {"0.3", "42", "1E+20", "-1.5", "7", "123456789012"}},
                     {2, {"3/5/2024", "2024-03-05", "5 Mar 2024", "13:30", "3/5/2024 18:00"}},
                     {3, {"2.68", "26%", "1,234,568", "No. 00042", "TRUE", "FALSE"}},
                     {4, {"2024-03-05", "n/a"}}}));
}

TEST_F(SheetRowsTest, DatesOfA1904Workbook) {
    const QString path = Xlsx("<row><c s=\"1\"><v>0</v></c><c s=\"1\"><v>43894</v></c></row>", {},
                              "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs>",
                              "<workbookPr date1904=\"1\"/>");
    EXPECT_EQ(ReadAll(path), TRows({{1, {"1/1/1904", "3/5/2024"}}}));
}

TEST_F(SheetRowsTest, EndOfRecordsLeavesRecordAndPositionAlone) {
    TSheetRows rows(Xlsx("<row r=\"2\"><c><v>1</v></c></row>"), QString());
    TImportRecord record;
    int64_t position = 0;
    EXPECT_FALSE(rows.AtEnd());
    ASSERT_TRUE(rows.ReadRecord(record, position));
    EXPECT_EQ(position, 1);
    EXPECT_TRUE(record.isEmpty());
    ASSERT_TRUE(rows.ReadRecord(record, position));
    EXPECT_EQ(position, 2);
    EXPECT_TRUE(rows.AtEnd());
    EXPECT_FALSE(rows.ReadRecord(record, position));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(record, QStringList{"1"});
}

TEST_F(SheetRowsTest, EmptyAndHeaderlessSheetsGiveNoRecords) {
    EXPECT_TRUE(ReadAll(Xlsx({})).isEmpty());
    EXPECT_TRUE(ReadAll(Xlsx("<row r=\"1\"><c r=\"A1\" s=\"1\"/></row><row r=\"2\"/>")).isEmpty());
    EXPECT_TRUE(ReadAll(Ods({})).isEmpty());
}

TEST_F(SheetRowsTest, OdsRepeatedEmptyRowsAndColumnsAreNeverExpanded) {
    const QString path =
        Ods("<table:table-row table:number-rows-repeated=\"2\"><table:table-cell "
            "table:number-columns-repeated=\"16384\"/></table:table-row>"
            "<table:table-row><table:table-cell table:number-columns-repeated=\"3\"/>"
            "<table:table-cell office:value-type=\"string\"><text:p>x</text:p></table:table-cell>"
            "<table:table-cell table:number-columns-repeated=\"16380\"/></table:table-row>"
            "<table:table-row table:number-rows-repeated=\"1048573\"><table:table-cell "
            "table:number-columns-repeated=\"16384\"/></table:table-row>");
    EXPECT_EQ(ReadAll(path), TRows({{1, {}}, {2, {}}, {3, {"", "", "", "x"}}}));
}

TEST_F(SheetRowsTest, OdsRepeatsThatHoldSomethingExpandAndCellsUnderAMergeAreEmpty) {
    const QString path = Ods(
        "<table:table-row table:number-rows-repeated=\"3\"><table:table-cell "
        "table:number-columns-repeated=\"2\" office:value-type=\"float\" office:value=\"7\">"
        "<text:p>7</text:p></table:table-cell><table:covered-table-cell "
        "office:value-type=\"string\">"
        "<text:p>hidden under the merge</text:p></table:covered-table-cell><table:table-cell "
        "office:value-type=\"string\"><text:p>end</text:p></table:table-cell>"
        "</table:table-row><table:table-row><table:table-cell/></table:table-row>"
        "<table:table-row><table:table-cell office:value-type=\"boolean\" "
        "office:boolean-value=\"true\"><text:p>WAHR</text:p></table:table-cell></table:table-row>");
    const QStringList row = {"7", "7", "", "end"};
    EXPECT_EQ(ReadAll(path), TRows({{1, row}, {2, row}, {3, row}, {4, {}}, {5, {"TRUE"}}}));
}

TEST_F(SheetRowsTest, OdsParagraphTextAsShown) {
    const QString path =
        Ods("<table:table-row><table:table-cell office:value-type=\"string\"><text:p>a<text:s "
            "text:c=\"3\"/>b<text:s/>c<text:tab/>d<text:line-break/>e</text:p><text:p><text:span>"
            "span</text:span> <text:a>link</text:a></text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"float\" office:value=\"1.5\"><office:annotation>"
            "<text:p>a note</text:p></office:annotation><text:p>1.50 kg</text:p></table:table-cell>"
            "<table:table-cell office:value-type=\"float\" office:value=\"2.25\"/>"
            "<table:table-cell office:value-type=\"string\" office:string-value=\"bare\"/>"
            "</table:table-row>");
    EXPECT_EQ(ReadAll(path), TRows({{1, {"a   b c\td\ne\nspan link", "1.50 kg", "2.25", "bare"}}}));
}

TEST_F(SheetRowsTest, BadFilesAreRefusedNamingTheFile) {
    const QString garbage = WriteBytes(m_scratch.File("garbage.xlsx"), "this is no zip archive");
    const QString noParts = Zip({{"readme.txt", "hello"}}, QStringLiteral("empty.xlsx"));
    const QString noSheets = Zip(XlsxParts({}), QStringLiteral("nosheets.xlsx"));
    TParts cut = XlsxParts({{"S", "<row><c><v>1</v></c></row><row><c><v>2</v></c></row>"}});
    for (auto& part : cut)
        if (part.first.contains(u"worksheets/"))
            part.second.chop(40);
    const QString damaged = Zip(cut, QStringLiteral("damaged.xlsx"));
    TParts withoutSheet = XlsxParts({{"S", {}}});
    withoutSheet.removeIf([](const auto& part) { return part.first.contains(u"worksheets/"); });
    const QString missingPart = Zip(withoutSheet, QStringLiteral("missing.xlsx"));
    const QString wordDocument = Zip(
        {{"_rels/.rels", "<Relationships><Relationship Id=\"d\" Type=\"http://x/officeDocument\" "
                         "Target=\"word/document.xml\"/></Relationships>"},
         {"word/document.xml", "<document><body/></document>"}},
        QStringLiteral("letter.xlsx"));
    const QString binary =
        WriteBytes(m_scratch.File("old.xlsx"),
                   QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(512, '\0'));
    const QString locked = Zip(
        OdsParts("<table:table table:name=\"S\"/>") +
            TParts{{"META-INF/manifest.xml",
                    "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:"
                    "xmlns:manifest:1.0\"><manifest:file-entry manifest:full-path=\"content.xml\">"
                    "<manifest:encryption-data/></manifest:file-entry></manifest:manifest>"}},
        QStringLiteral("locked.ods"));
    const QString textDocument =
        Zip(OdsParts("<text:p>letter</text:p>", "office:text"), QStringLiteral("letter.ods"));
    struct {
        QString path;
        const char* says;
        bool namesRead; // the file as a whole is sound: only its sheet is not
    } cases[] = {
        {m_scratch.File("absent.xlsx"), "Cannot open", false},
        {garbage, "not an .xlsx or .ods", false},
        {noParts, "not an .xlsx or .ods", false},
        {noSheets, "holds no sheets", true},
        {damaged, "damaged", true},
        {missingPart, "lacks its part \"xl/worksheets/sheet1.xml\"", true},
        {textDocument, "not an .xlsx or .ods", false},
        {wordDocument, "not an .xlsx or .ods", false},
        {binary, "older binary spreadsheet or is protected by a password", false},
        {locked, "protected by a password", false},
        {Xlsx("<row><c t=\"s\"><v>3</v></c></row>", "<si><t>only</t></si>"), "no shared string 3",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QString message = ReadError(c.path);
        EXPECT_TRUE(message.contains(QFileInfo(c.path).fileName())) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1StringView(c.says))) << message.toStdString();
        if (c.namesRead)
            EXPECT_NO_THROW(SpreadsheetSheetNames(c.path));
        else
            EXPECT_THROW(SpreadsheetSheetNames(c.path), TUserError);
    }
}

TEST_F(SheetRowsTest, CellsOutsideASheetAreRefused) {
    struct {
        QByteArray sheetData;
        const char* says;
    } cases[] = {
        {"<row r=\"1\"><c r=\"XFD1048577\"><v>1</v></c></row>", "XFD1048577"},
        {"<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", "XFE1"},
        {"<row r=\"1\"><c r=\"AAAAAAAAAAAAAAAAAAAAA1\"><v>1</v></c></row>", "AAAAAAAAAA"},
        {"<row r=\"1\"><c r=\"7\"><v>1</v></c></row>", "\"7\""},
        {"<row r=\"0\"><c><v>1</v></c></row>", "\"0\""},
        {"<row r=\"99999999999999999999\"><c><v>1</v></c></row>", "99999999999999999999"},
        {"<row r=\"5\"><c><v>1</v></c></row><row r=\"3\"><c><v>1</v></c></row>", "row 3 after"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sheetData.toStdString());
        const QString message = ReadError(Xlsx(c.sheetData));
        EXPECT_TRUE(message.contains(QStringLiteral("data.xlsx"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1StringView(c.says))) << message.toStdString();
    }
    // The last cell of a sheet is one.
    EXPECT_EQ(
        ReadAll(Xlsx("<row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>")).last().position,
        1048576);
    const QString wide =
        Ods("<table:table-row><table:table-cell table:number-columns-repeated=\"16380\"/>"
            "<table:table-cell table:number-columns-repeated=\"5\" office:value-type=\"string\">"
            "<text:p>x</text:p></table:table-cell></table:table-row>");
    EXPECT_TRUE(ReadError(wide).contains(QStringLiteral("beyond column XFD")));
}

// Cuts of the office suite's files, and of a sheet's XML every few bytes, either read in
// row order or is refused with a message: nothing crashes and nothing reads forever.
// A part whose compressed data is damaged fails every read without reaching its end; the
// reader must take that as damage, not wait for more.
TEST_F(SheetRowsTest, DamagedCompressedPartIsRefused) {
    const QString path = TestDataPath(QStringLiteral("sheets/damaged-deflate.xlsx"));
    try {
        SpreadsheetSheetNames(path);
        ADD_FAILURE() << "read";
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("\"xl/workbook.xml\" cannot be unpacked")))
            << e.Message().toStdString();
    }
    EXPECT_THROW(TSheetRows(path, QString()), TUserError);
}

TEST_F(SheetRowsTest, CutFilesAreReadOrRefused) {
    int refused = 0;
    auto readOrRefuse = [&refused](const QString& path) {
        try {
            int64_t expected = 0;
            for (const TRow& row : ReadAll(path))
                EXPECT_EQ(row.position, ++expected);
        } catch (const TUserError& e) {
            EXPECT_TRUE(e.Message().contains(QFileInfo(path).fileName()));
            ++refused;
        }
    };
    for (const char* format : {"xlsx", "ods"}) {
        QFile file(Fixture(format));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (qsizetype size = 0; size < bytes.size(); size += 61)
            readOrRefuse(
                WriteBytes(m_scratch.File(QStringLiteral("cut.") + format), bytes.left(size)));
    }
    const QByteArray sheet = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" "
                             "t=\"inlineStr\"><is><t>x</t></is></c></row><row r=\"3\"><c r=\"C3\">"
                             "<v>2.5</v></c></row>";
    TParts parts = XlsxParts({{"S", sheet}}, "<si><t>a</t></si>");
    for (auto& part : parts) {
        if (!part.first.contains(u"worksheets/"))
            continue;
        const QByteArray whole = part.second;
        for (qsizetype size = 0; size < whole.size(); size += 3) {
            part.second = whole.left(size);
            readOrRefuse(Zip(parts));
        }
        part.second = whole;
    }
    EXPECT_GT(refused, 100);
}
