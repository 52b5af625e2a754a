#pragma once

#include <QString>
#include <QTemporaryDir>

// The folder of checked-in test files (tests/data).
QString TestDataPath(const QString& relative = QString());

// A temporary folder that also becomes the program's temporary base and preference location
// for the life of the object, so tests never touch the user's own files.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
