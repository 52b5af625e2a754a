#include "MergeTestFiles.h"
#include "SqlTestSupport.h"
#include "TestSupport.h"
#include "merge/SqlRows.h"
#include "merge/SqlTexts.h"
#include "support/PostgresServer.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include <memory>

namespace {
const QString kUser = QStringLiteral("ann");
const QByteArray kPassword = "ann-S3cret";
const QString kDatabase = QStringLiteral("shop");
constexpr int kOrders = 10000;

// One server for the whole suite: starting a cluster takes seconds.
class PostgresRowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_problem.clear();
        if (TPostgresServer::ProgramFolder().isEmpty()) {
            s_problem = QStringLiteral("skip");
            return;
        }
        s_server = std::make_unique<TPostgresServer>();
        QString error;
        if (!s_server->Start(error) ||
            !s_server->Execute(QStringLiteral("postgres"),
                               {QStringLiteral("CREATE ROLE ann LOGIN PASSWORD '%1'")
                                    .arg(QString::fromLatin1(kPassword)),
                                QStringLiteral("CREATE DATABASE shop OWNER ann")},
                               error) ||
            !s_server->Execute(
                kDatabase,
                {"CREATE TABLE orders (id integer PRIMARY KEY, customer text, amount "
                 "numeric(10,2), weight float8, shipped date, packed timestamp, express boolean, "
                 "note text, code bytea)",
                 QStringLiteral("INSERT INTO orders SELECT n, 'Customer ' || n, n * 1.25, n * 0.1, "
                                "date '2026-01-01' + n % 365, timestamp '2026-01-01 08:00:00' + "
                                "n * interval '1 minute', n % 2 = 0, CASE WHEN n % 10 <> 0 THEN "
                                "'note ' || n END, int4send(n) FROM generate_series(1, %1) n")
                     .arg(kOrders),
                 "GRANT SELECT ON orders TO ann"},
                error)) {
            s_problem = error;
            s_server.reset();
        }
    }
    static void TearDownTestSuite() { s_server.reset(); }

    void SetUp() override {
        if (s_problem == QLatin1String("skip"))
            GTEST_SKIP() << "the PostgreSQL server programs are not installed";
        ASSERT_TRUE(s_problem.isEmpty()) << s_problem.toStdString();
    }

    static QString Address() { return s_server->Address(kUser, kDatabase); }

    // No password reaches libpq but the one a test gives; a developer's own files stay out.
    TScratchFolder m_scratch;
    TEnvironmentValue m_noPassword{"PGPASSWORD", QByteArray()};
    TEnvironmentValue m_noPasswordFile{
        "PGPASSFILE", QFile::encodeName(m_scratch.File(QStringLiteral("no-pgpass")))};

    static inline std::unique_ptr<TPostgresServer> s_server;
    static inline QString s_problem;
};
} // namespace

TEST_F(PostgresRowsTest, AllOrdersInOrderWithNulls) {
    TEnvironmentValue password("PGPASSWORD", kPassword);
    TSqlRows rows(
        Address(),
        QStringLiteral("SELECT id, customer, note FROM orders WHERE id > 9000 ORDER BY id"),
        QString());
    EXPECT_EQ(rows.ColumnNames(), QStringList({"id", "customer", "note"}));
    const TReadRows read = ReadAll(rows);
    ASSERT_EQ(read.Records.size(), 1000);
    for (int i = 0; i < read.Records.size(); ++i) {
        const int id = 9001 + i;
        const QString note = id % 10 ? QStringLiteral("note %1").arg(id) : QString();
        ASSERT_EQ(read.Records[i],
                  QStringList({QString::number(id), QStringLiteral("Customer %1").arg(id), note}));
        ASSERT_EQ(read.Positions[i], i + 1);
    }

    TSqlRows table(Address(), QString(), QStringLiteral("public.orders"));
    EXPECT_EQ(table.ColumnNames().size(), 9);
    const TReadRows all = ReadAll(table);
    ASSERT_EQ(all.Records.size(), kOrders);
    EXPECT_EQ(all.Records.first().first(), "1");
    EXPECT_EQ(all.Records.last().first(), QString::number(kOrders));
    EXPECT_EQ(all.Positions.last(), kOrders);
}

TEST_F(PostgresRowsTest, ValuesAsText) {
    TEnvironmentValue password("PGPASSWORD", kPassword);
    TSqlRows rows(Address(),
                  QStringLiteral("SELECT amount, weight, weight + 0.2::float8, 0.1::real, shipped, "
                                 "packed, express, code, id::int8 * 1000000000, NULL::int4, "
                                 "timestamptz '2026-07-01 08:00:00+00' FROM orders WHERE id IN "
                                 "(1, 10) ORDER BY id"),
                  QString());
    // An instant (a timestamp with time zone) is shown in this computer's time.
    const QString instant = QDateTime(QDate(2026, 7, 1), QTime(8, 0), Qt::UTC)
                                .toLocalTime()
                                .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(ReadAll(rows).Records,
              QList<QStringList>({{"1.25", "0.1", "0.3", "0.1", "2026-01-02", "2026-01-01 08:01:00",
                                   "false", "00000001", "1000000000", "", instant},
                                  {"12.50", "1", "1.2", "0.1", "2026-01-11", "2026-01-01 08:10:00",
                                   "true", "0000000a", "10000000000", "", instant}}));
}

TEST_F(PostgresRowsTest, PasswordFromTheEnvironmentOrThePasswordFile) {
    {
        TEnvironmentValue password("PGPASSWORD", kPassword);
        TSqlRows rows(Address(), QStringLiteral("SELECT current_user"), QString());
        EXPECT_EQ(ReadAll(rows).Records, QList<QStringList>({{"ann"}}));
    }
    const QString passFile = WriteBytes(m_scratch.File(QStringLiteral("pgpass")),
                                        QStringLiteral("%1:%2:shop:ann:%3\n")
                                            .arg(s_server->SocketFolder())
                                            .arg(s_server->Port())
                                            .arg(QString::fromLatin1(kPassword))
                                            .toUtf8());
    // libpq ignores a password file that others may read.
    ASSERT_TRUE(QFile::setPermissions(passFile, QFile::ReadOwner | QFile::WriteOwner));
    TEnvironmentValue file("PGPASSFILE", QFile::encodeName(passFile));
    TSqlRows rows(Address(), QStringLiteral("SELECT count(*) FROM orders"), QString());
    EXPECT_EQ(ReadAll(rows).Records, QList<QStringList>({{QString::number(kOrders)}}));
}

TEST_F(PostgresRowsTest, ConnectionFailuresCarryTheServersReason) {
    const QStringList before = QSqlDatabase::connectionNames();
    const QString prefix = QStringLiteral("Cannot connect to the database \"%1\": ").arg(Address());
    {
        TEnvironmentValue password("PGPASSWORD", "Wrong-Guess");
        const QString message = OpenError(Address(), QStringLiteral("SELECT 1"));
        EXPECT_TRUE(message.startsWith(prefix)) << message.toStdString();
        EXPECT_TRUE(message.contains(u"password authentication failed for user \"ann\""))
            << message.toStdString();
        EXPECT_FALSE(message.contains(u"Wrong-Guess"));
        EXPECT_FALSE(message.contains(u'\n'));
    }
    const QString none = OpenError(Address(), QStringLiteral("SELECT 1"));
    EXPECT_TRUE(none.startsWith(prefix)) << none.toStdString();
    EXPECT_TRUE(none.contains(u"no password supplied")) << none.toStdString();

    const QString other = s_server->Address(kUser, QStringLiteral("warehouse"));
    TEnvironmentValue password("PGPASSWORD", kPassword);
    const QString missing = OpenError(other, QStringLiteral("SELECT 1"));
    EXPECT_TRUE(
        missing.startsWith(QStringLiteral("Cannot connect to the database \"%1\": ").arg(other)))
        << missing.toStdString();
    EXPECT_TRUE(missing.contains(u"database \"warehouse\" does not exist"))
        << missing.toStdString();
    EXPECT_EQ(QSqlDatabase::connectionNames(), before);
}

TEST_F(PostgresRowsTest, QueryFailuresCarryTheServersReason) {
    TEnvironmentValue password("PGPASSWORD", kPassword);
    EXPECT_EQ(OpenError(Address(), QStringLiteral("SELECT id FROM orders WHERE")),
              QStringLiteral("The query on the database \"%1\" failed: syntax error at end of "
                             "input.")
                  .arg(Address()));
    EXPECT_EQ(OpenError(Address(), QString(), QStringLiteral("invoices")),
              QStringLiteral("Cannot read the table \"invoices\" of the database \"%1\": relation "
                             "\"invoices\" does not exist.")
                  .arg(Address()));
    // The session only reads: a query that writes is refused and changes nothing.
    const QString write = OpenError(Address(), QStringLiteral("DELETE FROM orders RETURNING id"));
    EXPECT_TRUE(write.contains(u"read-only transaction")) << write.toStdString();
    EXPECT_EQ(OpenError(Address(), QStringLiteral("SET search_path TO public")),
              QString::fromLatin1(SqlText::NotARowQuery).arg(Address()));
    TSqlRows count(Address(), QStringLiteral("SELECT count(*) FROM orders"), QString());
    EXPECT_EQ(ReadAll(count).Records, QList<QStringList>({{QString::number(kOrders)}}));
}

TEST_F(PostgresRowsTest, AFailureAfterSomeRowsIsNotTheEnd) {
    TEnvironmentValue password("PGPASSWORD", kPassword);
    // Rows come one at a time, so the server fails only on row 5000, after sending the others
    // (fetched as a whole, the result would fail before the first row).
    TSqlRows rows(Address(),
                  QStringLiteral("SELECT n, 1 / (5000 - n) FROM generate_series(1, 9999) n"),
                  QString());
    TReadRows read;
    const QString message = ReadError(rows, read);
    EXPECT_EQ(message,
              QString::fromLatin1(SqlText::RowFailed)
                  .arg(Address(), QStringLiteral("5000"), QStringLiteral("division by zero")));
    ASSERT_EQ(read.Records.size(), 4999);
    for (int i = 0; i < read.Records.size(); ++i)
        ASSERT_EQ(read.Records[i].first(), QString::number(i + 1));
}

TEST_F(PostgresRowsTest, SocketFolderAsASetting) {
    TEnvironmentValue password("PGPASSWORD", kPassword);
    const QString source = QStringLiteral("postgresql:///shop?host=%1&port=%2&user=ann")
                               .arg(s_server->SocketFolder())
                               .arg(s_server->Port());
    TSqlRows rows(source, QStringLiteral("SELECT customer FROM orders WHERE id = 7"), QString());
    EXPECT_EQ(ReadAll(rows).Records, QList<QStringList>({{"Customer 7"}}));
}

TEST_F(PostgresRowsTest, PasswordInTheAddressIsRefused) {
    TEnvironmentValue password("PGPASSWORD", kPassword);
    QString withPassword = Address();
    withPassword.replace(QStringLiteral("ann@"),
                         QStringLiteral("ann:%1@").arg(QString::fromLatin1(kPassword)));
    const QString message = OpenError(withPassword, QStringLiteral("SELECT 1"));
    EXPECT_EQ(message, QString::fromLatin1(SqlText::PasswordInAddress).arg(Address()));
    EXPECT_FALSE(message.contains(QString::fromLatin1(kPassword)));
}
