#pragma once

#include "merge/SqlRows.h"
#include "platform/Errors.h"

#include <QList>
#include <QSqlDatabase>
#include <QStringList>

#include <ostream>

// Messages and fields show as text when a check fails.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

struct TReadRows {
    QList<QStringList> Records;
    QList<int64_t> Positions;
};

// Every record left, as a print run reads them: AtEnd before each read. The records read
// stay in read when a read throws.
inline void ReadInto(TSqlRows& rows, TReadRows& read) {
    while (!rows.AtEnd()) {
        TImportRecord record;
        int64_t position = 0;
        if (!rows.ReadRecord(record, position))
            break;
        read.Records << record;
        read.Positions << position;
    }
}

inline TReadRows ReadAll(TSqlRows& rows) {
    TReadRows read;
    ReadInto(rows, read);
    return read;
}

// The message of the TUserError that opening the source throws; empty when none is thrown.
inline QString OpenError(const QString& source, const QString& query,
                         const QString& table = QString()) {
    try {
        TSqlRows rows(source, query, table);
    } catch (const TUserError& error) {
        return error.Message();
    }
    return QString();
}

// The message of the TUserError thrown while all rows are read.
inline QString ReadError(TSqlRows& rows, TReadRows& read) {
    try {
        ReadInto(rows, read);
    } catch (const TUserError& error) {
        return error.Message();
    }
    return QString();
}

// Sets (or, given a null value, removes) an environment variable for its lifetime.
class TEnvironmentValue {
public:
    TEnvironmentValue(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~TEnvironmentValue() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    TEnvironmentValue(const TEnvironmentValue&) = delete;
    TEnvironmentValue& operator=(const TEnvironmentValue&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};
