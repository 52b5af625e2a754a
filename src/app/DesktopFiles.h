#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The two freedesktop file formats the file association reads and writes.

// One <mime-type> of a shared-mime-info package.
struct TMimeType {
    QString Type;
    QString Comment;
    QString Icon;
    QStringList Globs;
};

// The types of a package; none when it is missing or damaged.
QList<TMimeType> ReadMimePackage(const QString& path);
QByteArray MimePackageText(const QList<TMimeType>& types);

// Desktop entry values escape backslashes and control characters.
QString EscapeDesktopValue(const QString& value);
QString UnescapeDesktopValue(const QString& value);
// The keys of a desktop entry's main group, unescaped.
QHash<QString, QString> ReadDesktopEntry(const QString& path);
// A list value ("a;b;") as its items.
QStringList SplitList(const QString& value);
// A glob of the simple form *.ext gives ".ext"; other patterns name no extension.
QString GlobExtension(const QString& glob);
// The program an Exec value runs: its first argument, unquoted, with "%%" read as "%".
QString ExecProgram(const QString& exec);

// The desktop entries in the applications folders of the data folders, by file name; an
// entry hides a later folder's entry of the same name, as the desktop reads them.
QList<QHash<QString, QString>> DesktopEntries(const QStringList& dataFolders);
// The extensions the MIME packages of the data folders give to any of the types, each once.
QStringList TypeExtensions(const QStringList& dataFolders, const QStringList& types);
