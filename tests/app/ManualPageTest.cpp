#include "ManualSupport.h"

#include "app/ManualPage.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString PageTemplate() {
    QFile file(QStringLiteral(VT_MANUAL_DATA "/vellumtrace.1.in"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

// The page the build made, as it is installed.
QString BuiltPage() {
    const TToolRun run = RunTool(QStringLiteral("gzip"), {"-dc", VT_MANUAL_PAGE});
    EXPECT_EQ(run.Exit, 0) << run.Err.constData();
    return QString::fromUtf8(run.Out);
}

QString Section(const QString& page, const QString& title) {
    const QString head = QStringLiteral(".SH %1\n").arg(title);
    const qsizetype start = page.indexOf(head);
    if (start < 0)
        return QString();
    const qsizetype end = page.indexOf(QLatin1String("\n.SH "), start + head.size());
    return page.mid(start + head.size(), end < 0 ? -1 : end - start - head.size());
}

// A switch's entry: ".TP", then the switch in bold, hyphens as minus signs.
bool HasEntry(const QString& options, const QString& sw) {
    QString roff = sw;
    roff.replace(u'-', QLatin1String("\\-"));
    return options.contains(QStringLiteral(".TP\n\\fB%1\\fR").arg(roff));
}

void ExpectEntriesForEverySwitch(const QString& help, const QString& page) {
    const QString options = Section(page, QStringLiteral("OPTIONS"));
    const QStringList switches = SwitchesNamedIn(help);
    ASSERT_GE(switches.size(), 30);
    for (const QString& sw : switches)
        EXPECT_TRUE(HasEntry(options, sw)) << sw.toStdString();
}
} // namespace

TEST(ManualPage, TheBuiltPageHasAnEntryForEverySwitchOfTheHelp) {
    ExpectEntriesForEverySwitch(CommandLineHelp(), BuiltPage());
}

TEST(ManualPage, ASwitchAddedToTheHelpGetsItsEntry) {
    const QString help = HelpWithAddedSwitches(CommandLineHelp());
    const QString page = ManualPage(PageTemplate(), help, "1.0", "2026-12-09");
    ExpectEntriesForEverySwitch(help, page);
    const QString options = Section(page, QStringLiteral("OPTIONS"));
    EXPECT_TRUE(options.contains(QStringLiteral("\\fB\\-\\-rearrange\\-everything\\fR \\fIWAY\\fR\n"
                                                "put every label somewhere else\n")));
    EXPECT_TRUE(options.contains(
        QStringLiteral("\\fB\\-\\-frobnicate\\fR \\fIN\\fR\nturn the knob N times\n")));
}

TEST(ManualPage, EveryHyphenIsAMinusSign) {
    const QString page = BuiltPage();
    for (const char* title : {"SYNOPSIS", "OPTIONS", "EXIT STATUS"}) {
        const QString section = Section(page, title);
        EXPECT_FALSE(section.isEmpty()) << title;
        EXPECT_FALSE(section.contains(QRegularExpression(QStringLiteral(R"((?<!\\)-)")))) << title;
    }
}

TEST(ManualPage, RendersWithoutWarnings) {
    const TToolRun groff =
        RunTool(QStringLiteral("groff"), {"-man", "-ww", "-z"}, BuiltPage().toUtf8());
    EXPECT_EQ(groff.Exit, 0);
    EXPECT_TRUE(groff.Err.isEmpty()) << groff.Err.constData();

    const TToolRun man = RunTool(
        QStringLiteral("man"), {"--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", VT_MANUAL_PAGE});
    EXPECT_EQ(man.Exit, 0);
    EXPECT_TRUE(man.Err.isEmpty()) << man.Err.constData();
    EXPECT_FALSE(man.Out.isEmpty());
}

TEST(ManualPage, CarriesTheProgramsVersionAndReleaseDate) {
    const TToolRun run = RunTool(QStringLiteral(VT_PROGRAM), {"--version"});
    ASSERT_EQ(run.Exit, 0);
    const QString version = QString::fromUtf8(run.Out).trimmed(); // "Vellumtrace 1.2.3"
    ASSERT_TRUE(version.startsWith(QLatin1String("Vellumtrace "))) << version.toStdString();
    const QString title =
        QRegularExpression(QStringLiteral("^\\.TH .*$"), QRegularExpression::MultilineOption)
            .match(BuiltPage())
            .captured(0);
    EXPECT_TRUE(title.startsWith(QLatin1String(".TH VELLUMTRACE 1 "))) << title.toStdString();
    EXPECT_TRUE(title.contains(QLatin1Char('"') + version + QLatin1Char('"')))
        << title.toStdString();
    EXPECT_TRUE(title.contains(QRegularExpression(QStringLiteral(" \\d{4}-\\d{2}-\\d{2} "))))
        << title.toStdString();
}

// The exit status the program gives when it cannot open its window is one the page lists.
TEST(ManualPage, ListsTheExitStatusOfARunWithoutDisplay) {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    env.insert("XDG_CONFIG_HOME", dir.path());
    const TToolRun run = RunTool(QStringLiteral(VT_PROGRAM), {}, {}, env, dir.path());
    ASSERT_GT(run.Exit, 1);
    const QString status = Section(BuiltPage(), QStringLiteral("EXIT STATUS"));
    EXPECT_TRUE(status.contains(
        QRegularExpression(QStringLiteral("(^|\n)%1 when .*display").arg(run.Exit))))
        << status.toStdString();
}

TEST(ManualPage, TheSynopsisIsTheUsageLine) {
    const QString synopsis = Section(BuiltPage(), QStringLiteral("SYNOPSIS"));
    EXPECT_TRUE(synopsis.startsWith(QLatin1String(".B vellumtrace\n")));
    EXPECT_TRUE(synopsis.contains(QLatin1String("[\\fILABEL.lbl\\fR | \\fITEMPLATE.lbf\\fR]")))
        << synopsis.toStdString();
}

TEST(ManualPage, ATemplateThatDisagreesWithTheGeneratorIsRefused) {
    const QString page = PageTemplate();
    QString lacking = page;
    lacking.remove(QLatin1String("@OPTIONS@"));
    EXPECT_THROW(ManualPage(lacking, CommandLineHelp(), "1.0", "2026-12-09"), TUserError);
    EXPECT_THROW(ManualPage(page + "@AUTHORS@\n", CommandLineHelp(), "1.0", "2026-12-09"),
                 TUserError);
    EXPECT_THROW(ManualPage(page, QStringLiteral("no usage line here\n"), "1.0", "2026-12-09"),
                 TUserError);
}

TEST(ManualPage, RoffTextIsPrintedAsItStands) {
    EXPECT_EQ(RoffText(QStringLiteral(".hidden 'quoted' C:\\path -x")),
              QStringLiteral("\\&.hidden 'quoted' C:\\epath \\-x"));
    EXPECT_EQ(RoffText(QStringLiteral("'quote first")), QStringLiteral("\\&'quote first"));
}
