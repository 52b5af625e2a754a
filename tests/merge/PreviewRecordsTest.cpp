#include "merge/PreviewRecords.h"
#include "MergeTestFiles.h"
#include "SqliteFixture.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {
QString Workbook() {
    return TestDataPath(QStringLiteral("sheets/workbook.xlsx"));
}

class PreviewRecordsTest : public ::testing::Test {
protected:
    QString Write(const char* name, const QByteArray& bytes) {
        return WriteBytes(scratch.File(QString::fromLatin1(name)), bytes);
    }
    TScratchFolder scratch;
    TTextImportSettings settings;
};
} // namespace

TEST_F(PreviewRecordsTest, TextFileCutWithTheSettings) {
    const QString path =
        Write("orders.csv", "Name,Town\r\nAda,Leeds\r\nBo,\"York, UK\"\r\nCy,Bath\r\n");
    settings.ImportFormat = TImportFormat::CommaDelimited;
    TPreviewRecords preview = ReadPreviewRecords(path, settings, 2);
    EXPECT_EQ(preview.Header, QStringList({"Name", "Town"}));
    EXPECT_EQ(preview.Records, QList<QStringList>({{"Ada", "Leeds"}, {"Bo", "York, UK"}}));

    settings.IgnoreHeader = false;
    preview = ReadPreviewRecords(path, settings, 10);
    EXPECT_TRUE(preview.Header.isEmpty());
    ASSERT_EQ(preview.Records.size(), 4) << "the header line is a record, the limit not reached";
    EXPECT_EQ(preview.Records[0], QStringList({"Name", "Town"}));
    EXPECT_EQ(preview.Records[3], QStringList({"Cy", "Bath"}));
}

TEST_F(PreviewRecordsTest, SpreadsheetRowsOfTheChosenSheet) {
    settings.Table = QStringLiteral("Products");
    TPreviewRecords preview = ReadPreviewRecords(Workbook(), settings, 3);
    EXPECT_EQ(preview.Header,
              QStringList({"Code", "Name", "Price", "Qty", "Added", "Active", "Share", "Note"}));
    ASSERT_EQ(preview.Records.size(), 3);
    EXPECT_EQ(preview.Records[0].value(1), "Widget, large");
    EXPECT_EQ(preview.Records[1].value(1), QString::fromUtf8("Žluťoučký kůň"));
    EXPECT_TRUE(preview.Records[2].isEmpty()) << "an empty row between rows is a record";

    settings.Table = QStringLiteral("Dates");
    settings.IgnoreHeader = false;
    preview = ReadPreviewRecords(Workbook(), settings, 10);
    EXPECT_TRUE(preview.Header.isEmpty());
    ASSERT_EQ(preview.Records.size(), 1);
    EXPECT_EQ(preview.Records[0].value(0), "2024-02-29");
}

TEST_F(PreviewRecordsTest, DatabaseColumnsAreTheHeaderAndNoRowIsSkipped) {
    const QString path = scratch.File(QStringLiteral("shop.db"));
    MakeSqliteFile(path, {"CREATE TABLE items (sku TEXT, town TEXT)",
                          "INSERT INTO items VALUES ('A1', 'Leeds'), ('B2', 'York')"});
    settings.Query = QStringLiteral("SELECT town AS Town, sku FROM items ORDER BY sku");
    const TPreviewRecords preview = ReadPreviewRecords(path, settings, 10);
    EXPECT_EQ(preview.Header, QStringList({"Town", "sku"}));
    EXPECT_EQ(preview.Records, QList<QStringList>({{"Leeds", "A1"}, {"York", "B2"}}));
}

TEST_F(PreviewRecordsTest, UnreadableSourcesThrowTheirReason) {
    settings.Table = QStringLiteral("Prices");
    try {
        ReadPreviewRecords(Workbook(), settings, 10);
        ADD_FAILURE() << "a missing sheet was read";
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("\"Prices\"")))
            << e.Message().toStdString();
    }
    EXPECT_THROW(ReadPreviewRecords(scratch.File(QStringLiteral("none.csv")), settings, 10),
                 TUserError);
}

TEST(ColumnCaptionTest, NameWhenTheHeaderHasOne) {
    const TImportRecord header = {"Code", " Town ", ""};
    EXPECT_EQ(ColumnCaption(header, 0), QString::fromUtf8("1 – Code"));
    EXPECT_EQ(ColumnCaption(header, 1), QString::fromUtf8("2 – Town"));
    EXPECT_EQ(ColumnCaption(header, 2), "Field #3");
    EXPECT_EQ(ColumnCaption(header, 3), "Field #4");
    EXPECT_EQ(ColumnCaption({}, 0), "Field #1");
}
