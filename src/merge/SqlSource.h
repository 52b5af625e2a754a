#pragma once

#include <QString>

// A database data source as the user wrote it, taken apart for a Qt SQL driver: a SQLite file,
// or an address postgresql://user@host:port/dbname?setting=value (also postgres://, and
// mysql:// for MySQL and MariaDB). The host may be a Unix socket folder, as libpq takes it,
// either percent-encoded in the address or as ?host=/folder. Everything before the last '@'
// ahead of the settings is the user part, so an '@' in a host or database name is written %40.
struct TSqlSource {
    QString driver;   // the Qt SQL driver: QSQLITE, QPSQL or QMYSQL
    QString database; // the SQLite file's path, or the database's name (empty: the default)
    QString host;     // empty: the client library's default
    int port = -1;    // -1: the default
    QString user;     // empty: the client library's default
    QString options;  // the driver's connect options, ';'-separated
    QString shown;    // the source for messages, never with a password
};

// Takes a database source apart. Throws TUserError when source is neither a SQLite file nor a
// database address, when the address cannot be read, and when it holds a password: a
// password on a command line is readable by every user of the computer, so it is never
// accepted there; the client library reads it from PGPASSWORD or ~/.pgpass instead.
TSqlSource ParseSqlSource(const QString& source);

// True when path is an existing file that begins as every SQLite 3 database does.
bool IsSqliteFile(const QString& path);
