#include "app/FileAssociate.h"
#include "app/DesktopFiles.h"
#include "app/Resources.h"
#include "app/SystemFileTypes.h"

#include "EnvironmentValue.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {
const QString kLabelType = QStringLiteral("application/x-vellumtrace-label");
const QString kTemplateType = QStringLiteral("application/x-vellumtrace-template");

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of a key in a desktop entry, as written in the file (still escaped).
QString EntryLine(const QString& path, const QString& key) {
    for (const QString& line : ReadText(path).split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    return QStringLiteral("<missing>");
}

// Type name -> (comment, icon, globs) of a shared-mime-info package.
using TMimeTable = std::map<QString, std::tuple<QString, QString, std::set<QString>>>;
TMimeTable ReadMimeTable(const QString& path) {
    TMimeTable table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    QXmlStreamReader xml(&file);
    QString type;
    while (!xml.atEnd()) {
        if (!xml.readNext() || !xml.isStartElement())
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == QLatin1String("mime-type"))
            type = attributes.value(QLatin1String("type")).toString();
        else if (xml.name() == QLatin1String("comment"))
            std::get<0>(table[type]) = xml.readElementText();
        else if (xml.name() == QLatin1String("icon"))
            std::get<1>(table[type]) = attributes.value(QLatin1String("name")).toString();
        else if (xml.name() == QLatin1String("glob"))
            std::get<2>(table[type]).insert(attributes.value(QLatin1String("pattern")).toString());
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return table;
}

class FileAssociateTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitAppResources();
        PlaceProgram(QStringLiteral("opt/one"));
    }

    // The program as if installed in a folder of the scratch area.
    void PlaceProgram(const QString& folder) {
        const QString dir = scratch.File(folder);
        QDir().mkpath(dir);
        program = QDir(dir).filePath(QStringLiteral("vellumtrace"));
        QFile(program).open(QIODevice::WriteOnly);
    }

    TShellEnvironment Shell() {
        TShellEnvironment shell;
        shell.DataFolder = scratch.File(QStringLiteral("data"));
        shell.SystemFolders = systemFolders;
        shell.ProgramPath = program;
        shell.WriteFile = [this](const QString& path, const QByteArray& contents) {
            written << path;
            return WriteDesktopFile(path, contents);
        };
        shell.RefreshDatabases = [this](const QString& folder) { refreshed << folder; };
        return shell;
    }

    // A start of the program: the association check with the remembered folder.
    void Start() {
        written.clear();
        refreshed.clear();
        RegisterFileTypes(remembered, Shell());
    }

    TFileAssociate Associate() {
        TFileAssociate associate(Shell());
        associate.KeyName = QStringLiteral("Vellumtrace");
        associate.Shell = TFileAssociate::CommandArgument(program) + " %f";
        associate.TypeName = QStringLiteral("Vellumtrace document");
        return associate;
    }

    QString Data(const QString& relative) const {
        return QDir(scratch.File(QStringLiteral("data"))).filePath(relative);
    }
    QString DesktopEntry() const {
        return Data(QStringLiteral("applications/vellumtrace.desktop"));
    }
    QString MimePackage() const { return Data(QStringLiteral("mime/packages/vellumtrace.xml")); }

    TScratchFolder scratch;
    QString program;
    QStringList systemFolders;
    QString remembered;
    QStringList written;
    QStringList refreshed;
};

TEST_F(FileAssociateTest, NormalizeExtension) {
    struct Row {
        const char* Text;
        const char* Expected;
    };
    const Row rows[] = {
        {"lbl", ".lbl"},                  // a bare extension gets its dot
        {".lbl", ".lbl"},                 // a dotted one is kept
        {"report.lbl", ".lbl"},           // a file name gives its extension
        {"my.report.lbf", ".lbf"},        // only the last dot starts the extension
        {"/home/a.b/report.lbl", ".lbl"}, // a folder's dots do not count
        {"/home/a.b/report", ".report"},  // a file without extension: its name
        {".hidden", ".hidden"},           // a leading dot is not a name's end
    };
    for (const Row& row : rows)
        EXPECT_EQ(TFileAssociate::NormalizeExtension(QLatin1String(row.Text)),
                  QLatin1String(row.Expected))
            << row.Text;
}

TEST_F(FileAssociateTest, FirstStartRegistersBothTypesTheEntryAndTheIcons) {
    Start();
    const TMimeTable types = ReadMimeTable(MimePackage());
    ASSERT_EQ(types.size(), 2u);
    const auto document = QStringLiteral("application-x-vellumtrace-document");
    EXPECT_EQ(types.at(kLabelType),
              std::make_tuple(QStringLiteral("Vellumtrace document"), document,
                              std::set<QString>{QStringLiteral("*.lbl")}));
    EXPECT_EQ(types.at(kTemplateType),
              std::make_tuple(QStringLiteral("Vellumtrace document"), document,
                              std::set<QString>{QStringLiteral("*.lbf")}));

    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("Exec")), program + " %f");
    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("MimeType")),
              kLabelType + ';' + kTemplateType + ';');
    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("Icon")), QStringLiteral("vellumtrace"));
    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("Type")), QStringLiteral("Application"));

    for (const char* icon :
         {"icons/hicolor/scalable/apps/vellumtrace.svg", "icons/hicolor/48x48/apps/vellumtrace.png",
          "icons/hicolor/scalable/mimetypes/application-x-vellumtrace-document.svg",
          "icons/hicolor/48x48/mimetypes/application-x-vellumtrace-document.png"})
        EXPECT_GT(QFileInfo(Data(QLatin1String(icon))).size(), 100) << icon;

    // The desktop is told once, when everything is in place.
    EXPECT_EQ(refreshed, QStringList{scratch.File(QStringLiteral("data"))});
    EXPECT_EQ(Associate().AssociatedExtensions(), (QStringList{".lbl", ".lbf"}));
    // The folder is only remembered by the start that finds the types already there.
    EXPECT_TRUE(remembered.isEmpty());
}

TEST_F(FileAssociateTest, LaterStartsFromTheSameFolderWriteNothing) {
    Start();
    ASSERT_FALSE(written.isEmpty());

    Start(); // finds both types but no remembered folder: associates once more
    EXPECT_FALSE(written.isEmpty());
    EXPECT_EQ(refreshed.size(), 1);
    EXPECT_EQ(remembered, QFileInfo(program).absolutePath());

    Start();
    EXPECT_TRUE(written.isEmpty()) << written.join(' ').toStdString();
    EXPECT_TRUE(refreshed.isEmpty());
    Start();
    EXPECT_TRUE(written.isEmpty());
}

TEST_F(FileAssociateTest, AMovedProgramIsAssociatedAgainAndItsFolderRemembered) {
    Start();
    Start();
    const QString firstFolder = remembered;

    PlaceProgram(QStringLiteral("opt/two"));
    Start();
    EXPECT_FALSE(written.isEmpty());
    EXPECT_EQ(refreshed.size(), 1);
    EXPECT_NE(remembered, firstFolder);
    EXPECT_EQ(remembered, QFileInfo(program).absolutePath());
    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("Exec")), program + " %f");
    EXPECT_EQ(ReadMimeTable(MimePackage()).size(), 2u); // replaced, not added twice

    Start();
    EXPECT_TRUE(written.isEmpty());
}

TEST_F(FileAssociateTest, ARenamedProgramFindsNoAssociationAndRegistersAgain) {
    Start();
    Start();
    const QString folder = QFileInfo(program).absolutePath();
    program = QDir(folder).filePath(QStringLiteral("vellumtrace-2"));
    Start();
    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("Exec")), program + " %f");
    EXPECT_EQ(remembered, folder);
}

TEST_F(FileAssociateTest, TypesOpenedByAnotherProgramAreNotOurs) {
    // Another program's entry claims our MIME types; our package alone does not make them ours.
    Start();
    QFile::remove(DesktopEntry());
    QFile foreign(Data(QStringLiteral("applications/other.desktop")));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("[Desktop Entry]\nType=Application\nName=Other\nExec=/usr/bin/other %f\n"
                  "MimeType=application/x-vellumtrace-label;application/x-vellumtrace-template;\n");
    foreign.close();
    EXPECT_TRUE(Associate().AssociatedExtensions().isEmpty());

    Start();
    EXPECT_EQ(Associate().AssociatedExtensions(), (QStringList{".lbl", ".lbf"}));
    EXPECT_EQ(EntryLine(Data(QStringLiteral("applications/other.desktop")), QStringLiteral("Exec")),
              QStringLiteral("/usr/bin/other %f"));
}

TEST_F(FileAssociateTest, AProgramPathWithSpecialCharactersIsQuotedAndStillRecognised) {
    PlaceProgram(QStringLiteral("My $Labels 100%"));
    Start();
    // Quoted for the command line ($ escaped), then the backslash escaped for the file.
    const QString folder = QFileInfo(program).absolutePath();
    QString inFile = QStringLiteral("\"%1/vellumtrace\" %f").arg(folder);
    inFile.replace(QStringLiteral("$"), QStringLiteral("\\\\$"))
        .replace(QStringLiteral("100%/"), QStringLiteral("100%%/"));
    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("Exec")), inFile);
    EXPECT_EQ(Associate().AssociatedExtensions(), (QStringList{".lbl", ".lbf"}));
}

TEST_F(FileAssociateTest, CommandArgumentQuotesOnlyWhenNeeded) {
    EXPECT_EQ(TFileAssociate::CommandArgument("/usr/bin/vellumtrace"), "/usr/bin/vellumtrace");
    EXPECT_EQ(TFileAssociate::CommandArgument("/opt/My Apps/vt"), "\"/opt/My Apps/vt\"");
    EXPECT_EQ(TFileAssociate::CommandArgument("/opt/a\"b`c\\d/vt"), "\"/opt/a\\\"b\\`c\\\\d/vt\"");
    EXPECT_EQ(TFileAssociate::CommandArgument("/opt/50%/vt"), "/opt/50%%/vt");
}

TEST_F(FileAssociateTest, AssociateAddsToThePackageAndTheEntry) {
    TFileAssociate associate = Associate();
    associate.Icon = 1;
    ASSERT_TRUE(associate.Associate(QStringLiteral("report.lbl")));
    ASSERT_TRUE(associate.Associate(QStringLiteral("lbl"))); // again: replaced, not doubled
    ASSERT_TRUE(associate.Associate(QStringLiteral("notes.Tx t")));

    const TMimeTable types = ReadMimeTable(MimePackage());
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(std::get<2>(types.at(QStringLiteral("application/x-vellumtrace-tx-t"))),
              std::set<QString>{QStringLiteral("*.Tx t")});
    EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("MimeType")),
              kLabelType + ";application/x-vellumtrace-tx-t;");
    EXPECT_EQ(refreshed.size(), 3); // on its own, every operation tells the desktop
    EXPECT_FALSE(associate.Associate(QString()));
}

TEST_F(FileAssociateTest, AnUnwritableDataFolderIsSilent) {
    // A file where the data folder should be: nothing below it can be created (even as root).
    QFile blocker(scratch.File(QStringLiteral("data")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    EXPECT_NO_THROW(Start());
    EXPECT_TRUE(refreshed.isEmpty());
    EXPECT_TRUE(remembered.isEmpty());
    EXPECT_TRUE(QFileInfo(scratch.File(QStringLiteral("data"))).isFile());
    EXPECT_TRUE(Associate().AssociatedExtensions().isEmpty());
}

TEST_F(FileAssociateTest, AFailedWriteLeavesTheFolderUnremembered) {
    Start();
    Start();
    PlaceProgram(QStringLiteral("opt/two"));
    const QString before = remembered;
    TShellEnvironment shell = Shell();
    shell.WriteFile = [](const QString&, const QByteArray&) { return false; };
    RegisterFileTypes(remembered, shell);
    EXPECT_EQ(remembered, before); // so the next start tries again
}

TEST_F(FileAssociateTest, TheInstalledPackageDescribesTheSameTypes) {
    Start();
    EXPECT_EQ(ReadMimeTable(QStringLiteral(VT_SHELL_DATA "/vellumtrace-mime.xml")),
              ReadMimeTable(MimePackage()));
}

TEST_F(FileAssociateTest, TheDataFolderFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.File(QStringLiteral("xdg"))));
    EXPECT_EQ(TShellEnvironment::ForProgram(program).DataFolder,
              scratch.File(QStringLiteral("xdg")));
    qputenv("XDG_DATA_HOME", "relative/data"); // not absolute: ignored
    EXPECT_EQ(UserDataFolder(), QDir::home().filePath(QStringLiteral(".local/share")));
    if (wasSet)
        qputenv("XDG_DATA_HOME", saved);
    else
        qunsetenv("XDG_DATA_HOME");
}

// The program installed by a package: its desktop entry and MIME package in system folders.
class InstalledProgramTest : public FileAssociateTest {
protected:
    static void Put(const QString& path, const QByteArray& contents) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QString System(const QString& name) const { return scratch.File("system/" + name); }

    // The package's MIME types, as the program's own data describes them.
    static QByteArray PackageText() {
        QFile file(QStringLiteral(VT_SHELL_DATA "/vellumtrace-mime.xml"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void InstallPackage(const QString& folder, const QByteArray& text = PackageText()) {
        Put(QDir(folder).filePath(QStringLiteral("mime/packages/org.vellumtrace.Vellumtrace.xml")),
            text);
    }

    // The package's desktop entry, made from the program's own template.
    void InstallEntry(const QString& folder, const QString& exec,
                      const QString& mimeTypes = kLabelType + ';' + kTemplateType + ';',
                      const QString& extra = {}) {
        QFile file(QStringLiteral(VT_SHELL_DATA "/vellumtrace.desktop.in"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        text.replace(QLatin1String("@VT_DESKTOP_EXEC@"), EscapeDesktopValue(exec));
        text.replace(QLatin1String("@VT_DESKTOP_ICON@"), QLatin1String("vellumtrace"));
        text.replace(QLatin1String("@VT_DESKTOP_MIMETYPES@"), mimeTypes);
        Put(QDir(folder).filePath(
                QStringLiteral("applications/org.vellumtrace.Vellumtrace.desktop")),
            (text + extra).toUtf8());
    }

    // A start that must leave the user's folder as it was.
    void ExpectNothingWritten() {
        Start();
        EXPECT_TRUE(written.isEmpty()) << written.join(' ').toStdString();
        EXPECT_TRUE(refreshed.isEmpty());
        EXPECT_TRUE(remembered.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(scratch.File(QStringLiteral("data"))));
    }
    // A start that registers both types for the user, as without a package.
    void ExpectUserTypesWritten() {
        QDir(scratch.File(QStringLiteral("data"))).removeRecursively();
        Start();
        EXPECT_EQ(EntryLine(DesktopEntry(), QStringLiteral("Exec")),
                  TFileAssociate::CommandArgument(program) + " %f");
        EXPECT_EQ(ReadMimeTable(MimePackage()).size(), 2u);
        EXPECT_EQ(refreshed.size(), 1);
    }
};

TEST_F(InstalledProgramTest, SystemTypesOpenedByThisProgramLeaveTheUserFolderAlone) {
    for (const char* folder : {"usr/bin", "My $Labels 100%"}) {
        SCOPED_TRACE(folder);
        PlaceProgram(QLatin1String(folder));
        const QString exec = TFileAssociate::CommandArgument(program) + " %f";
        // The package and the entry may come from different system folders.
        systemFolders = {System(folder + QStringLiteral("/local")),
                         System(folder + QStringLiteral("/usr"))};
        InstallPackage(systemFolders[0]);
        InstallEntry(systemFolders[1], exec);
        ExpectNothingWritten();
        ExpectNothingWritten(); // and no later start remembers a folder to move from
    }
}

TEST_F(InstalledProgramTest, SystemTypesThatAreNotBothOursAreRegisteredForTheUser) {
    const QString exec = program + " %f";
    const QString other = scratch.File(QStringLiteral("opt/other/vellumtrace"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(other).absolutePath()));
    QFile(other).open(QIODevice::WriteOnly);
    QByteArray noTemplateGlob = PackageText();
    noTemplateGlob.replace("*.lbf", "*.lbt");

    struct Row {
        const char* Name;
        std::function<void(const QString& first, const QString& second)> Install;
    };
    const Row rows[] = {
        {"another program",
         [&](const QString&, const QString& usr) {
             InstallPackage(usr);
             InstallEntry(usr, other + " %f");
         }},
        {"a relative program",
         [&](const QString&, const QString& usr) {
             InstallPackage(usr);
             InstallEntry(usr, QStringLiteral("opt/one/vellumtrace %f"));
         }},
        {"only the label type",
         [&](const QString&, const QString& usr) {
             InstallPackage(usr);
             InstallEntry(usr, exec, kLabelType + ';');
         }},
        {"no *.lbf in the package",
         [&](const QString&, const QString& usr) {
             InstallPackage(usr, noTemplateGlob);
             InstallEntry(usr, exec);
         }},
        {"no package", [&](const QString&, const QString& usr) { InstallEntry(usr, exec); }},
        {"a hidden entry",
         [&](const QString&, const QString& usr) {
             InstallPackage(usr);
             InstallEntry(usr, exec, kLabelType + ';' + kTemplateType + ';',
                          QStringLiteral("Hidden=true\n"));
         }},
        {"an entry that is no application",
         [&](const QString&, const QString& usr) {
             InstallPackage(usr);
             InstallEntry(usr, exec, kLabelType + ';' + kTemplateType + ';',
                          QStringLiteral("[Desktop Action x]\nType=Application\n"));
             QString text = ReadText(QDir(usr).filePath(
                 QStringLiteral("applications/org.vellumtrace.Vellumtrace.desktop")));
             Put(QDir(usr).filePath(
                     QStringLiteral("applications/org.vellumtrace.Vellumtrace.desktop")),
                 text.replace(QStringLiteral("Type=Application\nName"),
                              QStringLiteral("Type=Link\nName"))
                     .toUtf8());
         }},
        {"an earlier folder's hidden entry of the same name",
         [&](const QString& local, const QString& usr) {
             InstallPackage(usr);
             InstallEntry(local, exec, kLabelType + ';' + kTemplateType + ';',
                          QStringLiteral("Hidden=true\n"));
             InstallEntry(usr, exec);
         }},
    };
    // A relative program would be found from the working folder, where it is: it still does
    // not count.
    const QString workingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch.Path()));
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const QString base = QStringLiteral("row%1/").arg(index++);
        systemFolders = {System(base + QStringLiteral("local")),
                         System(base + QStringLiteral("usr"))};
        row.Install(systemFolders[0], systemFolders[1]);
        ExpectUserTypesWritten();
    }
    QDir::setCurrent(workingFolder);
}

TEST_F(InstalledProgramTest, ABareProgramNameIsTheProgramThePathFinds) {
    TEnvironmentValue path("PATH");
    PlaceProgram(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ExeGroup |
                                                   QFile::ExeOther));
    systemFolders = {System(QStringLiteral("usr"))};
    InstallPackage(systemFolders[0]);
    InstallEntry(systemFolders[0], QStringLiteral("vellumtrace %f")); // as the package has it

    const QString elsewhere = scratch.File(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QString bin = QFileInfo(program).absolutePath();
    qputenv("PATH", QFile::encodeName(elsewhere + ':' + bin));
    ExpectNothingWritten();

    // A link to the program on the PATH is the same file.
    const QString link = scratch.File(QStringLiteral("links/vellumtrace"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(link).absolutePath()));
    ASSERT_TRUE(QFile::link(program, link));
    qputenv("PATH", QFile::encodeName(QFileInfo(link).absolutePath()));
    ExpectNothingWritten();

    // Another program of the same name comes first on the PATH: it is the one the entry runs.
    const QString other = QDir(elsewhere).filePath(QStringLiteral("vellumtrace"));
    ASSERT_TRUE(QFile::copy(program, other));
    qputenv("PATH", QFile::encodeName(elsewhere + ':' + bin));
    ExpectUserTypesWritten();

    // Nothing of that name on the PATH.
    qputenv("PATH", QFile::encodeName(scratch.File(QStringLiteral("opt"))));
    ExpectUserTypesWritten();
}

TEST_F(InstalledProgramTest, TheSystemFoldersFollowXdgDataDirs) {
    TEnvironmentValue dirs("XDG_DATA_DIRS");
    const QStringList defaults{QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    qunsetenv("XDG_DATA_DIRS");
    EXPECT_EQ(SystemDataFolders(), defaults);
    qputenv("XDG_DATA_DIRS", "");
    EXPECT_EQ(SystemDataFolders(), defaults);
    qputenv("XDG_DATA_DIRS", "/opt/vt/share/:relative/share:/usr//share:");
    EXPECT_EQ(SystemDataFolders(), (QStringList{"/opt/vt/share", "/usr/share"}));
    qputenv("XDG_DATA_DIRS", "relative/share"); // only invalid entries: no system folder
    EXPECT_TRUE(SystemDataFolders().isEmpty());

    qputenv("XDG_DATA_DIRS",
            QFile::encodeName(System(QStringLiteral("a")) + ':' + System(QStringLiteral("b"))));
    EXPECT_EQ(TShellEnvironment::ForProgram(program).SystemFolders,
              (QStringList{System(QStringLiteral("a")), System(QStringLiteral("b"))}));
}

TEST_F(InstalledProgramTest, ExecProgramReadsBackTheCommandArgument) {
    for (const char* path : {"/usr/bin/vellumtrace", "vellumtrace", "/opt/My Apps/vt",
                             "/opt/a\"b`c\\d/vt", "/opt/50%/vt", "/opt/$HOME/vt"})
        EXPECT_EQ(ExecProgram(TFileAssociate::CommandArgument(QLatin1String(path)) + " %f"),
                  QLatin1String(path));
    EXPECT_EQ(ExecProgram(QStringLiteral("vellumtrace")), QStringLiteral("vellumtrace"));
    EXPECT_EQ(ExecProgram(QStringLiteral("\"/opt/My Apps/vt %f")), QString()); // unclosed
    EXPECT_EQ(ExecProgram(QString()), QString());
}
} // namespace
