#include "files/FileReplace.h"
#include "FilesTestSupport.h"
#include "TestSupport.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "files/FileAccess.h"
#include "files/FileOperations.h"
#include "platform/Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {
struct stat StatOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st;
}

// The two ways a label reaches its file: a plain description (as written back after a run) and
// a label archive (the designer's Save).
void SavePlain(const QString& path, const QByteArray& text) {
    WriteFileAtomically(path, "[FORMAT]\r\nTEXT=" + text + "\r\n");
}

void SaveArchive(const QString& path, const QByteArray& text) {
    TSheetSettings sheet;
    TLabelDocument label;
    label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    auto control = std::make_unique<TTextLabel>();
    control->SetText(QString::fromLatin1(text));
    label.AddControl(std::move(control));
    for (const auto& c : label.Controls())
        c->SetLoading(false);
    label.SetSheet(sheet);
    WriteLabelDescription(path, label);
}

// The files of a folder, sorted (the archive's working folders left aside).
QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

using TSave = void (*)(const QString&, const QByteArray&);
const std::pair<const char*, TSave> kSaves[] = {{"plain", SavePlain}, {"archive", SaveArchive}};

void Age(const QString& path, int seconds) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                              QFileDevice::FileModificationTime));
}
} // namespace

TEST(FileReplaceTest, SavedFileKeepsItsOwnerGroupAndMode) {
    for (const auto& [name, save] : kSaves) {
        SCOPED_TRACE(name);
        TScratchFolder scratch;
        const QString path = scratch.File("k.lbl");
        save(path, "first");
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0640), 0);
        const bool root = geteuid() == 0;
        if (root) { // a user's label, saved by root
            ASSERT_EQ(chown(QFile::encodeName(path).constData(), 4321, 8765), 0);
        }
        const struct stat before = StatOf(path);
        save(path, "second");
        const struct stat after = StatOf(path);
        EXPECT_NE(after.st_ino, before.st_ino); // really replaced, not written in place
        EXPECT_EQ(after.st_mode & 07777, 0640u);
        if (root) {
            EXPECT_EQ(after.st_uid, 4321u);
            EXPECT_EQ(after.st_gid, 8765u);
        }
        EXPECT_TRUE(ReadBytes(path).contains("second"));
    }
}

TEST(FileReplaceTest, WriteProtectedFileIsNotSavedEvenByRoot) {
    for (const auto& [name, save] : kSaves) {
        SCOPED_TRACE(name);
        TScratchFolder scratch;
        const QString path = scratch.File("k.lbl");
        save(path, "first");
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0444), 0);
        const QByteArray before = ReadBytes(path);
        try {
            save(path, "second");
            ADD_FAILURE() << "a write-protected file was saved";
        } catch (const TUserError& e) {
            EXPECT_EQ(e.Message(), QString("Cannot save the file \"%1\": the file is "
                                           "write-protected.")
                                       .arg(path));
        }
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(StatOf(path).st_mode & 07777, 0444u);
        EXPECT_EQ(FilesIn(scratch.Path()), QStringList{"k.lbl"});
    }
}

TEST(FileReplaceTest, SaveRemovesTheLeftoversOfKilledSavesOfTheSameFileOnly) {
    for (const auto& [name, save] : kSaves) {
        SCOPED_TRACE(name);
        TScratchFolder scratch;
        const QString path = scratch.File("k.lbl");
        save(path, "first");
        // What a save killed an hour ago left, and files that only look alike.
        const QStringList planted{"k.lbl.ynLKwj",  "k.lbl.notes",  "other.lbl.ab12CD",
                                  "k.lbl.ab12CDe", "k.lbl.ab-2CD", "xk.lbl.ab12CD",
                                  "k.lbl.Young1"};
        for (const QString& file : planted) {
            ASSERT_TRUE(WriteBytes(scratch.File(file), "x"));
            if (file != "k.lbl.Young1") // perhaps a save running right now
                Age(scratch.File(file), 3600);
        }
        EXPECT_EQ(LeftoverSaves(path, std::chrono::seconds(30)),
                  QStringList{scratch.File("k.lbl.ynLKwj")});
        save(path, "second");
        QStringList expected = planted;
        expected.removeOne("k.lbl.ynLKwj");
        expected << "k.lbl";
        expected.sort();
        EXPECT_EQ(FilesIn(scratch.Path()), expected);
        EXPECT_TRUE(ReadBytes(path).contains("second"));
    }
}
