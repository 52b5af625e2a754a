// Reading the rows of a database query record by record, as a merged print run does.
//
//   sql_bench sqlite [rows]     a SQLite file in /tmp, made on first use (100,000 rows default)
//   sql_bench postgres [rows]   a private PostgreSQL server started for the run
//
// Prints rows per second and the peak resident memory while the rows were read, beyond what
// the process held before (the kernel's high-water mark is reset before reading). Reading a
// tenfold larger result should not raise the peak: no result is held whole. Then times reading
// ten rows of the result and closing, as a run that stops early does.

#include "merge/SqlRows.h"
#include "platform/Errors.h"
#include "support/PostgresServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>

namespace {
const char* const kOrderColumns =
    "id integer PRIMARY KEY, customer text, street text, city text, amount numeric(10,2), "
    "weight double precision, shipped date, note text";

// The kernel's peak resident set of this process, in KiB.
long PeakKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Sets the peak back to what the process holds now (Linux 4.0 and later).
void ResetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

bool MakeSqlite(const QString& path, long rows) {
    if (QFile::exists(path))
        return true;
    bool ok = true;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        ok = db.open() &&
             query.exec(
                 QStringLiteral("CREATE TABLE orders (%1)").arg(QLatin1String(kOrderColumns))) &&
             query.exec(
                 QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < %1) INSERT INTO orders SELECT i, 'Customer ' || i, "
                                "(i % 200 + 1) || ' Long Street', 'Ostrava', i * 1.25, i * 0.1, "
                                "date('2026-01-01', '+' || (i % 365) || ' days'), CASE WHEN i % 10 "
                                "THEN 'Order note ' || i END FROM n")
                     .arg(rows));
        if (!ok)
            std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    if (!ok)
        QFile::remove(path);
    return ok;
}

void Measure(const char* name, const QString& source) {
    const QString query = QStringLiteral("SELECT * FROM orders ORDER BY id");
    ResetPeak();
    const long before = PeakKib();
    QElapsedTimer timer;
    timer.start();
    long count = 0;
    {
        TSqlRows rows(source, query, QString());
        TImportRecord record;
        int64_t position = 0;
        while (rows.ReadRecord(record, position))
            ++count;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const long peak = PeakKib();
    std::printf("%s: %ld rows in %.3f s, %.0f rows/s, peak memory while reading +%ld KiB "
                "(%ld KiB in all)\n",
                name, count, seconds, count / seconds, peak - before, peak);

    timer.restart();
    {
        TSqlRows rows(source, query, QString());
        TImportRecord record;
        int64_t position = 0;
        for (int i = 0; i < 10 && rows.ReadRecord(record, position); ++i) {
        }
    }
    std::printf("%s: ten rows, then closed, in %.3f s\n", name, timer.nsecsElapsed() / 1e9);
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString kind = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("sqlite");
    const long rows = argc > 2 ? std::atol(argv[2]) : 100000;
    try {
        if (kind == QLatin1String("sqlite")) {
            const QString path = QStringLiteral("/tmp/vellumtrace-sql-bench-%1.sqlite").arg(rows);
            if (!MakeSqlite(path, rows))
                return 1;
            Measure("SQLite", path);
            return 0;
        }
        if (kind != QLatin1String("postgres")) {
            std::fprintf(stderr, "usage: sql_bench sqlite|postgres [rows]\n");
            return 2;
        }
        if (TPostgresServer::ProgramFolder().isEmpty()) {
            std::printf("PostgreSQL: skipped, the server programs are not installed\n");
            return 0;
        }
        TPostgresServer server;
        QString error;
        if (!server.Start(error) ||
            !server.Execute(
                QStringLiteral("postgres"),
                {QStringLiteral("CREATE TABLE orders (%1)").arg(QLatin1String(kOrderColumns)),
                 QStringLiteral("INSERT INTO orders SELECT n, 'Customer ' || n, (n % 200 + 1) || "
                                "' Long Street', 'Ostrava', n * 1.25, n * 0.1, date '2026-01-01' + "
                                "n % 365, CASE WHEN n % 10 <> 0 THEN 'Order note ' || n END FROM "
                                "generate_series(1, %1) n")
                     .arg(rows),
                 QStringLiteral("CREATE ROLE reader LOGIN PASSWORD 'bench'"),
                 QStringLiteral("GRANT SELECT ON orders TO reader")},
                error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        qputenv("PGPASSWORD", "bench");
        Measure("PostgreSQL", server.Address(QStringLiteral("reader"), QStringLiteral("postgres")));
    } catch (const TUserError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
