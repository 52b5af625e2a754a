#include "PrivateCups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const char* const kCupsd = "/usr/sbin/cupsd";

bool WriteText(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) >= 0;
}
} // namespace

TPrivateCups::TPrivateCups(const QString& folder) : m_folder(folder) {
    if (!QFileInfo::exists(kCupsd)) {
        m_why = "cupsd is not installed (Debian package cups-daemon)";
        return;
    }
    if (geteuid() != 0) {
        m_why = "a private cupsd needs root";
        return;
    }
    m_socket = folder + "/cups.sock";
    // The jobs' helpers run as another user and must reach the spool.
    chmod(QFile::encodeName(folder).constData(), 0755);
    for (const char* sub : {"spool", "cache", "state", "log", "tmp"})
        QDir(folder).mkpath(sub);
    const QString conf = QStringLiteral("Listen %1\n"
                                        "LogLevel warn\n"
                                        "WebInterface No\n"
                                        "Browsing No\n"
                                        "DefaultAuthType None\n"
                                        "<Location />\n  Order allow,deny\n  Allow all\n"
                                        "</Location>\n"
                                        "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                        "  </Limit>\n</Policy>\n")
                             .arg(m_socket);
    const QString files = QStringLiteral("ServerRoot %1\n"
                                         "RequestRoot %1/spool\n"
                                         "CacheDir %1/cache\n"
                                         "StateDir %1/state\n"
                                         "TempDir %1/tmp\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "AccessLog %1/log/access_log\n"
                                         "PageLog %1/log/page_log\n"
                                         "FileDevice Yes\n")
                              .arg(folder);
    if (!WriteText(folder + "/cupsd.conf", conf) ||
        !WriteText(folder + "/cups-files.conf", files)) {
        m_why = "cannot write the configuration of cupsd";
        return;
    }
    m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd.start(kCupsd, {"-f", "-c", folder + "/cupsd.conf", "-s", folder + "/cups-files.conf"});
    if (!m_cupsd.waitForStarted(5000)) {
        m_why = "cupsd did not start: " + m_cupsd.errorString();
        return;
    }
    // Ready once its socket answers.
    for (int i = 0; i < 100; ++i) {
        if (Tool("lpstat", {"-r"}).startsWith("scheduler is running"))
            return;
        if (m_cupsd.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    m_why = "cupsd did not answer on " + m_socket;
}

TPrivateCups::~TPrivateCups() {
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }
}

QString TPrivateCups::Tool(const QString& program, const QStringList& args, bool* ok) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", m_socket);
    env.insert("LC_ALL", "C");
    p.setProcessEnvironment(env);
    QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(program, {"/usr/sbin", "/usr/bin"});
    p.start(path, args);
    const bool done =
        p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = done;
    if (!done)
        qWarning("%s %s: %s", qPrintable(program), qPrintable(args.join(' ')),
                 p.readAllStandardError().constData());
    return done ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
}

bool TPrivateCups::AddQueue(const QString& name) {
    bool ok = false;
    Tool("lpadmin", {"-p", name, "-E", "-v", "file:///dev/null"}, &ok);
    return ok;
}
