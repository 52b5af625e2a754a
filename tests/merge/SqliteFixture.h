#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>

// Makes a SQLite file (created when missing) by running statements through a connection of the
// test's own, closed again before the code under test opens the file.
inline void MakeSqliteFile(const QString& path, const QStringList& statements) {
    const QString connection = QStringLiteral("sqlite-fixture");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(statement))
                << statement.toStdString() << ": " << query.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}
