#pragma once

#include "merge/RecordSource.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>

class QSqlQuery;

// True when source names a database rather than a text or sheet file: a postgresql://,
// postgres://, mysql:// or mariadb:// address, or an existing file that is a SQLite database
// (by its first 16 bytes, whatever its name).
bool IsDatabaseSource(const QString& source);

// The rows of one query on a database, in order, as records: the columns in query order are
// fields 1, 2, 3...; each value is written as SqlValueText says. Rows are fetched one at a
// time as they are read, so a result of a million rows is never held here.
//
// Each object opens its own connection, on the thread that creates it, and must be read and
// destroyed there (as Qt SQL requires of a connection). The connection only reads: a SQLite
// file is opened read-only, and a PostgreSQL session refuses to write.
class TSqlRows : public TRecordSource {
public:
    // query is a SELECT; when it is empty, table names a whole table ("schema.table" allowed),
    // quoted as an identifier by the driver. Throws TUserError with one message naming the
    // source (never its password) and carrying the driver's or server's reason when: neither
    // query nor table is given, the source cannot be read (ParseSqlSource), its driver is not
    // installed, the connection fails, the query fails or returns no rows, the table is
    // missing. Prints nothing.
    TSqlRows(const QString& source, const QString& query, const QString& table);
    ~TSqlRows() override;
    TSqlRows(const TSqlRows&) = delete;
    TSqlRows& operator=(const TSqlRows&) = delete;

    // The result's column names, in query order.
    QStringList ColumnNames() const override { return m_columns; }
    // position is the row's number in the result, from 1. Throws TUserError when the server
    // fails while the rows are fetched (the query can fail on any row).
    bool ReadRecord(TImportRecord& record, int64_t& position) override;
    bool AtEnd() override;

    // The source as messages show it.
    const QString& Shown() const { return m_shown; }

private:
    // Fetches the next row into m_next unless one is waiting or the end was reached.
    void FetchAhead();
    void Close();

    QString m_connection;
    QString m_shown;
    QSqlDatabase m_database;
    std::unique_ptr<QSqlQuery> m_query;
    QStringList m_columns;
    TImportRecord m_next;
    bool m_hasNext = false;
    bool m_atEnd = false;
    int64_t m_row = 0;
};
