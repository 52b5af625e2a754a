#include "support/PostgresServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVersionNumber>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kProgramTimeoutMs = 120 * 1000;

bool RunningAsRoot() {
    return geteuid() == 0;
}

// Hands path to the postgres system user when we are root; the server then owns its files.
bool GiveToServerUser(const QString& path, QString& error) {
    if (!RunningAsRoot())
        return true;
    const passwd* user = getpwnam("postgres");
    if (!user) {
        error = QStringLiteral("running as root, but there is no \"postgres\" user to run the "
                               "server as");
        return false;
    }
    if (chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) != 0) {
        error = QStringLiteral("cannot give %1 to the postgres user").arg(path);
        return false;
    }
    return true;
}

// Each server's folder names the process that started it in this file.
constexpr const char* kOwnerFile = "owner-pid";

// Stops the servers of test processes that died before stopping them (a crash, a kill), so a
// failed run leaves nothing behind for long.
void StopOrphans(const QString& programFolder) {
    QDir temp(QStringLiteral("/tmp"));
    for (const QString& name : temp.entryList({QStringLiteral("vt-postgres-*")}, QDir::Dirs)) {
        const QString folder = temp.filePath(name);
        QFile owner(folder + u'/' + QLatin1String(kOwnerFile));
        if (!owner.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const pid_t pid = pid_t(owner.readAll().trimmed().toLongLong(&ok));
        if (!ok || pid <= 0 || kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        const QString pgCtl = programFolder + QLatin1String("/pg_ctl");
        const QStringList stop{QStringLiteral("stop"),      QStringLiteral("-m"),
                               QStringLiteral("immediate"), QStringLiteral("-w"),
                               QStringLiteral("-D"),        folder + QLatin1String("/data")};
        if (RunningAsRoot())
            QProcess::execute(QStringLiteral("runuser"),
                              QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                          QStringLiteral("--"), pgCtl} +
                                  stop);
        else
            QProcess::execute(pgCtl, stop);
        QDir(folder).removeRecursively();
    }
}

QString Quoted(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', QLatin1String("''"));
    return u'\'' + quoted + u'\'';
}
} // namespace

TPostgresServer::~TPostgresServer() {
    Stop();
}

QString TPostgresServer::ProgramFolder() {
    const QString given = qEnvironmentVariable("VT_POSTGRES_BIN");
    if (!given.isEmpty())
        return QFile::exists(given + QLatin1String("/initdb")) ? given : QString();
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QString best;
    QVersionNumber bestVersion;
    for (const QString& name : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString bin = versions.filePath(name) + QLatin1String("/bin");
        const QVersionNumber version = QVersionNumber::fromString(name);
        if (QFile::exists(bin + QLatin1String("/initdb")) &&
            QFile::exists(bin + QLatin1String("/pg_ctl")) && version > bestVersion) {
            best = bin;
            bestVersion = version;
        }
    }
    return best;
}

QString TPostgresServer::SocketFolder() const {
    return m_folder ? m_folder->filePath(QStringLiteral("socket")) : QString();
}

QString TPostgresServer::DataFolder() const {
    return m_folder->filePath(QStringLiteral("data"));
}

QString TPostgresServer::Address(const QString& user, const QString& database) const {
    // Concatenated: the encoded folder holds "%2F", which arg() would take for a placeholder.
    return QLatin1String("postgresql://") + user + u'@' +
           QString::fromLatin1(QUrl::toPercentEncoding(SocketFolder())) + u':' +
           QString::number(m_port) + u'/' + database;
}

bool TPostgresServer::Run(const QString& program, const QStringList& arguments,
                          QString& error) const {
    const QString path = ProgramFolder() + u'/' + program;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The server's files are private to their owner; its programs start in a folder it may read.
    process.setWorkingDirectory(m_folder->path());
    if (RunningAsRoot())
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                  QStringLiteral("--"), path} +
                          arguments);
    else
        process.start(path, arguments);
    if (!process.waitForFinished(kProgramTimeoutMs) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        error = QStringLiteral("%1 failed: %2 %3")
                    .arg(program, process.errorString(),
                         QString::fromLocal8Bit(process.readAll()).trimmed());
        return false;
    }
    return true;
}

bool TPostgresServer::Start(QString& error) {
    if (m_running)
        return true;
    if (ProgramFolder().isEmpty()) {
        error = QStringLiteral("the PostgreSQL server programs (initdb, pg_ctl) are not installed");
        return false;
    }
    StopOrphans(ProgramFolder());
    // Under /tmp, not $TMPDIR: a socket's path may not exceed about 100 bytes.
    m_folder = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/vt-postgres-XXXXXX"));
    if (!m_folder->isValid()) {
        error = QStringLiteral("cannot create a temporary folder: ") + m_folder->errorString();
        return false;
    }
    QFile owner(m_folder->filePath(QLatin1String(kOwnerFile)));
    if (!owner.open(QIODevice::WriteOnly) || owner.write(QByteArray::number(getpid())) < 0) {
        error = QStringLiteral("cannot write ") + owner.fileName();
        return false;
    }
    owner.close();
    m_adminPassword = QString::number(QRandomGenerator::global()->generate64(), 36);
    m_port = 40000 + int(getpid() % 20000);
    const QString passwordFile = m_folder->filePath(QStringLiteral("admin-password"));
    QFile password(passwordFile);
    if (!password.open(QIODevice::WriteOnly) || password.write(m_adminPassword.toUtf8()) < 0) {
        error = QStringLiteral("cannot write ") + passwordFile;
        return false;
    }
    password.close();
    if (!QDir(m_folder->path()).mkdir(QStringLiteral("socket")) ||
        !GiveToServerUser(m_folder->path(), error) || !GiveToServerUser(SocketFolder(), error) ||
        !GiveToServerUser(passwordFile, error))
        return false;
    if (!Run(QStringLiteral("initdb"),
             {QStringLiteral("-D"), DataFolder(), QStringLiteral("-U"), QLatin1String(AdminUser),
              QStringLiteral("--pwfile=") + passwordFile, QStringLiteral("--auth=scram-sha-256"),
              QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C"),
              QStringLiteral("--no-sync")},
             error))
        return false;
    // No TCP at all: the socket in our own folder is the only way in.
    QFile conf(DataFolder() + QLatin1String("/postgresql.conf"));
    if (!conf.open(QIODevice::Append | QIODevice::Text)) {
        error = QStringLiteral("cannot extend ") + conf.fileName();
        return false;
    }
    conf.write(QStringLiteral("listen_addresses = ''\nunix_socket_directories = %1\nport = %2\n"
                              "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n"
                              "timezone = 'UTC'\n")
                   .arg(Quoted(SocketFolder()))
                   .arg(m_port)
                   .toUtf8());
    conf.close();
    if (!Run(QStringLiteral("pg_ctl"),
             {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-t"),
              QStringLiteral("60"), QStringLiteral("-D"), DataFolder(), QStringLiteral("-l"),
              m_folder->filePath(QStringLiteral("server.log"))},
             error)) {
        QFile log(m_folder->filePath(QStringLiteral("server.log")));
        if (log.open(QIODevice::ReadOnly))
            error += QLatin1String("\n") + QString::fromLocal8Bit(log.readAll());
        Stop();
        return false;
    }
    m_running = true;
    return true;
}

void TPostgresServer::Stop() {
    if (m_running) {
        QString ignored;
        Run(QStringLiteral("pg_ctl"),
            {QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("immediate"),
             QStringLiteral("-w"), QStringLiteral("-D"), DataFolder()},
            ignored);
        m_running = false;
    }
    m_folder.reset();
}

bool TPostgresServer::Execute(const QString& database, const QStringList& statements,
                              QString& error) const {
    static std::atomic<int> count{0};
    const QString name = QStringLiteral("vt-postgres-admin-%1").arg(++count);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(SocketFolder());
        db.setPort(m_port);
        db.setUserName(QLatin1String(AdminUser));
        db.setPassword(m_adminPassword);
        db.setDatabaseName(database);
        if (!db.open()) {
            error = db.lastError().text();
            ok = false;
        }
        for (int i = 0; ok && i < statements.size(); ++i) {
            QSqlQuery query(db);
            if (!query.exec(statements[i])) {
                error = statements[i] + QLatin1String(": ") + query.lastError().text();
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
