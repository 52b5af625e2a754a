#include "platform/TempFiles.h"

#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <mutex>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// Print runs on several threads find the folder at once.
std::mutex g_mutex;
QString g_base;
QString g_folder;

QString UserTag() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    QString user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("user") : user;
#endif
}

void MakePrivate(const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray p = QFile::encodeName(path);
    if (::mkdir(p.constData(), 0700) != 0 && errno != EEXIST)
        throw TUserError(QStringLiteral("Cannot create the temporary folder %1: %2")
                             .arg(path, QString::fromLocal8Bit(strerror(errno))));
    struct stat st {};
    // lstat: a symbolic link planted by someone else must not be followed.
    if (::lstat(p.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        throw TUserError(
            QStringLiteral("The temporary folder %1 is not a folder of this user.").arg(path));
    if ((st.st_mode & 0777) != 0700 && ::chmod(p.constData(), 0700) != 0)
        throw TUserError(QStringLiteral("Cannot make the temporary folder %1 private.").arg(path));
#else
    if (!QDir().mkpath(path))
        throw TUserError(QStringLiteral("Cannot create the temporary folder %1.").arg(path));
#endif
}
} // namespace

QString TempFolder() {
    const std::lock_guard lock(g_mutex);
    if (g_folder.isEmpty() || !QDir(g_folder).exists()) {
        const QString base = g_base.isEmpty() ? QDir::tempPath() : g_base;
        const QString folder = QDir(base).filePath(QStringLiteral("vellumtrace-") + UserTag());
        MakePrivate(folder);
        g_folder = folder;
    }
    return g_folder;
}

QString UniqueTempFile(const QString& prefix) {
    const QString folder = TempFolder();
    const QString stem = prefix.left(3);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const quint32 n = QRandomGenerator::global()->generate();
        const QString path =
            QDir(folder).filePath(stem + QString::number(n, 16).toUpper() + QStringLiteral(".TMP"));
        QFile f(path);
        // NewOnly is O_EXCL: fails instead of opening a file that appeared meanwhile.
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            f.close();
            return path;
        }
        if (QFile::exists(path))
            continue;
        throw TUserError(QStringLiteral("Cannot create a temporary file in %1: %2")
                             .arg(folder, f.errorString()));
    }
    throw TUserError(QStringLiteral("Cannot create a temporary file in %1.").arg(folder));
}

void SetTempBaseForTesting(const QString& base) {
    const std::lock_guard lock(g_mutex);
    g_base = base;
    g_folder.clear();
}
