#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A private PostgreSQL server for tests and benchmarks: a fresh cluster in a temporary folder
// that listens on a Unix socket in that folder only (no TCP port), with password
// authentication for every user. Run as root, the server programs run as the "postgres"
// system user, since initdb refuses root. Stopped and its folder deleted by Stop() or the
// destructor.
class TPostgresServer {
public:
    // The superuser that Execute uses.
    static constexpr const char* AdminUser = "vtadmin";

    TPostgresServer() = default;
    ~TPostgresServer();
    TPostgresServer(const TPostgresServer&) = delete;
    TPostgresServer& operator=(const TPostgresServer&) = delete;

    // The folder of initdb and pg_ctl: $VT_POSTGRES_BIN, else the newest
    // /usr/lib/postgresql/<version>/bin, else empty (then no server can be started).
    static QString ProgramFolder();

    // Creates and starts the cluster. False with a reason in error when anything fails; what
    // was started is stopped again.
    bool Start(QString& error);
    // Stops the server at once and deletes its folder; nothing when not started.
    void Stop();

    QString SocketFolder() const;
    int Port() const { return m_port; }
    // postgresql://user@<socket folder, percent-encoded>:port/database
    QString Address(const QString& user, const QString& database) const;

    // Runs statements in order as the superuser on database. False with the failing statement
    // and the server's reason in error.
    bool Execute(const QString& database, const QStringList& statements, QString& error) const;

private:
    // Runs a server program (as the postgres user when we are root).
    bool Run(const QString& program, const QStringList& arguments, QString& error) const;
    QString DataFolder() const;

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_adminPassword;
    int m_port = 0;
    bool m_running = false;
};
