#include "merge/SqlRows.h"

#include "merge/SqlSource.h"
#include "merge/SqlTexts.h"
#include "merge/SqlValueText.h"
#include "platform/Errors.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

namespace {
// The reason a driver gives, as one line for the end of a message: the server's own words
// when there are any (libpq's first line, without its "ERROR:" label), else the driver's.
QString Reason(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    text = text.section(u'\n', 0, 0).trimmed();
    for (const char* label : {"ERROR:", "FATAL:"})
        if (text.startsWith(QLatin1String(label)))
            text = text.mid(qstrlen(label)).trimmed();
    while (text.endsWith(u'.'))
        text.chop(1);
    return text.isEmpty() ? QStringLiteral("no reason given") : text;
}

// Quotes would let a driver take the name as already quoted and paste it into the query.
bool UsableTableName(const QString& table) {
    for (const QChar c : table)
        if (c == u'"' || c == u'[' || c == u']' || c == u'`' ||
            c.category() == QChar::Other_Control)
            return false;
    return true;
}

QString NextConnectionName() {
    static std::atomic<quint64> count{0};
    return QStringLiteral("vellumtrace-sql-%1").arg(++count);
}
} // namespace

TSqlRows::TSqlRows(const QString& source, const QString& query, const QString& table) {
    const TSqlSource parsed = ParseSqlSource(source);
    m_shown = parsed.shown;
    const QString trimmedTable = table.trimmed();
    if (query.trimmed().isEmpty() && trimmedTable.isEmpty())
        throw TUserError(QString::fromLatin1(SqlText::NoQueryOrTable).arg(m_shown));
    const bool byTable = query.trimmed().isEmpty();
    if (byTable && !UsableTableName(trimmedTable))
        throw TUserError(QString::fromLatin1(SqlText::BadTableName).arg(m_shown, table));
    if (!QSqlDatabase::isDriverAvailable(parsed.driver))
        throw TUserError(QString::fromLatin1(SqlText::DriverMissing).arg(m_shown, parsed.driver));

    m_connection = NextConnectionName();
    m_database = QSqlDatabase::addDatabase(parsed.driver, m_connection);
    m_database.setDatabaseName(parsed.database);
    m_database.setHostName(parsed.host);
    m_database.setPort(parsed.port);
    m_database.setUserName(parsed.user);
    m_database.setConnectOptions(parsed.options);
    // Exact decimals (PostgreSQL's numeric) then come as the server writes them: "12.50".
    m_database.setNumericalPrecisionPolicy(QSql::HighPrecision);
    // No password is ever set: libpq then reads PGPASSWORD or ~/.pgpass itself.
    try {
        if (!m_database.open())
            throw TUserError(QString::fromLatin1(SqlText::CannotConnect)
                                 .arg(m_shown, Reason(m_database.lastError())));
        if (parsed.driver == QLatin1String("QPSQL")) {
            QSqlQuery readOnly(m_database);
            if (!readOnly.exec(
                    QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")))
                throw TUserError(QString::fromLatin1(SqlText::CannotConnect)
                                     .arg(m_shown, Reason(readOnly.lastError())));
        }
        const QString statement =
            byTable ? QStringLiteral("SELECT * FROM ") +
                          m_database.driver()->escapeIdentifier(trimmedTable, QSqlDriver::TableName)
                    : query;
        m_query = std::make_unique<QSqlQuery>(m_database);
        // Forward only: SQLite steps row by row, and the PostgreSQL driver then asks libpq for
        // one row at a time instead of the whole result.
        m_query->setForwardOnly(true);
        if (!m_query->exec(statement)) {
            const QString reason = Reason(m_query->lastError());
            throw TUserError(
                byTable ? QString::fromLatin1(SqlText::TableFailed).arg(m_shown, table, reason)
                        : QString::fromLatin1(SqlText::QueryFailed).arg(m_shown, reason));
        }
        if (!m_query->isSelect())
            throw TUserError(QString::fromLatin1(SqlText::NotARowQuery).arg(m_shown));
        const QSqlRecord columns = m_query->record();
        for (int i = 0; i < columns.count(); ++i)
            m_columns << columns.fieldName(i);
    } catch (...) {
        Close();
        throw;
    }
}

TSqlRows::~TSqlRows() {
    Close();
}

void TSqlRows::Close() {
    // The connection closes first: a PostgreSQL query dropped before its last row would
    // otherwise fetch all the rows left only to throw them away.
    if (m_database.isValid())
        m_database.close();
    m_query.reset();
    m_database = QSqlDatabase();
    if (!m_connection.isEmpty())
        QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

void TSqlRows::FetchAhead() {
    if (m_hasNext || m_atEnd)
        return;
    if (m_query->next()) {
        const int count = int(m_columns.size());
        m_next.clear();
        m_next.reserve(count);
        for (int i = 0; i < count; ++i)
            m_next << SqlValueText(m_query->value(i));
        m_hasNext = true;
        return;
    }
    m_atEnd = true;
    if (m_query->lastError().isValid())
        throw TUserError(
            QString::fromLatin1(SqlText::RowFailed)
                .arg(m_shown, QString::number(m_row + 1), Reason(m_query->lastError())));
}

bool TSqlRows::ReadRecord(TImportRecord& record, int64_t& position) {
    FetchAhead();
    if (!m_hasNext)
        return false;
    record = std::move(m_next);
    m_next = TImportRecord();
    m_hasNext = false;
    position = ++m_row;
    return true;
}

bool TSqlRows::AtEnd() {
    FetchAhead();
    return !m_hasNext;
}
