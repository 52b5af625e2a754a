#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Where the desktop's file types are written and how: the user's data folder, the system's
// (only read), the running program, and the file writer and database refresh, which tests
// replace to watch them.
struct TShellEnvironment {
    QString DataFolder;        // the user's data folder ($XDG_DATA_HOME, or ~/.local/share)
    QStringList SystemFolders; // the system's data folders ($XDG_DATA_DIRS)
    QString ProgramPath;       // the running program's full file name
    // Writes a whole file, creating its folder; false when it cannot.
    std::function<bool(const QString& path, const QByteArray& contents)> WriteFile;
    // Tells the desktop that the types under the data folder changed.
    std::function<void(const QString& dataFolder)> RefreshDatabases;

    // The user's own data folder and the system's, with the real writer and refresh.
    static TShellEnvironment ForProgram(const QString& programPath);
};

// $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share.
QString UserDataFolder();
// Replaces a file in one step, creating its folder (the old one stays whole when writing
// fails); false when it cannot.
bool WriteDesktopFile(const QString& path, const QByteArray& contents);
// Runs update-mime-database and update-desktop-database on the data folder when they are
// installed, without waiting for them.
void RefreshDesktopDatabases(const QString& dataFolder);

// The program's file types on a freedesktop system: a desktop entry that opens documents with
// the program (the type named KeyName, with its command), a shared-mime-info package with one
// MIME type per associated extension (glob, description, document icon), and the icons in the
// user's hicolor theme, all under the data folder. ShowInNew and QuickView have no
// counterpart there and are only kept; PathToApp and IconPath are kept too (the icons come
// from the program's own resources, chosen by Icon: 0 the program, 1 its documents).
class TFileAssociate {
public:
    explicit TFileAssociate(TShellEnvironment shell);

    QString KeyName;
    QString PathToApp;
    QString IconPath;
    int Icon = 0;
    QString ShellCmd = QStringLiteral("Open");
    QString Shell; // the desktop entry's command line (its Exec value)
    QString TypeName;
    bool ShowInNew = false;
    bool QuickView = false;

    // lbl, .lbl and report.lbl all give ".lbl"; only the file name part of a path counts.
    static QString NormalizeExtension(const QString& text);
    // The program path as one argument of a command line, quoted only when it must be.
    static QString CommandArgument(const QString& programPath);

    // Whether the type named KeyName (its desktop entry) exists.
    bool TypeExists() const;
    // Writes the type named KeyName: its desktop entry and the icon chosen by Icon.
    bool RegisterType();
    // Points an extension (or a file name's extension) at a MIME type of ours, described by
    // TypeName with the icon chosen by Icon, and opens that type with Shell.
    bool Associate(const QString& extensionOrFileName);
    // The extensions whose type opens with this program: those whose MIME type is listed by a
    // desktop entry whose command names the program (the part of Shell after the last "/").
    QStringList AssociatedExtensions() const;

    // Where the files go, and the MIME type an extension is given.
    QString DesktopEntryPath() const;
    QString MimePackagePath() const;
    QString MimeTypeFor(const QString& extension) const;

private:
    bool WriteIcon(int index);
    bool WriteDesktopEntry(const QString& icon, const QStringList& mimeTypes);
    bool Write(const QString& path, const QByteArray& contents);
    void Notify();

    TShellEnvironment m_shell;
};

// The start-up check: registers the label and template types when they are missing, or
// again when the program runs from another folder than the remembered one (programFolder,
// updated when that succeeds). Nothing is written when the system folders already open both
// types with this program (an installed package). Every failure is silent. Not for
// unattended runs.
void RegisterFileTypes(QString& programFolder, const TShellEnvironment& shell);
