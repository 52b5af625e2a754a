#include "files/FileReplace.h"

#include "files/FileTexts.h"
#include "platform/Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A save still writing its temporary has touched it within this time.
constexpr std::chrono::seconds kLeftoverAge{30};

[[noreturn]] void Refuse(const QString& path, const QString& reason) {
    throw TUserError(QString::fromLatin1(FileText::CannotWrite).arg(path, reason));
}

// The file the save replaces: a symbolic link's target, as QSaveFile writes through links.
QString ReplacedPath(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}
} // namespace

QStringList LeftoverSaves(const QString& path, std::chrono::seconds minAge) {
    const QFileInfo target(ReplacedPath(path));
    // The name with the six characters QSaveFile and QTemporaryFile put in place of "XXXXXX".
    const QRegularExpression pattern(QStringLiteral("\\A%1\\.[A-Za-z0-9]{6}\\z")
                                         .arg(QRegularExpression::escape(target.fileName())));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-minAge.count());
    QStringList found;
    const QDir folder = target.absoluteDir();
    // The glob narrows the listing before any file is looked at; the pattern then checks exactly.
    const QStringList glob{target.fileName() + QStringLiteral(".??????")};
    for (const QFileInfo& entry :
         folder.entryInfoList(glob, QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.isSymLink() || !pattern.match(entry.fileName()).hasMatch())
            continue;
        if (entry.lastModified() <= before)
            found << entry.absoluteFilePath();
    }
    return found;
}

void OpenReplacement(QSaveFile& file) {
    const QString path = file.fileName();
    struct stat old {};
    const bool exists =
        stat(QFile::encodeName(path).constData(), &old) == 0 && S_ISREG(old.st_mode);
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        Refuse(path, QString::fromLatin1(FileText::WriteProtected));
    // Someone else's file, or one on a read-only disk.
    if (exists && access(QFile::encodeName(path).constData(), W_OK) != 0)
        Refuse(path, QString::fromLocal8Bit(std::strerror(errno)));

    for (const QString& leftover : LeftoverSaves(path, kLeftoverAge))
        QFile::remove(leftover);

    if (!file.open(QIODevice::WriteOnly))
        Refuse(path, file.errorString());
    if (!exists)
        return;
    // QSaveFile creates the new version as the user running the program, and copies the old
    // permissions as that user sees them: root would take the file over and lift its protection.
    const int fd = file.handle();
    struct stat now {};
    if (fd >= 0 && fstat(fd, &now) == 0) {
        if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
            // Only root may give a file away; anyone else keeps what the system allows.
            if (fchown(fd, old.st_uid, old.st_gid) != 0)
                (void)!fchown(fd, uid_t(-1), old.st_gid);
        }
        // After the owner, since a change of owner clears the set-id bits.
        (void)!fchmod(fd, old.st_mode & 07777);
    }
}
