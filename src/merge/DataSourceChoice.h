#pragma once

#include "merge/PreviewRecords.h"
#include "merge/TextImportSettings.h"

#include <QString>

// A database chosen as the data to merge: where it is (a SQLite file or a server's address; a
// password comes from PGPASSWORD or ~/.pgpass, never from here) and what to read of it, a query
// or else a whole table. The rules of the data source dialog, apart from its window.
struct TDataSourceChoice {
    QString Connection;
    QString Query;
    QString Table;

    // What the dialog starts from: connection when it names a database, with the session's query
    // and table when it is the database chosen (chosen, with settings), or the query alone while
    // nothing is chosen (the query a label keeps); a sheet's name in Table is no table of
    // another database.
    static TDataSourceChoice From(const QString& connection, const QString& chosen,
                                  const TTextImportSettings& settings);

    // Why the choice cannot be read as it stands (no connection, a connection that is no
    // database, neither query nor table), or empty. Whether the database answers is only known by
    // reading it (Preview).
    QString Problem() const;

    // The column names and up to maxRows first rows. Throws TUserError with the reason (the
    // source is no database, the connection or the query failed...).
    TPreviewRecords Preview(int maxRows) const;
};
