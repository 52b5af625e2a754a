#include "merge/DataFileLimits.h"
#include "MergeTestFiles.h"
#include "TestSupport.h"
#include "merge/DataFileReader.h"
#include "merge/ImportDialog.h"
#include "merge/LineParsers.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {
TTextImportSettings Settings(TImportFormat format, const QString& separator = ",") {
    TTextImportSettings settings;
    settings.ImportFormat = format;
    settings.Separator = separator;
    settings.IgnoreHeader = false;
    return settings;
}

// The message a refused read gave, or empty when every record was read.
QString ReadAllRefusal(const QString& path, const TTextImportSettings& settings,
                       qsizetype* records = nullptr) {
    TDataFileReader reader(settings);
    qsizetype n = 0;
    try {
        reader.OpenDataFile(path);
        for (n = 1; !reader.AtEndOfData(); ++n)
            reader.ReadNextRecord();
    } catch (const TUserError& e) {
        return e.Message();
    }
    if (records)
        *records = n;
    return QString();
}

class DataLineLimits : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes) { return WriteBytes(m_scratch.File("data.csv"), bytes); }
    TScratchFolder m_scratch;
};
} // namespace

TEST_F(DataLineLimits, ALineAtTheLimitIsReadAndOneByteMoreIsRefusedWithItsNumber) {
    const QByteArray atLimit(DataFileLimits::MaxLineBytes, 'a');
    qsizetype records = 0;
    EXPECT_EQ(ReadAllRefusal(Write("first\r\n" + atLimit + "\r\nlast"),
                             Settings(TImportFormat::CommaDelimited), &records),
              QString());
    EXPECT_EQ(records, 3);

    // Without any line end, and in the middle of a file with LF line ends.
    for (const QByteArray& bytes :
         {atLimit + "b", QByteArray("one\ntwo\n") + atLimit + "b\nfour\n"}) {
        const QString path = Write(bytes);
        const qint64 line = bytes.startsWith("one") ? 3 : 1;
        EXPECT_EQ(ReadAllRefusal(path, Settings(TImportFormat::CommaDelimited)),
                  QString("Cannot read the data file \"%1\": line %2 is longer than 67108864 "
                          "bytes.")
                      .arg(path)
                      .arg(line));
    }
}

TEST_F(DataLineLimits, ThePreviewRefusesALineTooLongToo) {
    const QString path = Write(QByteArray(DataFileLimits::MaxLineBytes + 1, 'x'));
    EXPECT_THROW(ReadPreviewLines(path), TUserError);
}

TEST_F(DataLineLimits, ARecordOfTooManyFieldsIsRefusedInEveryDelimitedFormat) {
    // A line of the most fields reads; one more is refused. The byte path (ASCII separators)
    // and the text path (any other) stop alike.
    const struct {
        TTextImportSettings Settings;
        QByteArray Separator;
    } cases[] = {
        {Settings(TImportFormat::CommaDelimited), ","},
        {Settings(TImportFormat::TabDelimited), "\t"},
        {Settings(TImportFormat::CustomDelimiter, QString(QChar(0xA7))), "\xC2\xA7"},
    };
    for (const auto& c : cases) {
        QByteArray fitting = "head\r\n";
        for (qsizetype i = 1; i < DataFileLimits::MaxFields; ++i)
            fitting += "f" + c.Separator;
        fitting += "f\r\n";
        EXPECT_EQ(ReadAllRefusal(Write(fitting), c.Settings), QString())
            << c.Separator.toHex().toStdString();

        const QString path =
            Write(fitting + c.Separator.repeated(DataFileLimits::MaxFields) + "f\r\n");
        EXPECT_EQ(ReadAllRefusal(path, c.Settings),
                  QString("Cannot read the data file \"%1\": line 3 has more than 65536 fields.")
                      .arg(path))
            << c.Separator.toHex().toStdString();
    }
}

TEST(DataFileLineParsers, StopOneFieldPastTheLimit) {
    const QString line = QString(",").repeated(3 * DataFileLimits::MaxFields);
    EXPECT_EQ(ParseLine(Settings(TImportFormat::CommaDelimited), line).size(),
              DataFileLimits::MaxFields + 1);
}
