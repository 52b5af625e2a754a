#include "platform/TempFiles.h"
#include "TestSupport.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

TEST(TempFiles, FolderIsPrivateToTheUser) {
    TScratchFolder scratch;
    const QString folder = TempFolder();
    EXPECT_TRUE(folder.startsWith(scratch.Path()));
    EXPECT_TRUE(QFileInfo(folder).isDir());
#ifdef Q_OS_UNIX
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
#endif
}

TEST(TempFiles, LoosePermissionsAreTightened) {
#ifdef Q_OS_UNIX
    TScratchFolder scratch;
    const QString folder = TempFolder();
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
    SetTempBaseForTesting(scratch.Path()); // forget the cached folder
    TempFolder();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
#endif
}

TEST(TempFiles, PlantedSymlinkIsRefused) {
#ifdef Q_OS_UNIX
    TScratchFolder scratch;
    const QString target = scratch.File("elsewhere");
    QDir().mkpath(target);
    const QString link =
        QDir(scratch.Path()).filePath(QStringLiteral("vellumtrace-%1").arg(::getuid()));
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_THROW(TempFolder(), TUserError);
#endif
}

TEST(TempFiles, UniqueNamesArePrefixedHexAndNew) {
    TScratchFolder scratch;
    QSet<QString> seen;
    const QRegularExpression form("^jpg[0-9A-F]+\\.TMP$");
    for (int i = 0; i < 200; ++i) {
        const QString path = UniqueTempFile("jpgextra");
        const QFileInfo info(path);
        EXPECT_TRUE(info.exists());
        EXPECT_EQ(info.size(), 0);
        EXPECT_EQ(info.absolutePath(), QFileInfo(TempFolder()).absoluteFilePath());
        EXPECT_TRUE(form.match(info.fileName()).hasMatch()) << info.fileName().toStdString();
        EXPECT_FALSE(seen.contains(path));
        seen.insert(path);
    }
}
