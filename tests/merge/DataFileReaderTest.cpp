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

TEST_F(DataFileReaderTest, LineEndsAreDecidedFromTheLeadingSample) {
    struct {
        QByteArray Bytes;
        TLineEnds Expected;
    } rows[] = {
        {"a\r\nb", TLineEnds::CarriageReturn},
        {"\"multi\nline\",x\r\n", TLineEnds::CarriageReturn},
        {"a\nb\n", TLineEnds::LineFeed},
        {"single line", TLineEnds::LineFeed},
        {QByteArray(TTextLineReader::SampleSize, 'a') + "\r\n", TLineEnds::LineFeed},
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
