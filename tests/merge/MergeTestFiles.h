#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes bytes exactly as given into a new file at path.
inline QString WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}
