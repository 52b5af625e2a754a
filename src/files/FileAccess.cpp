#include "files/FileAccess.h"

#include "files/FileReplace.h"
#include "files/FileTexts.h"
#include "platform/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

void OpenForReading(QFile& file) {
    const QString path = file.fileName();
    const QFileInfo info(path);
    if (!info.exists())
        throw TUserError(QString::fromLatin1(FileText::Missing).arg(path));
    if (info.isDir())
        throw TUserError(QString::fromLatin1(FileText::CannotOpen)
                             .arg(path, QString::fromLatin1(FileText::IsFolder)));
    if (!file.open(QIODevice::ReadOnly))
        throw TUserError(QString::fromLatin1(FileText::CannotOpen).arg(path, file.errorString()));
}

QByteArray ReadFileBytes(const QString& path, qint64 limit) {
    QFile f(path);
    OpenForReading(f);
    if (f.size() > limit)
        throw TUserError(QString::fromLatin1(FileText::TooLarge).arg(path).arg(f.size()));
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw TUserError(QString::fromLatin1(FileText::CannotRead).arg(path, f.errorString()));
    return bytes;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    OpenReplacement(f);
    QString reason;
    if (f.write(bytes) != bytes.size())
        reason = f.errorString();
    else
        CommitComplete(f, reason);
    if (!reason.isEmpty())
        throw TUserError(QString::fromLatin1(FileText::CannotWrite).arg(path, reason));
}

bool CommitComplete(QSaveFile& file, QString& reason) {
    // A write cut short by a full disk can go unreported until the buffer is flushed, and then
    // only as a shorter file; the size tells.
    const qint64 expected = file.pos();
    if (!file.flush() || file.size() != expected) {
        reason = QString::fromLatin1(FileText::CutShort); // Qt says only "Unknown error" here
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}
