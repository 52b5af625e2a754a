#include "app/SystemFileTypes.h"

#include "app/DesktopFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList SystemDataFolders() {
    const QStringList configured =
        qEnvironmentVariable("XDG_DATA_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (configured.isEmpty())
        return {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    QStringList folders;
    for (const QString& folder : configured) {
        // Relative entries are invalid and ignored, as the base directory rules say.
        const QString clean = QDir::cleanPath(folder);
        if (QDir::isAbsolutePath(folder) && !folders.contains(clean))
            folders << clean;
    }
    return folders;
}

namespace {
// Links and merged folders (/bin and /usr/bin) name one file in many ways: compared by the
// canonical path of the running program (program).
bool RunsProgram(const QString& execProgram, const QString& program) {
    QString file = execProgram;
    if (!execProgram.contains(QLatin1Char('/')))
        file = execProgram.isEmpty() ? QString() : QStandardPaths::findExecutable(execProgram);
    else if (!QDir::isAbsolutePath(execProgram))
        return false;
    return !file.isEmpty() && QFileInfo(file).canonicalFilePath() == program;
}
} // namespace

QStringList SystemAssociatedExtensions(const QStringList& dataFolders, const QString& programPath) {
    const QString program = QFileInfo(programPath).canonicalFilePath();
    if (program.isEmpty())
        return {};
    QStringList ourTypes;
    for (const auto& entry : DesktopEntries(dataFolders)) {
        const QStringList types = SplitList(entry.value(QStringLiteral("MimeType")));
        if (!types.isEmpty() &&
            entry.value(QStringLiteral("Type")) == QLatin1String("Application") &&
            entry.value(QStringLiteral("Hidden")) != QLatin1String("true") &&
            RunsProgram(ExecProgram(entry.value(QStringLiteral("Exec"))), program))
            ourTypes << types;
    }
    return TypeExtensions(dataFolders, ourTypes);
}
