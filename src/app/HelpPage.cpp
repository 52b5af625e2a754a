#include "app/HelpPage.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

TUrlOpener DesktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

QStringList HelpPageFolders(const QString& programPath) {
    const QDir programFolder = QFileInfo(programPath).absoluteDir();
    QStringList folders{programFolder.absolutePath(), QDir::cleanPath(programFolder.filePath(
                                                          QStringLiteral("../share/vellumtrace")))};
    const QString installed = QDir::cleanPath(QStringLiteral(VT_INSTALLED_DATA_DIR));
    if (!folders.contains(installed))
        folders << installed;
    return folders;
}

QString FindHelpPage(const QString& programPath) {
    for (const QString& folder : HelpPageFolders(programPath)) {
        const QFileInfo page(QDir(folder).filePath(QLatin1String(kHelpFileName)));
        if (page.isFile())
            return page.absoluteFilePath();
    }
    return {};
}

bool ShowHelpPage(const QString& helpPage, const TUrlOpener& open) {
    if (helpPage.isEmpty() || !open)
        return false;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const bool opened = open(QUrl::fromLocalFile(helpPage));
    QGuiApplication::restoreOverrideCursor();
    return opened;
}
