#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QSaveFile;

// Whole-file reading and writing with the user-readable errors of the label files.

// Opens file (already named) for reading; throws TUserError when it is missing, a folder or
// cannot be opened.
void OpenForReading(QFile& file);

// The file's bytes; throws TUserError when it is missing, unreadable or above limit bytes.
QByteArray ReadFileBytes(const QString& path, qint64 limit);

// Writes beside the old file and replaces it only when everything was written, so a failed save
// never destroys the previous version; the new version keeps the old one's owner and permissions
// (OpenReplacement). Throws TUserError.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Commits a save file only when everything written reached the disk; false with the reason (and
// the old file kept) otherwise.
bool CommitComplete(QSaveFile& file, QString& reason);
