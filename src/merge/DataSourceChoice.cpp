#include "merge/DataSourceChoice.h"

#include "merge/SqlRows.h"
#include "merge/SqlTexts.h"
#include "platform/Errors.h"

namespace {
constexpr const char* kNoConnection =
    "Give the database: a SQLite file or a postgresql://user@host:port/database address.";
constexpr const char* kNoQuery = "Give a query, or the name of a table to read whole.";
} // namespace

TDataSourceChoice TDataSourceChoice::From(const QString& connection, const QString& chosen,
                                          const TTextImportSettings& settings) {
    TDataSourceChoice choice;
    const bool database = IsDatabaseSource(connection);
    if (database)
        choice.Connection = connection;
    if (database && connection == chosen) {
        choice.Query = settings.Query;
        choice.Table = settings.Table;
    } else if (chosen.isEmpty()) {
        // Nothing chosen yet: the query the label keeps is the one to offer again.
        choice.Query = settings.Query;
    }
    return choice;
}

QString TDataSourceChoice::Problem() const {
    const QString connection = Connection.trimmed();
    if (connection.isEmpty())
        return QString::fromLatin1(kNoConnection);
    // A text or sheet file here would be merged as one, under a query it never reads.
    if (!IsDatabaseSource(connection))
        return QString::fromLatin1(SqlText::NotADatabase).arg(connection);
    if (Query.trimmed().isEmpty() && Table.trimmed().isEmpty())
        return QString::fromLatin1(kNoQuery);
    return {};
}

TPreviewRecords TDataSourceChoice::Preview(int maxRows) const {
    if (const QString problem = Problem(); !problem.isEmpty())
        throw TUserError(problem);
    TSqlRows rows(Connection.trimmed(), Query.trimmed(), Table.trimmed());
    TPreviewRecords preview;
    preview.Header = rows.ColumnNames();
    while (preview.Records.size() < maxRows && !rows.AtEnd()) {
        TImportRecord record;
        int64_t position = 0;
        if (!rows.ReadRecord(record, position))
            break;
        preview.Records << record;
    }
    return preview;
}
