#include "merge/DataSourceChoice.h"
#include "MergeTestFiles.h"
#include "SqliteFixture.h"
#include "TestSupport.h"
#include "merge/DataImport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {
class DataSourceChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        shop = scratch.File(QStringLiteral("shop.db"));
        MakeSqliteFile(shop, {"CREATE TABLE items (sku TEXT, town TEXT)",
                              "INSERT INTO items VALUES ('A1', 'Leeds'), ('B2', 'York'), "
                              "('C3', 'Hull')"});
    }
    static QString Problem(const QString& connection, const QString& query, const QString& table) {
        return TDataSourceChoice{connection, query, table}.Problem();
    }
    static QString PreviewError(const QString& connection, const QString& query,
                                const QString& table) {
        try {
            TDataSourceChoice{connection, query, table}.Preview(10);
        } catch (const TUserError& e) {
            return e.Message();
        }
        return {};
    }
    TScratchFolder scratch;
    QString shop;
};
} // namespace

TEST_F(DataSourceChoiceTest, ProblemsBeforeAnythingIsRead) {
    EXPECT_FALSE(Problem("", "SELECT 1", "").isEmpty());
    EXPECT_FALSE(Problem(shop, "  ", "").isEmpty());
    const QString text = WriteBytes(scratch.File(QStringLiteral("a.csv")), "Name\r\nAda\r\n");
    EXPECT_TRUE(Problem(text, "SELECT 1", "").contains(text)) << "a text file is no database";
    EXPECT_TRUE(Problem(shop, "", "items").isEmpty());
    EXPECT_TRUE(Problem("postgresql://ann@db.example:5432/shop", "SELECT 1", "").isEmpty())
        << "an address is checked only when read";
}

TEST_F(DataSourceChoiceTest, PreviewHasTheColumnNamesAndTheFirstRows) {
    TPreviewRecords preview =
        TDataSourceChoice{shop, "SELECT town, sku FROM items ORDER BY sku", ""}.Preview(2);
    EXPECT_EQ(preview.Header, QStringList({"town", "sku"}));
    EXPECT_EQ(preview.Records, QList<QStringList>({{"Leeds", "A1"}, {"York", "B2"}}));

    preview = TDataSourceChoice{shop, "", "items"}.Preview(10);
    EXPECT_EQ(preview.Header, QStringList({"sku", "town"}));
    EXPECT_EQ(preview.Records.size(), 3);
}

TEST_F(DataSourceChoiceTest, FailuresCarryTheReason) {
    const QString badColumn = PreviewError(shop, "SELECT nothing FROM items", "");
    EXPECT_TRUE(badColumn.contains("nothing")) << badColumn.toStdString();
    EXPECT_TRUE(PreviewError(shop, "", "orders").contains("orders"));
    EXPECT_FALSE(PreviewError(shop, "", "").isEmpty());
}

TEST_F(DataSourceChoiceTest, StartsFromTheSessionsDatabaseOnly) {
    TTextImportSettings settings;
    settings.Query = QStringLiteral("SELECT sku FROM items");
    settings.Table = QStringLiteral("items");
    const TDataSourceChoice database = TDataSourceChoice::From(shop, shop, settings);
    EXPECT_EQ(database.Connection, shop);
    EXPECT_EQ(database.Query, settings.Query);
    EXPECT_EQ(database.Table, "items");
    const QString other = scratch.File(QStringLiteral("other.db"));
    MakeSqliteFile(other, {"CREATE TABLE t (a)"});
    const TDataSourceChoice another = TDataSourceChoice::From(other, shop, settings);
    EXPECT_EQ(another.Connection, other);
    EXPECT_TRUE(another.Query.isEmpty() && another.Table.isEmpty())
        << "another database has other tables";
    settings.Table = QStringLiteral("Products"); // a sheet's name is no table
    const TDataSourceChoice sheet = TDataSourceChoice::From(
        QStringLiteral("/data/stock.xlsx"), QStringLiteral("/data/stock.xlsx"), settings);
    EXPECT_TRUE(sheet.Connection.isEmpty() && sheet.Query.isEmpty() && sheet.Table.isEmpty());
    // A label opened with a query of its own, before any data was chosen, offers that query.
    settings.Query = QStringLiteral("SELECT name FROM orders");
    const TDataSourceChoice reopened = TDataSourceChoice::From(QString(), QString(), settings);
    EXPECT_TRUE(reopened.Connection.isEmpty());
    EXPECT_EQ(reopened.Query, settings.Query);
    EXPECT_TRUE(reopened.Table.isEmpty());
}

TEST_F(DataSourceChoiceTest, SessionTakesTheDatabaseWithoutAWizardAndReadsIt) {
    TDataImport session; // no wizard: one shown would be a failure of its own
    std::optional<TTextImportSettings> stored;
    session.SettingsChosen = [&](const TTextImportSettings& s) { stored = s; };
    session.ChooseDatabase(shop, QStringLiteral("SELECT town FROM items ORDER BY sku"), QString());
    EXPECT_EQ(session.ChosenDataFile(), shop);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->Query, "SELECT town FROM items ORDER BY sku");
    EXPECT_EQ(session.ColumnNames(), QStringList({"town"}));
    EXPECT_TRUE(session.ChooseDataFile(shop)) << "the database chosen stays chosen";

    session.OpenDataFile(session.ChosenDataFile());
    EXPECT_EQ(session.ImportRecord(), QStringList({"Leeds"}));
    session.CloseDataFile();

    // A server's address typed in is taken with the query the settings hold, no wizard asked.
    const QString address = QStringLiteral("postgresql://ann@db.example:5432/shop");
    EXPECT_TRUE(session.ChooseDataFile(address));
    EXPECT_EQ(session.ChosenDataFile(), address);
    EXPECT_EQ(session.TextImportSettings().Query, "SELECT town FROM items ORDER BY sku");
}
