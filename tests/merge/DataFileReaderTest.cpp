#include "merge/DataFileReader.h"
#include "MergeTestFiles.h"
#include "TestSupport.h"
#include "merge/LineParsers.h"
#include "merge/TextLineReader.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {
using TRecords = QList<QStringList>;

TTextImportSettings CommaSettings(bool ignoreHeader = false) {
    TTextImportSettings settings;
    settings.ImportFormat = TImportFormat::CommaDelimited;
    settings.IgnoreHeader = ignoreHeader;
    return settings;
}

// The records a print run sees: the one current after opening, then one per further read.
TRecords ReadAll(const QString& path, const TTextImportSettings& settings) {
    TDataFileReader reader(settings);
    reader.OpenDataFile(path);
    TRecords records{reader.ImportRecord()};
    while (!reader.AtEndOfData()) {
        reader.ReadNextRecord();
        records.append(reader.ImportRecord());
    }
    reader.CloseDataFile();
    return records;
}

class DataFileReaderTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("data.csv")) {
        return WriteBytes(m_scratch.File(name), bytes);
    }
    TScratchFolder m_scratch;
};
} // namespace

TEST_F(DataFileReaderTest, LineEndsAndEndOfFile) {
    struct {
        QByteArray Bytes;
        TRecords Expected;
        const char* Why;
    } rows[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, "CR LF; the final line end adds nothing"},
        {"a\rb\r", {{"a"}, {"b"}}, "CR alone ends a line"},
        {"a\r\nb", {{"a"}, {"b"}}, "the last line needs no line end"},
        {"a\r\nb\r\n\r\n", {{"a"}, {"b"}, {}}, "an empty last line is one more record"},
        {"a\r\r\nb", {{"a"}, {}, {"b"}}, "CR then CR LF: an empty line between"},
        {"\"x\ny\",z\r\nw\r\n", {{"x\ny", "z"}, {"w"}}, "a line feed in a CR file is text"},
        {"a\nb\n", {{"a"}, {"b"}}, "a file without CR ends lines with LF"},
        {"a\n\nb", {{"a"}, {}, {"b"}}, "LF file with an empty line"},
        {"a\r\nb\x1A\r\nc\r\n", {{"a"}, {"b"}}, "Ctrl-Z ends the file"},
        {"\x1A"
         "a,b\r\n",
         {{}},
         "Ctrl-Z first: no lines"},
        {"", {{}}, "empty file: one empty record"},
        {"\r\n", {{}}, "one empty line"},
    };
    for (const auto& row : rows) {
        const QString path = Write(row.Bytes);
        EXPECT_EQ(ReadAll(path, CommaSettings()), row.Expected) << row.Why;
    }
}

TEST_F(DataFileReaderTest, HeaderLineIsSkipped) {
    QByteArray lines = "name,number\r\n";
    for (int i = 1; i <= 24; ++i)
        lines += "n" + QByteArray::number(i) + "," + QByteArray::number(i) + "\r\n";
    const TRecords records = ReadAll(Write(lines), CommaSettings(true));
    ASSERT_EQ(records.size(), 24);
    EXPECT_EQ(records.first(), QStringList({"n1", "1"}));
    EXPECT_EQ(records.last(), QStringList({"n24", "24"}));

    EXPECT_EQ(ReadAll(Write("name,number\r\n"), CommaSettings(true)),
              TRecords{QStringList({"name", "number"})})
        << "a header-only file leaves the header's fields current";
    EXPECT_EQ(ReadAll(Write(""), CommaSettings(true)), TRecords{{}});
}

TEST_F(DataFileReaderTest, EncodingIsUtf8WhenMarkedOrValidOtherwiseWindows1252) {
    struct {
        QByteArray Bytes;
        QStringList Expected;
        TTextEncoding Encoding;
    } rows[] = {
        {"\xEF\xBB\xBFname,\xC5\xBD"
         "ena\r\n",
         {"name", QString::fromUtf8("\xC5\xBD"
                                    "ena")},
         TTextEncoding::Utf8},
        {"\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD,k\xC5\xAF\xC5\x88",
         {QString::fromUtf8("\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD"),
          QString::fromUtf8("k\xC5\xAF\xC5\x88")},
         TTextEncoding::Utf8},
        {"caf\xE9,\x80 5,\x93q\x94",
         {QString::fromUtf8("caf\xC3\xA9"), QString::fromUtf8("\xE2\x82\xAC 5"),
          QString::fromUtf8("\xE2\x80\x9Cq\xE2\x80\x9D")},
         TTextEncoding::Windows1252},
        {"\xEF\xBB\xBF", {}, TTextEncoding::Utf8},
    };
    for (const auto& row : rows) {
        const QString path = Write(row.Bytes);
        EXPECT_EQ(ReadAll(path, CommaSettings()), TRecords{row.Expected});
        TTextLineReader lines(path);
        EXPECT_EQ(lines.Encoding(), row.Encoding);
    }
}

// Found by fuzzing: only the file's first three bytes are a byte order mark. EF BB BF opening a
// later line is U+FEFF in the record, and the decoded line (the import preview, non-ASCII
// separators) lost it.
TEST_F(DataFileReaderTest, AMarkOpeningALaterLineIsDataOnBothPaths) {
    const QString feff(QChar(0xFEFF));
    const struct {
        QByteArray Bytes;
        QStringList Second; // the second record
    } rows[] = {
        {"\xEF\xBB\xBF"
         "a\n\xEF\xBB\xBF"
         "b,c",
         {feff + "b", "c"}},
        {"a\r\xEF\xBB\xBF"
         "b,c",
         {feff + "b", "c"}},
        {QByteArray("\r\xEF\xBB\xBF", 4), {feff}},
        {QByteArray("\r\xEF\xBB\xBF\xEF\xBB\xBF,\xEF\xBB\xBF", 11), {feff + feff, feff}},
    };
    for (const auto& row : rows) {
        const QByteArray& bytes = row.Bytes;
        const QString path = Write(bytes);
        const TRecords records = ReadAll(path, CommaSettings());
        ASSERT_EQ(records.size(), 2) << bytes.toHex().toStdString();
        EXPECT_EQ(records[1], row.Second) << bytes.toHex().toStdString();
        TTextLineReader lines(path);
        (void)lines.ReadLine();
        const QString second = lines.ReadDecodedLine();
        EXPECT_EQ(ParseLine(CommaSettings(), second), row.Second) << bytes.toHex().toStdString();
    }
}

TEST_F(DataFileReaderTest, EncodingIsDecidedFromTheLeadingSample) {
    // A two-byte character straddling the sample's end does not make the sample invalid.
    QByteArray straddle(TTextLineReader::SampleSize - 1, 'a');
    straddle += "\xC3\xA9\r\nb";
    EXPECT_EQ(TTextLineReader(Write(straddle)).Encoding(), TTextEncoding::Utf8);

    // Past the sample, a line that is not UTF-8 decodes as Windows-1252; UTF-8 lines stay.
    QByteArray late(TTextLineReader::SampleSize + 100, 'x');
    late += "\r\ncaf\xE9\r\ncaf\xC3\xA9\r\n";
    const TRecords records = ReadAll(Write(late), CommaSettings(true));
    EXPECT_EQ(records,
              TRecords({{QString::fromUtf8("caf\xC3\xA9")}, {QString::fromUtf8("caf\xC3\xA9")}}));
}

TEST_F(DataFileReaderTest, LineEndsAreDecidedFromTheSampleOrTheFirstLineEnd) {
    struct {
        QByteArray Bytes;
        TLineEnds Expected;
    } rows[] = {
        {"a\r\nb", TLineEnds::CarriageReturn},
        {"\"multi\nline\",x\r\n", TLineEnds::CarriageReturn},
        {"a\nb\n", TLineEnds::LineFeed},
        {"single line", TLineEnds::LineFeed},
        // A header longer than the sample: the reader goes on to its line end.
        {QByteArray(TTextLineReader::SampleSize, 'a') + "\r\n", TLineEnds::CarriageReturn},
        {QByteArray(3 * TTextLineReader::SampleSize, 'a') + "\rb\rc", TLineEnds::CarriageReturn},
        {QByteArray(2 * TTextLineReader::SampleSize, 'a') + "\nb\rc", TLineEnds::LineFeed},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TTextLineReader(Write(row.Bytes)).LineEnds(), row.Expected);
}

TEST_F(DataFileReaderTest, LongLinesAndLineEndsAcrossReads) {
    // A CR LF split by the first read of the file must still be one line end.
    QByteArray split(TTextLineReader::SampleSize - 1, 'a');
    split += "\r\nnext";
    TRecords records = ReadAll(Write(split), CommaSettings());
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].value(0).size(), TTextLineReader::SampleSize - 1);
    EXPECT_EQ(records[1], QStringList{"next"});

    // Lines many times the buffer, quoted fields included, around short ones.
    const QByteArray big(5 * TTextLineReader::SampleSize + 7, 'z');
    records = ReadAll(Write("s\r\n\"" + big + "\"," + big + "\r\nt\r\n" + big), CommaSettings());
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records[0], QStringList{"s"});
    ASSERT_EQ(records[1].size(), 2);
    EXPECT_EQ(records[1][0].size(), big.size());
    EXPECT_EQ(records[1][1].size(), big.size());
    EXPECT_EQ(records[2], QStringList{"t"});
    EXPECT_EQ(records[3].value(0).size(), big.size());
}

TEST_F(DataFileReaderTest, FixedFieldFiles) {
    TTextImportSettings settings;
    settings.ImportFormat = TImportFormat::FixedField;
    settings.IgnoreHeader = false;
    settings.ColumnSizes = {3, 5};
    EXPECT_EQ(ReadAll(Write("ab  cdefghij\r\nx\r\n\xE9t\xE9"), settings),
              TRecords({{"ab", "cdef"}, {"x", ""}, {QString::fromUtf8("\xC3\xA9t\xC3\xA9"), ""}}));
}

TEST_F(DataFileReaderTest, OpenAndCloseFollowTheReaderStates) {
    const QString first = Write("h\r\n1\r\n2\r\n", QStringLiteral("first.csv"));
    const QString second = Write("h\r\nother\r\n", QStringLiteral("second.csv"));
    const TTextImportSettings settings = CommaSettings(true);
    TDataFileReader reader(settings);
    EXPECT_TRUE(reader.AtEndOfData()) << "closed: nothing to read";
    reader.ReadNextRecord(); // closed: nothing happens
    EXPECT_TRUE(reader.ImportRecord().isEmpty());

    reader.OpenDataFile(first);
    EXPECT_EQ(reader.ImportRecord(), QStringList{"1"});
    reader.OpenDataFile(second); // already open: nothing happens
    EXPECT_EQ(reader.ImportRecord(), QStringList{"1"});
    reader.ReadNextRecord();
    EXPECT_EQ(reader.ImportRecord(), QStringList{"2"});
    EXPECT_TRUE(reader.AtEndOfData());
    reader.ReadNextRecord(); // at the end the record stays
    EXPECT_EQ(reader.ImportRecord(), QStringList{"2"});

    reader.CloseDataFile();
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.ImportRecord(), QStringList{"2"}) << "the record outlives the file";
    reader.OpenDataFile(second);
    EXPECT_EQ(reader.ImportRecord(), QStringList{"other"});
}

TEST_F(DataFileReaderTest, UnreadableFilesAreReportedWithPathAndReason) {
    const QString existing = Write("h\r\nkept\r\n");
    const TTextImportSettings settings = CommaSettings(true);
    TDataFileReader reader(settings);
    reader.OpenDataFile(existing);
    reader.CloseDataFile();

    const QString missing = m_scratch.File(QStringLiteral("missing.csv"));
    QDir().mkpath(m_scratch.File(QStringLiteral("folder.csv")));
    const QString folder = m_scratch.File(QStringLiteral("folder.csv"));
    for (const QString& path : {missing, folder}) {
        try {
            reader.OpenDataFile(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const TUserError& error) {
            EXPECT_TRUE(error.Message().contains(path)) << error.what();
            EXPECT_FALSE(error.Message().endsWith(QStringLiteral(": ."))) << error.what();
        }
        EXPECT_FALSE(reader.IsOpen());
        EXPECT_EQ(reader.ImportRecord(), QStringList{"kept"}) << "a failed open changes nothing";
    }
    try {
        reader.OpenDataFile(missing);
    } catch (const TUserError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("No such file"))) << error.what();
    }
}

TEST_F(DataFileReaderTest, AFailedReadIsReportedNotTakenForTheEnd) {
    // Opening succeeds but every read fails (EIO): a real read failure, no simulation.
    const QString unreadable = QStringLiteral("/proc/self/mem");
    if (!QFile::exists(unreadable))
        GTEST_SKIP() << "needs Linux /proc";
    TDataFileReader reader(CommaSettings());
    try {
        reader.OpenDataFile(unreadable);
        ADD_FAILURE() << "no error";
    } catch (const TUserError& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("Cannot read the data file")))
            << error.what();
        EXPECT_TRUE(error.Message().contains(unreadable)) << error.what();
    }
    EXPECT_FALSE(reader.IsOpen());
}

// Files as other programs write them, checked in under tests/data/merge.
TEST(DataFileExports, ReadAsTheyLookInTheProgramsThatWroteThem) {
    TTextImportSettings csv;
    csv.ImportFormat = TImportFormat::CommaDelimited;
    EXPECT_EQ(ReadAll(TestDataPath("merge/spreadsheet-export.csv"), csv),
              TRecords({{QString::fromUtf8("Dvořák, Antonín"), QString::fromUtf8("Přímá 12\nbyt 3"),
                         "Ostrava"},
                        {QString::fromUtf8("Nováková"), "", "Brno", "She said \"ship today\""},
                        {"", "", ""}}));

    TTextImportSettings tabs; // the defaults: tab delimited, header skipped
    EXPECT_EQ(ReadAll(TestDataPath("merge/legacy-export.txt"), tabs),
              TRecords({{"A-1", QString::fromUtf8("Café crème"), QString::fromUtf8("€ 2,50")},
                        {"B-7", QString::fromUtf8("“Quoted” text"), "12"}}));
}

// A header line longer than the reader's first look, in a file whose lines end in CR alone, still
// gives its records (it used to read as one line and print nothing).
TEST_F(DataFileReaderTest, LongHeaderInACarriageReturnFile) {
    const QByteArray header = "Name," + QByteArray(70000, 'h');
    const TRecords records =
        ReadAll(Write(header + "\rAnn,1\rBob,2\r"), CommaSettings(/*ignoreHeader=*/true));
    EXPECT_EQ(records, TRecords({{"Ann", "1"}, {"Bob", "2"}}));
}

// "Unicode Text" from a spreadsheet: UTF-16 with its byte-order mark, either byte order, reads
// as the same records as the UTF-8 file.
TEST_F(DataFileReaderTest, Utf16FilesReadAsTheirText) {
    const QString text = QStringLiteral("Name,City,Note\r\n\"M\u00fcller, Ana\",K\u00f8benhavn,"
                                        "\u20ac 5 \U0001F600\r\nZo\u00eb,Ume\u00e5,\r\n");
    const TRecords expected{{"M\u00fcller, Ana", "K\u00f8benhavn", "\u20ac 5 \U0001F600"},
                            {"Zo\u00eb", "Ume\u00e5"}};
    for (const bool little : {true, false}) {
        SCOPED_TRACE(little ? "UTF-16 LE" : "UTF-16 BE");
        QByteArray bytes = little ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            const char lo = char(u & 0xFF), hi = char(u >> 8);
            bytes.append(little ? lo : hi);
            bytes.append(little ? hi : lo);
        }
        // Large enough that the text crosses the reader's buffers.
        QByteArray many = bytes;
        for (int i = 0; i < 5000; ++i)
            many += bytes.mid(2 + 2 * 16); // the records again, without the mark and header
        const QString path = Write(many, QStringLiteral("unicode.txt"));
        EXPECT_EQ(TTextLineReader(path).Encoding(), TTextEncoding::Utf16);
        const TRecords records = ReadAll(path, CommaSettings(/*ignoreHeader=*/true));
        ASSERT_EQ(records.size(), 2 + 5000 * 2);
        EXPECT_EQ(records.mid(0, 2), expected);
        EXPECT_EQ(records.mid(records.size() - 2), expected);
    }
}

// A quoted field may hold line breaks, as spreadsheets and databases write addresses: the record
// goes on over the next lines, and the records after it keep their fields and numbers.
TEST_F(DataFileReaderTest, QuotedFieldsHoldLineBreaks) {
    struct {
        QByteArray Bytes;
        TRecords Expected;
        const char* Why;
    } rows[] = {
        {"1,\"12 Main St\nFlat 3\",Leeds\n2,\"9 High St\",York\n",
         {{"1", "12 Main St\nFlat 3", "Leeds"}, {"2", "9 High St", "York"}},
         "LF lines"},
        {"1,\"12 Main St\r\nFlat 3\r\n\",Leeds\r\n2,x,York\r\n",
         {{"1", "12 Main St\nFlat 3\n", "Leeds"}, {"2", "x", "York"}},
         "CR LF lines"},
        {"1,\"say \"\"hi\nthere\"\"\",z\n2,y,z\n",
         {{"1", "say \"hi\nthere\"", "z"}, {"2", "y", "z"}},
         "doubled quotes around the break"},
        {"1,5\" screen,x\n2,y,z\n",
         {{"1", "5 screen,x"}, {"2", "y", "z"}},
         "a quote inside a field opens no record over lines, as before"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Why);
        EXPECT_EQ(ReadAll(Write(row.Bytes), CommaSettings()), row.Expected);
    }

    // The next record's line and number after a record of three lines.
    const TTextImportSettings withHeader = CommaSettings(/*ignoreHeader=*/true);
    TDataFileReader reader(withHeader);
    reader.OpenDataFile(Write("Id,Address\n1,\"a\nb\nc\"\n2,d\n"));
    EXPECT_EQ(reader.RecordLine(), 2);
    EXPECT_EQ(reader.RecordNumber(), 1);
    reader.ReadNextRecord();
    EXPECT_EQ(reader.ImportRecord(), QStringList({"2", "d"}));
    EXPECT_EQ(reader.RecordLine(), 5);
    EXPECT_EQ(reader.RecordNumber(), 2);
    EXPECT_EQ(reader.UnclosedQuoteLine(), 0);
}

// In a file read as UTF-8, a record over several lines decodes each line as a line of its own
// would be: a line that is not UTF-8 (past the reader's first look) decodes as Windows-1252,
// without changing its neighbours.
TEST_F(DataFileReaderTest, EachLineOfARecordKeepsItsCoding) {
    QByteArray bytes;
    while (bytes.size() <= TTextLineReader::SampleSize)
        bytes += "0,Caf\xC3\xA9\n";
    bytes += "1,\"Caf\xC3\xA9\nCaf\xE9\",x\n";
    const TRecords records = ReadAll(Write(bytes), CommaSettings());
    EXPECT_EQ(records.first(), QStringList({"0", "Caf\u00e9"}));
    EXPECT_EQ(records.last(), QStringList({"1", "Caf\u00e9\nCaf\u00e9", "x"}));
}

// A quoted field that no quote closes runs to the end of the file; the reader says where it
// opened, so that an unattended run can warn.
TEST_F(DataFileReaderTest, AnUnclosedQuotedFieldRunsToTheEnd) {
    const TTextImportSettings comma = CommaSettings();
    TDataFileReader reader(comma);
    reader.OpenDataFile(Write("1,a\n2,\"b\n3,c\n4,d\n"));
    reader.ReadNextRecord();
    EXPECT_EQ(reader.ImportRecord(), QStringList({"2", "b\n3,c\n4,d"}));
    EXPECT_EQ(reader.RecordLine(), 2);
    EXPECT_TRUE(reader.AtEndOfData());
    EXPECT_EQ(reader.UnclosedQuoteLine(), 2);
}

// A first line "sep=X" names the separator and is no record; the header comes after it.
TEST_F(DataFileReaderTest, SepLineNamesTheSeparator) {
    EXPECT_EQ(ReadAll(Write("sep=;\r\nName;Town\r\nAnn;Leeds\r\n"), CommaSettings(true)),
              (TRecords{{"Ann", "Leeds"}}));
    EXPECT_EQ(ReadAll(Write("SEP=|\nAnn|Leeds\nBob|York"), CommaSettings()),
              (TRecords{{"Ann", "Leeds"}, {"Bob", "York"}}));
    // Only the first line, and only exactly that form.
    EXPECT_EQ(ReadAll(Write("a,b\r\nsep=;\r\n"), CommaSettings()),
              (TRecords{{"a", "b"}, {"sep=;"}}));
    EXPECT_EQ(ReadAll(Write("sep=;;\r\n"), CommaSettings()), (TRecords{{"sep=;;"}}));
    // Fixed columns have no separator to name.
    TTextImportSettings fixed;
    fixed.ImportFormat = TImportFormat::FixedField;
    fixed.IgnoreHeader = false;
    fixed.ColumnSizes = {3};
    EXPECT_EQ(ReadAll(Write("sep=;\r\n"), fixed), (TRecords{{"sep"}}));
}

// Told the encoding, the reader does not guess it.
TEST_F(DataFileReaderTest, EncodingGivenByTheUserWins) {
    TTextImportSettings s = CommaSettings();
    s.Encoding = TDataEncoding::Windows1252;
    EXPECT_EQ(ReadAll(Write("Zo\xC3\xAB,1\r\n"), s), (TRecords{{"Zo\u00C3\u00AB", "1"}}));
    s.Encoding = TDataEncoding::Utf8;
    // Invalid UTF-8 still loses no byte: that line decodes as Windows-1252.
    EXPECT_EQ(ReadAll(Write("Zo\xC3\xAB,1\r\nZo\xEB,2\r\n"), s),
              (TRecords{{"Zo\u00EB", "1"}, {"Zo\u00EB", "2"}}));
    // UTF-16 without a byte-order mark is little-endian, as Windows writes it; a mark still
    // says which.
    s.Encoding = TDataEncoding::Utf16;
    const QString text = "Zo\u00EB,\u5317\r\nAnn,1\r\n";
    QByteArray little(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const TRecords expected{{"Zo\u00EB", "\u5317"}, {"Ann", "1"}};
    EXPECT_EQ(ReadAll(Write(little), s), expected);
    QByteArray big;
    for (const QChar c : text)
        big += char(c.unicode() >> 8), big += char(c.unicode() & 0xFF);
    EXPECT_EQ(ReadAll(Write("\xFE\xFF" + big), s), expected);
}
