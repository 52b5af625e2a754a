#include "TestSupport.h"

#include "platform/TempFiles.h"

#include <QDir>

QString TestDataPath(const QString& relative) {
    QString base = qEnvironmentVariable("VT_TEST_DATA");
    if (base.isEmpty())
        base = QStringLiteral(VT_SOURCE_DIR "/tests/data");
    return relative.isEmpty() ? base : QDir(base).filePath(relative);
}

TScratchFolder::TScratchFolder() {
    SetTempBaseForTesting(m_dir.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
}

TScratchFolder::~TScratchFolder() {
    SetTempBaseForTesting(QString());
}
