#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// The user guide: "Help.html" beside the program (a build folder) or in the installed data
// folder <prefix>/share/vellumtrace, opened in the user's browser.
inline constexpr const char* kHelpFileName = "Help.html";

// Opens a URL with the desktop's handler; false when it could not.
using TUrlOpener = std::function<bool(const QUrl& url)>;
TUrlOpener DesktopUrlOpener();

// The folders searched, in order: the program's own, share/vellumtrace beside the program's
// bin folder, and the data folder the program was configured to be installed in.
QStringList HelpPageFolders(const QString& programPath);
// The first help page found for the program, or empty.
QString FindHelpPage(const QString& programPath);
// Opens the page (with the busy cursor while the desktop starts its browser); false when
// there is no page or it could not be opened.
bool ShowHelpPage(const QString& helpPage, const TUrlOpener& open = DesktopUrlOpener());
