#include "app/MainPreferences.h"
#include "TestSupport.h"
#include "platform/Preferences.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
TEST(MainPreferences, RecentLabelsKeepEightNewestFirstWithoutDuplicates) {
    TScratchFolder scratch;
    TMainPreferences p;
    QStringList files;
    for (int i = 0; i < 10; ++i) {
        files << scratch.File(QStringLiteral("l%1.lbl").arg(i));
        QFile(files.last()).open(QIODevice::WriteOnly);
        p.AddRecentLabel(files.last());
    }
    p.AddRecentLabel(files[5]);
    ASSERT_EQ(p.RecentLabels.size(), 8);
    EXPECT_EQ(p.RecentLabels[0], files[5]);
    EXPECT_EQ(p.RecentLabels[1], files[9]);
    EXPECT_EQ(p.RecentLabels.count(files[5]), 1);
    EXPECT_FALSE(p.RecentLabels.contains(files[0]));

    TPreferenceStore store(scratch.File("p.ini"));
    p.Write(store);
    QFile::remove(files[9]);
    const TMainPreferences read = TMainPreferences::Read(store);
    EXPECT_EQ(read.RecentLabels.size(), 7);
    EXPECT_EQ(read.RecentLabels[0], files[5]);
    EXPECT_EQ(read.RecentLabels[1], files[8]);
}

TEST(MainPreferences, ProgramFolderKeptBesideTheWindowValues) {
    TScratchFolder scratch;
    TPreferenceStore store(scratch.File("p.ini"));
    EXPECT_TRUE(TMainPreferences::Read(store).ProgramFolder.isEmpty());
    TMainPreferences p;
    p.ProgramFolder = QStringLiteral("/opt/vellumtrace/bin");
    p.Write(store);
    EXPECT_EQ(TMainPreferences::Read(store).ProgramFolder, QStringLiteral("/opt/vellumtrace/bin"));
}
} // namespace
