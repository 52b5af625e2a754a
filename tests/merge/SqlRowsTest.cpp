#include "merge/SqlRows.h"
#include "MergeTestFiles.h"
#include "SqlTestSupport.h"
#include "TestSupport.h"
#include "merge/SqlTexts.h"

#include <gtest/gtest.h>

#include <QSqlError>
#include <QSqlQuery>

#include <thread>

namespace {
// Runs statements on a SQLite file (created when missing) through a connection of the test's own.
void RunOnSqlite(const QString& path, const QStringList& statements) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("sqlite-test-setup"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(statement))
                << statement.toStdString() << ": " << query.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sqlite-test-setup"));
}

int CountRows(const QString& path, const QString& table) {
    TSqlRows rows(path, QStringLiteral("SELECT count(*) FROM ") + table, QString());
    return ReadAll(rows).Records.value(0).value(0).toInt();
}

class SqliteRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Named .dat on purpose: a database is known by its contents, not its name.
        m_path = m_scratch.File(QStringLiteral("shop.dat"));
        RunOnSqlite(m_path,
                    {"CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, amount REAL, "
                     "shipped TEXT, note TEXT, photo BLOB)",
                     "INSERT INTO orders VALUES (1, 'Ann', 12.5, '2026-03-01', 'fragile', "
                     "x'00ff10')",
                     "INSERT INTO orders VALUES (2, 'Bob', 0.1, '2026-03-02', NULL, NULL)",
                     "INSERT INTO orders VALUES (3, 'Cy', 7, '2026-03-03', '', NULL)",
                     "INSERT INTO orders VALUES (4, 'Dee', 1e-9, '2026-03-04', 'last', NULL)",
                     "CREATE TABLE \"order lines\" (line INTEGER, sku TEXT)",
                     "INSERT INTO \"order lines\" VALUES (1, 'A-1'), (2, 'B-2')"});
    }
    TScratchFolder m_scratch;
    QString m_path;
};
} // namespace

TEST_F(SqliteRowsTest, QueryRowsComeInOrderWithColumnsInQueryOrder) {
    TSqlRows rows(m_path,
                  QStringLiteral("SELECT customer, id, note FROM orders WHERE id >= 2 ORDER BY id"),
                  QString());
    EXPECT_EQ(rows.ColumnNames(), QStringList({"customer", "id", "note"}));
    const TReadRows read = ReadAll(rows);
    // NULL and an empty text are both an empty field.
    EXPECT_EQ(read.Records,
              QList<QStringList>({{"Bob", "2", ""}, {"Cy", "3", ""}, {"Dee", "4", "last"}}));
    EXPECT_EQ(read.Positions, QList<int64_t>({1, 2, 3}));
    EXPECT_TRUE(rows.AtEnd());
    TImportRecord untouched{"kept"};
    int64_t position = 99;
    EXPECT_FALSE(rows.ReadRecord(untouched, position));
    EXPECT_EQ(untouched, QStringList{"kept"});
    EXPECT_EQ(position, 99);
}

TEST_F(SqliteRowsTest, ValuesAsText) {
    TSqlRows rows(m_path,
                  QStringLiteral("SELECT amount, amount + 0.2, id * 1000000000000, shipped, photo, "
                                 "amount / 3, 1 = 1 FROM orders ORDER BY id"),
                  QString());
    const TReadRows read = ReadAll(rows);
    ASSERT_EQ(read.Records.size(), 4);
    // A real keeps no float noise, an integer stays whole, a blob is hex, dates stay ISO text.
    EXPECT_EQ(read.Records[0], QStringList({"12.5", "12.7", "1000000000000", "2026-03-01", "00ff10",
                                            "4.16666666666667", "1"}));
    EXPECT_EQ(read.Records[1].mid(0, 2), QStringList({"0.1", "0.3"}));
    EXPECT_EQ(read.Records[1][4], "");
    EXPECT_EQ(read.Records[2].mid(0, 3), QStringList({"7", "7.2", "3000000000000"}));
    EXPECT_EQ(read.Records[3][0], "1e-9");
}

TEST_F(SqliteRowsTest, WholeTableByName) {
    TSqlRows rows(m_path, QString(), QStringLiteral("orders"));
    EXPECT_EQ(rows.ColumnNames(),
              QStringList({"id", "customer", "amount", "shipped", "note", "photo"}));
    const TReadRows read = ReadAll(rows);
    ASSERT_EQ(read.Records.size(), 4);
    EXPECT_EQ(read.Records[0][1], "Ann");
    EXPECT_EQ(read.Records[3][1], "Dee");

    // A name with a space is quoted, not cut at the space.
    TSqlRows lines(m_path, QString(), QStringLiteral("order lines"));
    EXPECT_EQ(ReadAll(lines).Records, QList<QStringList>({{"1", "A-1"}, {"2", "B-2"}}));

    // A query, when given, wins over the table.
    TSqlRows both(m_path, QStringLiteral("SELECT sku FROM \"order lines\""),
                  QStringLiteral("orders"));
    EXPECT_EQ(both.ColumnNames(), QStringList{"sku"});
}

TEST_F(SqliteRowsTest, TableNameIsNeverPastedIntoTheQuery) {
    // A driver takes a name in quotes or brackets as already quoted; such names are refused.
    for (const char* name :
         {"orders\"; DROP TABLE orders; --", "[orders]; DROP TABLE orders", "\"orders\""}) {
        const QString message = OpenError(m_path, QString(), QString::fromUtf8(name));
        EXPECT_EQ(message, QString::fromLatin1(SqlText::BadTableName).arg(m_path, name));
    }
    // Without quotes the whole text is one name, whatever it holds.
    const QString message =
        OpenError(m_path, QString(), QStringLiteral("orders; DROP TABLE orders"));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot read the table \"orders; DROP TABLE "
                                                  "orders\" of the database \"%1\": ")
                                       .arg(m_path)))
        << message.toStdString();
    EXPECT_EQ(CountRows(m_path, QStringLiteral("orders")), 4);
}

TEST_F(SqliteRowsTest, FailuresCarryTheDatabasesReason) {
    EXPECT_EQ(OpenError(m_path, QStringLiteral("SELEKT * FROM orders")),
              QStringLiteral("The query on the database \"%1\" failed: near \"SELEKT\": syntax "
                             "error.")
                  .arg(m_path));
    EXPECT_EQ(OpenError(m_path, QString(), QStringLiteral("invoices")),
              QStringLiteral("Cannot read the table \"invoices\" of the database \"%1\": no such "
                             "table: invoices.")
                  .arg(m_path));
    EXPECT_EQ(OpenError(m_path, QString(), QString()),
              QString::fromLatin1(SqlText::NoQueryOrTable).arg(m_path));
    EXPECT_EQ(OpenError(m_path, QStringLiteral("  "), QStringLiteral(" ")),
              QString::fromLatin1(SqlText::NoQueryOrTable).arg(m_path));
}

TEST_F(SqliteRowsTest, TheFileIsOnlyRead) {
    const QString message = OpenError(m_path, QStringLiteral("DELETE FROM orders"));
    EXPECT_TRUE(message.contains(QStringLiteral("readonly database"))) << message.toStdString();
    EXPECT_EQ(CountRows(m_path, QStringLiteral("orders")), 4);
}

TEST_F(SqliteRowsTest, SourcesThatAreNoDatabase) {
    const QString text =
        WriteBytes(m_scratch.File(QStringLiteral("orders.csv")), "id,name\r\n1,Ann\r\n");
    EXPECT_EQ(OpenError(text, QStringLiteral("SELECT 1")),
              QString::fromLatin1(SqlText::NotSqliteFile).arg(text));
    const QString missing = m_scratch.File(QStringLiteral("missing.db"));
    EXPECT_EQ(OpenError(missing, QStringLiteral("SELECT 1")),
              QString::fromLatin1(SqlText::NotADatabase).arg(missing));
    EXPECT_FALSE(QFile::exists(missing)); // opening never creates a database
}

TEST_F(SqliteRowsTest, EachReaderHasItsOwnConnectionAndRemovesIt) {
    const QStringList before = QSqlDatabase::connectionNames();
    {
        TSqlRows first(m_path, QStringLiteral("SELECT id FROM orders ORDER BY id"), QString());
        TSqlRows second(m_path, QStringLiteral("SELECT id FROM orders ORDER BY id DESC"),
                        QString());
        EXPECT_EQ(QSqlDatabase::connectionNames().size(), before.size() + 2);
        TImportRecord a, b;
        int64_t position = 0;
        ASSERT_TRUE(first.ReadRecord(a, position));
        ASSERT_TRUE(second.ReadRecord(b, position));
        EXPECT_EQ(a, QStringList{"1"});
        EXPECT_EQ(b, QStringList{"4"});
        ASSERT_TRUE(first.ReadRecord(a, position));
        EXPECT_EQ(a, QStringList{"2"});
        EXPECT_EQ(position, 2);
    }
    EXPECT_EQ(QSqlDatabase::connectionNames(), before);
    // Nor does a failed open leave one behind.
    EXPECT_FALSE(OpenError(m_path, QStringLiteral("SELECT nothing FROM orders")).isEmpty());
    EXPECT_EQ(QSqlDatabase::connectionNames(), before);
}

TEST_F(SqliteRowsTest, ReadersOnSeveralThreadsAtOnce) {
    // A print run reads on its own thread; each reader opens its connection there.
    QList<QStringList> firstColumn[4];
    std::vector<std::thread> threads;
    for (auto& column : firstColumn)
        threads.emplace_back([this, &column] {
            TSqlRows rows(m_path, QStringLiteral("SELECT customer FROM orders ORDER BY id"),
                          QString());
            column = ReadAll(rows).Records;
        });
    for (std::thread& thread : threads)
        thread.join();
    for (const auto& column : firstColumn)
        EXPECT_EQ(column, QList<QStringList>({{"Ann"}, {"Bob"}, {"Cy"}, {"Dee"}}));
}

TEST_F(SqliteRowsTest, AnErrorWhileReadingIsNotTheEnd) {
    // SQLite fails this on the row whose value is too large, after the rows before it.
    TSqlRows rows(
        m_path,
        QStringLiteral("SELECT id, CASE WHEN id < 3 THEN id ELSE abs(-9223372036854775807 - 1) "
                       "END FROM orders ORDER BY id"),
        QString());
    TReadRows read;
    const QString message = ReadError(rows, read);
    EXPECT_EQ(read.Records, QList<QStringList>({{"1", "1"}, {"2", "2"}}));
    EXPECT_EQ(message, QString::fromLatin1(SqlText::RowFailed)
                           .arg(m_path, QStringLiteral("3"), QStringLiteral("integer overflow")));
}

TEST(DatabaseSourceTest, KnowsEachKind) {
    TScratchFolder scratch;
    const QString sqlite = scratch.File(QStringLiteral("labels.csv"));
    RunOnSqlite(sqlite, {"CREATE TABLE t (a)"});
    const QString text = WriteBytes(scratch.File(QStringLiteral("data.db")), "SQLite format 2\n");
    const QString empty = WriteBytes(scratch.File(QStringLiteral("empty.db")), "");
    const QString shortHeader =
        WriteBytes(scratch.File(QStringLiteral("short.db")), QByteArray("SQLite format 3", 15));
    struct {
        QString Source;
        bool Database;
    } cases[] = {
        {sqlite, true},
        {text, false},
        {empty, false},
        {shortHeader, false},
        {scratch.File(QStringLiteral("none.db")), false},
        {scratch.Path(), false},
        {QStringLiteral("postgresql://ann@localhost:5433/shop"), true},
        {QStringLiteral("POSTGRES://localhost/shop"), true},
        {QStringLiteral("mysql://ann@db/shop"), true},
        {QStringLiteral("mariadb://db/shop"), true},
        {QStringLiteral("postgresql:/shop"), false},
        {QStringLiteral("http://localhost/shop"), false},
        {QString(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDatabaseSource(c.Source), c.Database) << c.Source.toStdString();
}

TEST(DatabaseSourceTest, AMissingDriverIsNamed) {
    if (QSqlDatabase::isDriverAvailable(QStringLiteral("QMYSQL")))
        GTEST_SKIP() << "the MySQL driver is installed here";
    const QStringList before = QSqlDatabase::connectionNames();
    EXPECT_EQ(OpenError(QStringLiteral("mysql://ann@db/shop"), QStringLiteral("SELECT 1")),
              QStringLiteral("Cannot read the database \"mysql://ann@db/shop\": its driver QMYSQL "
                             "is not installed."));
    EXPECT_EQ(QSqlDatabase::connectionNames(), before);
}

TEST(DatabaseSourceTest, NoServerAtTheAddress) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        GTEST_SKIP() << "the PostgreSQL driver is not installed here";
    TScratchFolder scratch; // a socket folder where no server listens
    const QString source =
        QStringLiteral("postgresql:///shop?host=%1&port=5999").arg(scratch.Path());
    const QString message = OpenError(source, QStringLiteral("SELECT 1"));
    EXPECT_TRUE(
        message.startsWith(QStringLiteral("Cannot connect to the database \"%1\": ").arg(source)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(u"No such file or directory")) << message.toStdString();
    EXPECT_TRUE(message.endsWith(u'.'));
    EXPECT_FALSE(message.contains(u'\n'));
}
