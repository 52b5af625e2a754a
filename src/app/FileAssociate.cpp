#include "app/FileAssociate.h"

#include "app/DesktopFiles.h"
#include "app/SystemFileTypes.h"
#include "files/FileAccess.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <exception>
#include <utility>

namespace {
const QString kDesktopTemplate = QStringLiteral(":/shell/vellumtrace.desktop.in");

// The pictures an icon index stands for, copied from the resources into the hicolor theme.
struct TIconSpec {
    const char* Name;
    const char* Context;
    const char* Scalable;
    const char* Png48;
};
const TIconSpec kIcons[] = {
    {"vellumtrace", "apps", ":/icons/vellumtrace.svg", ":/icons/vellumtrace-48.png"},
    {"application-x-vellumtrace-document", "mimetypes", ":/icons/vellumtrace-document.svg",
     ":/icons/vellumtrace-document-48.png"},
};

const TIconSpec& IconSpec(int index) {
    return index >= 0 && index < int(std::size(kIcons)) ? kIcons[index] : kIcons[0];
}

// Our own documents get MIME names that say what they hold; other extensions their stem.
struct TKnownKind {
    const char* Extension;
    const char* Kind;
};
const TKnownKind kKnownKinds[] = {{".lbl", "label"}, {".lbf", "template"}};

// Whether both document types are among the associated extensions.
bool HasDocumentTypes(const QStringList& associated) {
    for (const TKnownKind& known : kKnownKinds)
        if (!associated.contains(QLatin1String(known.Extension), Qt::CaseInsensitive))
            return false;
    return true;
}

QByteArray ResourceBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TShellEnvironment TShellEnvironment::ForProgram(const QString& programPath) {
    return {UserDataFolder(), SystemDataFolders(), programPath, WriteDesktopFile,
            RefreshDesktopDatabases};
}

QString UserDataFolder() {
    // A relative value is invalid and ignored, as the base directory rules say.
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::home().filePath(QStringLiteral(".local/share"));
}

bool WriteDesktopFile(const QString& path, const QByteArray& contents) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    try {
        WriteFileAtomically(path, contents);
        return true;
    } catch (const TUserError&) {
        return false; // registering the file types never troubles the user
    }
}

void RefreshDesktopDatabases(const QString& dataFolder) {
    const std::pair<const char*, const char*> tools[] = {
        {"update-mime-database", "mime"}, {"update-desktop-database", "applications"}};
    for (const auto& [tool, folder] : tools) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
        if (program.isEmpty())
            continue;
        QProcess process;
        process.setProgram(program);
        process.setArguments({QDir(dataFolder).filePath(QLatin1String(folder))});
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.startDetached();
    }
}

TFileAssociate::TFileAssociate(TShellEnvironment shell) : m_shell(std::move(shell)) {
    if (!m_shell.WriteFile)
        m_shell.WriteFile = WriteDesktopFile;
}

QString TFileAssociate::NormalizeExtension(const QString& text) {
    const QString name = text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 1)
        return name.mid(dot);
    if (name.startsWith(QLatin1Char('.')))
        return name;
    return QLatin1Char('.') + name;
}

QString TFileAssociate::CommandArgument(const QString& programPath) {
    // A "%" would start a field code; the characters below need the argument quoted.
    QString argument = programPath;
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return argument;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString TFileAssociate::DesktopEntryPath() const {
    return QDir(m_shell.DataFolder)
        .filePath(QStringLiteral("applications/%1.desktop").arg(KeyName.toLower()));
}

QString TFileAssociate::MimePackagePath() const {
    return QDir(m_shell.DataFolder)
        .filePath(QStringLiteral("mime/packages/%1.xml").arg(KeyName.toLower()));
}

QString TFileAssociate::MimeTypeFor(const QString& extension) const {
    const QString ext = NormalizeExtension(extension).toLower();
    QString kind;
    for (const TKnownKind& known : kKnownKinds)
        if (ext == QLatin1String(known.Extension))
            kind = QLatin1String(known.Kind);
    if (kind.isEmpty()) {
        // Only characters a MIME name may hold.
        for (const QChar c : ext.mid(1))
            kind += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('+') ||
                            c == QLatin1Char('-')
                        ? c
                        : QLatin1Char('-');
    }
    return QStringLiteral("application/x-%1-%2").arg(KeyName.toLower(), kind);
}

bool TFileAssociate::TypeExists() const {
    return !KeyName.isEmpty() && QFileInfo::exists(DesktopEntryPath());
}

bool TFileAssociate::RegisterType() {
    if (KeyName.isEmpty() || m_shell.DataFolder.isEmpty())
        return false;
    const auto existing = ReadDesktopEntry(DesktopEntryPath());
    if (!WriteDesktopEntry(QLatin1String(IconSpec(Icon).Name),
                           SplitList(existing.value(QStringLiteral("MimeType")))) ||
        !WriteIcon(Icon))
        return false;
    Notify();
    return true;
}

bool TFileAssociate::Associate(const QString& extensionOrFileName) {
    const QString ext = NormalizeExtension(extensionOrFileName);
    if (KeyName.isEmpty() || m_shell.DataFolder.isEmpty() || ext.size() < 2)
        return false;
    const QString mimeType = MimeTypeFor(ext);

    QList<TMimeType> types = ReadMimePackage(MimePackagePath());
    TMimeType entry{
        mimeType, TypeName, QLatin1String(IconSpec(Icon).Name), {QLatin1Char('*') + ext}};
    auto same = std::find_if(types.begin(), types.end(),
                             [&](const TMimeType& t) { return t.Type == mimeType; });
    if (same != types.end())
        *same = entry;
    else
        types << entry;

    // The desktop entry keeps its own icon and the types it already opens.
    const auto existing = ReadDesktopEntry(DesktopEntryPath());
    QStringList mimeTypes = SplitList(existing.value(QStringLiteral("MimeType")));
    if (!mimeTypes.contains(mimeType))
        mimeTypes << mimeType;
    const QString icon = existing.value(QStringLiteral("Icon"), QLatin1String(kIcons[0].Name));

    if (!Write(MimePackagePath(), MimePackageText(types)) || !WriteDesktopEntry(icon, mimeTypes) ||
        !WriteIcon(Icon))
        return false;
    Notify();
    return true;
}

QStringList TFileAssociate::AssociatedExtensions() const {
    const QString command = Shell.mid(Shell.lastIndexOf(QLatin1Char('/')) + 1);
    QStringList ourTypes;
    for (const auto& entry : DesktopEntries({m_shell.DataFolder}))
        if (!command.isEmpty() && entry.value(QStringLiteral("Exec")).contains(command))
            ourTypes << SplitList(entry.value(QStringLiteral("MimeType")));
    return TypeExtensions({m_shell.DataFolder}, ourTypes);
}

bool TFileAssociate::WriteIcon(int index) {
    const TIconSpec& icon = IconSpec(index);
    const QDir theme(QDir(m_shell.DataFolder).filePath(QStringLiteral("icons/hicolor")));
    const QString name = QLatin1String(icon.Name);
    const QString context = QLatin1String(icon.Context);
    return Write(theme.filePath(QStringLiteral("scalable/%1/%2.svg").arg(context, name)),
                 ResourceBytes(QLatin1String(icon.Scalable))) &&
           Write(theme.filePath(QStringLiteral("48x48/%1/%2.png").arg(context, name)),
                 ResourceBytes(QLatin1String(icon.Png48)));
}

bool TFileAssociate::WriteDesktopEntry(const QString& icon, const QStringList& mimeTypes) {
    QString text = QString::fromUtf8(ResourceBytes(kDesktopTemplate));
    if (text.isEmpty())
        return false;
    text.replace(QLatin1String("@VT_DESKTOP_EXEC@"), EscapeDesktopValue(Shell));
    text.replace(QLatin1String("@VT_DESKTOP_ICON@"), EscapeDesktopValue(icon));
    const QString types = mimeTypes.isEmpty() ? QString() : mimeTypes.join(QLatin1Char(';')) + ';';
    text.replace(QLatin1String("@VT_DESKTOP_MIMETYPES@"), EscapeDesktopValue(types));
    return Write(DesktopEntryPath(), text.toUtf8());
}

bool TFileAssociate::Write(const QString& path, const QByteArray& contents) {
    return !contents.isEmpty() && m_shell.WriteFile(path, contents);
}

void TFileAssociate::Notify() {
    if (m_shell.RefreshDatabases)
        m_shell.RefreshDatabases(m_shell.DataFolder);
}

void RegisterFileTypes(QString& programFolder, const TShellEnvironment& shell) {
    if (shell.ProgramPath.isEmpty() || shell.DataFolder.isEmpty())
        return;
    try {
        // User files would hide the installed package's and keep pointing at this path.
        if (HasDocumentTypes(SystemAssociatedExtensions(shell.SystemFolders, shell.ProgramPath)))
            return;
        // The desktop is told once, after everything was written, so that a refresh never
        // reads a package that is still being completed.
        bool changed = false;
        TShellEnvironment recording = shell;
        recording.RefreshDatabases = [&changed](const QString&) { changed = true; };
        const auto finish = [&] {
            if (changed && shell.RefreshDatabases)
                shell.RefreshDatabases(shell.DataFolder);
        };

        TFileAssociate associate(recording);
        associate.KeyName = QStringLiteral("Vellumtrace");
        associate.PathToApp = shell.ProgramPath;
        associate.IconPath = shell.ProgramPath;
        associate.Icon = 0;
        associate.ShellCmd = QStringLiteral("Open");
        associate.Shell = TFileAssociate::CommandArgument(shell.ProgramPath) + " %f";
        associate.TypeName = QStringLiteral("Vellumtrace document");
        associate.ShowInNew = false;
        associate.QuickView = true;

        if (!associate.TypeExists() && !associate.RegisterType()) {
            finish();
            return;
        }
        const QStringList associated = associate.AssociatedExtensions();
        associate.Icon = 1;
        const QString folder = QFileInfo(shell.ProgramPath).absolutePath();
        if (!HasDocumentTypes(associated)) {
            // The folder is remembered only on the next start, which associates once more.
            if (associate.Associate(QStringLiteral(".lbl")))
                associate.Associate(QStringLiteral(".lbf"));
        } else if (programFolder != folder) {
            if (associate.Associate(QStringLiteral(".lbl")) &&
                associate.Associate(QStringLiteral(".lbf")))
                programFolder = folder;
        }
        finish();
    } catch (const std::exception&) {
        // No association is no reason to stop the program from starting.
    }
}
