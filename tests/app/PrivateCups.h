#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A print server of the test's own: cupsd in the foreground with its configuration, spool and
// socket in folder, so that runs can print to queues no one else sees. Needs root and an
// installed cupsd; Why() says what is missing when Running() is false.
class TPrivateCups {
public:
    explicit TPrivateCups(const QString& folder);
    ~TPrivateCups();
    TPrivateCups(const TPrivateCups&) = delete;
    TPrivateCups& operator=(const TPrivateCups&) = delete;

    bool Running() const { return m_why.isEmpty(); }
    const QString& Why() const { return m_why; }
    // For CUPS_SERVER.
    const QString& Server() const { return m_socket; }

    // Adds a queue that prints into nothing, enabled and accepting jobs.
    bool AddQueue(const QString& name);
    // Runs a CUPS command (cupsdisable, cupsreject, lpstat, ...) against this server; its
    // standard output, or an empty text when it failed.
    QString Tool(const QString& program, const QStringList& args, bool* ok = nullptr) const;

private:
    QString m_folder, m_socket, m_why;
    QProcess m_cupsd;
};
