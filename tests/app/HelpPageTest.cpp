#include "app/HelpPage.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {
void Touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("<html></html>");
}

class HelpPageTest : public ::testing::Test {
protected:
    // A program installed under <scratch>/prefix/bin, as cmake --install lays it out.
    QString Program() const { return scratch.File(QStringLiteral("prefix/bin/vellumtrace")); }
    QString BesideProgram() const { return scratch.File(QStringLiteral("prefix/bin/Help.html")); }
    QString InDataFolder() const {
        return scratch.File(QStringLiteral("prefix/share/vellumtrace/Help.html"));
    }

    TScratchFolder scratch;
};

TEST_F(HelpPageTest, FoundBesideTheProgram) {
    Touch(BesideProgram());
    EXPECT_EQ(FindHelpPage(Program()), BesideProgram());
}

TEST_F(HelpPageTest, FoundInTheInstalledDataFolder) {
    Touch(InDataFolder());
    EXPECT_EQ(FindHelpPage(Program()), InDataFolder());
}

TEST_F(HelpPageTest, ThePageBesideTheProgramComesFirst) {
    Touch(InDataFolder());
    Touch(BesideProgram());
    EXPECT_EQ(FindHelpPage(Program()), BesideProgram());
}

TEST_F(HelpPageTest, ShowingOpensTheFileUrlWithTheOpener) {
    Touch(BesideProgram());
    QList<QUrl> opened;
    const bool shown = ShowHelpPage(FindHelpPage(Program()), [&](const QUrl& url) {
        opened << url;
        return true;
    });
    EXPECT_TRUE(shown);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_EQ(opened[0].toLocalFile(), BesideProgram());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // the busy cursor is gone again
}

TEST_F(HelpPageTest, NoPageOpensNothing) {
    int calls = 0;
    EXPECT_FALSE(ShowHelpPage(QString(), [&](const QUrl&) { return ++calls > 0; }));
    EXPECT_EQ(calls, 0);
    // A desktop that cannot open it is reported too.
    Touch(BesideProgram());
    EXPECT_FALSE(ShowHelpPage(BesideProgram(), [](const QUrl&) { return false; }));
}

TEST(HelpPageFile, TheGuideIsBesideTheBuiltProgram) {
    QFile page(QStringLiteral(VT_PROGRAM_DIR "/Help.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    for (const char* section : {"id=\"design\"", "id=\"sheet\"", "id=\"merge\"", "id=\"counters\"",
                                "id=\"print\"", "id=\"cli\""})
        EXPECT_TRUE(text.contains(QLatin1String(section))) << section;
}
} // namespace
