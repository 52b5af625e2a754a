#pragma once

#include "EnvironmentValue.h"
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
