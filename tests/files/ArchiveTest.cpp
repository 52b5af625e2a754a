#include "ArchiveBytes.h"
#include "FilesTestSupport.h"
#include "TestSupport.h"
#include "files/ArchiveU.h"
#include "platform/Errors.h"

#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
int32_t IntAt(const QByteArray& b, int offset) {
    return qFromLittleEndian<qint32>(b.constData() + offset);
}

QByteArray TextAt(const QByteArray& b, int offset) {
    return QByteArray(b.constData() + offset); // up to the zero byte
}

QByteArray Pattern(int size, char seed) {
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char(seed + i * 7);
    return b;
}

// Expects ReadLabelArchive to refuse the archive with a message naming it and containing the
// reason, and to leave nothing behind.
void ExpectDamaged(const QString& path, const QString& reason) {
    QStringList extracted{"stale"};
    try {
        ReadLabelArchive(path, extracted);
        ADD_FAILURE() << "accepted: " << reason.toStdString();
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString("The label file \"%1\" is damaged: %2.").arg(path, reason));
    }
    EXPECT_TRUE(extracted.isEmpty());
    EXPECT_EQ(TempFolderEntries(), QStringList());
}
} // namespace

TEST(LabelArchive, LayoutOfADescriptionAndOnePicture) {
    TScratchFolder scratch;
    const QString description = scratch.File("_LB_FRMT.TMP");
    const QString picture = scratch.File("bmp1A2B.TMP");
    ASSERT_TRUE(WriteBytes(description, Pattern(100, 'a')));
    ASSERT_TRUE(WriteBytes(picture, Pattern(2000, 'z')));
    const QString archive = scratch.File("label.lbl");
    WriteLabelArchive(archive, {description, picture});

    const QByteArray b = ReadBytes(archive);
    ASSERT_EQ(b.size(), 274 + 2 * 265 + 2100);
    EXPECT_EQ(TextAt(b, 0), "Vellumtrace");
    EXPECT_EQ(TextAt(b, 261), "1.0");
    EXPECT_EQ(IntAt(b, 270), 2);
    EXPECT_EQ(TextAt(b, 274), "_LB_FRMT.TMP");
    EXPECT_EQ(IntAt(b, 274 + 261), 100);
    EXPECT_EQ(TextAt(b, 274 + 265), "bmp1A2B.TMP");
    EXPECT_EQ(IntAt(b, 274 + 265 + 261), 2000);
    EXPECT_EQ(b.mid(804, 100), Pattern(100, 'a'));
    EXPECT_EQ(b.mid(904), Pattern(2000, 'z'));
    // Every byte of the fixed fields after the texts is zero.
    EXPECT_EQ(b.mid(12, 249), QByteArray(249, '\0'));
    EXPECT_EQ(b.mid(274 + 13, 248), QByteArray(248, '\0'));
    // Byte for byte what a hand-built archive of the same files holds.
    EXPECT_EQ(b, TArchiveBytes()
                     .Add("_LB_FRMT.TMP", Pattern(100, 'a'))
                     .Add("bmp1A2B.TMP", Pattern(2000, 'z'))
                     .Bytes());
}

TEST(LabelArchive, RoundTripExtractsFreshFilesInEntryOrder) {
    TScratchFolder scratch;
    const QString description = scratch.File("_LB_FRMT.TMP");
    const QString bmp = scratch.File("bmpAB.TMP");
    const QString jpg = scratch.File("jpgCD.TMP");
    const QString empty = scratch.File("bmpEmpty.TMP");
    ASSERT_TRUE(WriteBytes(description, "[FORMAT]\r\nCONTROLS=0\r\n"));
    ASSERT_TRUE(WriteBytes(bmp, Pattern(3000, 'b')));
    ASSERT_TRUE(WriteBytes(jpg, Pattern(70000, 'j'))); // more than one copy chunk
    ASSERT_TRUE(WriteBytes(empty, ""));
    const QString archive = scratch.File("label.lbl");
    // Empty and missing files are left out altogether.
    WriteLabelArchive(archive, {description, empty, bmp, scratch.File("gone.TMP"), jpg});
    EXPECT_EQ(IntAt(ReadBytes(archive), 270), 3);

    QStringList extracted;
    ASSERT_TRUE(ReadLabelArchive(archive, extracted));
    ASSERT_EQ(extracted.size(), 3);
    EXPECT_EQ(ReadBytes(extracted[0]), "[FORMAT]\r\nCONTROLS=0\r\n");
    EXPECT_EQ(ReadBytes(extracted[1]), Pattern(3000, 'b'));
    EXPECT_EQ(ReadBytes(extracted[2]), Pattern(70000, 'j'));
    EXPECT_TRUE(QFileInfo(extracted[1]).fileName().startsWith("bmp"));
    EXPECT_TRUE(QFileInfo(extracted[2]).fileName().startsWith("jpg"));
    for (const QString& p : extracted)
        EXPECT_EQ(QFileInfo(p).absolutePath(), QFileInfo(TempFolder()).absoluteFilePath());
}

TEST(LabelArchive, SameStoredNamesGetDifferentFiles) {
    TScratchFolder scratch;
    const QString archive = scratch.File("twins.lbl");
    ASSERT_TRUE(TArchiveBytes()
                    .Add("_LB_FRMT.TMP", "[FORMAT]")
                    .Add("jpe77.TMP", "first")
                    .Add("jpe77.TMP", "second")
                    .WriteTo(archive));
    QStringList extracted;
    ASSERT_TRUE(ReadLabelArchive(archive, extracted));
    ASSERT_EQ(extracted.size(), 3);
    EXPECT_NE(extracted[1], extracted[2]);
    EXPECT_TRUE(QFileInfo(extracted[1]).fileName().startsWith("jpe"));
    EXPECT_TRUE(QFileInfo(extracted[2]).fileName().startsWith("jpe"));
    EXPECT_EQ(ReadBytes(extracted[1]), "first");
    EXPECT_EQ(ReadBytes(extracted[2]), "second");
}

TEST(LabelArchive, EmptyArchiveIsAccepted) {
    TScratchFolder scratch;
    const QString archive = scratch.File("empty.lbl");
    WriteLabelArchive(archive, {});
    EXPECT_EQ(ReadBytes(archive).size(), 274);
    QStringList extracted{"stale"};
    EXPECT_TRUE(ReadLabelArchive(archive, extracted));
    EXPECT_TRUE(extracted.isEmpty());
}

TEST(LabelArchive, ForeignMagicOrVersionIsNotOurs) {
    struct TRow {
        QByteArray Magic;
        QByteArray Version;
    } rows[] = {
        {"Vellumtrace", "1.1"},  {"Vellumtrace", "2.0"},
        {"Vellumtrace", "1.0 "}, {"Vellumtrace", ""},
        {"VELLUMTRACE", "1.0"},  {"vellumtrace", "1.0"},
        {"Vellumtrace2", "1.0"}, {"", ""},
    };
    TScratchFolder scratch;
    for (const TRow& row : rows) {
        const QString archive = scratch.File("foreign.lbl");
        ASSERT_TRUE(
            TArchiveBytes(row.Magic, row.Version).Add("_LB_FRMT.TMP", "x").WriteTo(archive));
        QStringList extracted{"stale"};
        EXPECT_FALSE(ReadLabelArchive(archive, extracted))
            << row.Magic.data() << row.Version.data();
        EXPECT_TRUE(extracted.isEmpty());
    }
    // Short files of another kind are simply not archives.
    const QString tiny = scratch.File("tiny.lbl");
    ASSERT_TRUE(WriteBytes(tiny, "[FORMAT]\r\n"));
    QStringList extracted;
    EXPECT_FALSE(ReadLabelArchive(tiny, extracted));
    EXPECT_EQ(TempFolderEntries(), QStringList());
}

TEST(LabelArchive, EntryNamesCannotLeaveTheTemporaryFolder) {
    struct TRow {
        QByteArray Stored;
        const char* Prefix; // of the extracted file's name
    } rows[] = {
        {"../../evil.bmp", "evi"}, {"..\\..\\..\\bmpevil", "bmp"},
        {"/etc/passwd", "pas"},    {"C:\\Windows\\system32\\jpgX.TMP", "jpg"},
        {"C:jpeX.TMP", "jpe"},     {"sub/dir/bmp9.TMP", "bmp"},
        {"..bmp", "..b"},
    };
    TScratchFolder scratch;
    for (const TRow& row : rows) {
        const QString archive = scratch.File("hostile.lbl");
        ASSERT_TRUE(TArchiveBytes()
                        .Add("../_LB_FRMT.TMP", "d")
                        .Add(row.Stored, "payload")
                        .WriteTo(archive));
        QStringList extracted;
        ASSERT_TRUE(ReadLabelArchive(archive, extracted)) << row.Stored.data();
        ASSERT_EQ(extracted.size(), 2);
        for (const QString& p : extracted)
            EXPECT_EQ(QFileInfo(p).absolutePath(), QFileInfo(TempFolder()).absoluteFilePath());
        EXPECT_TRUE(QFileInfo(extracted[1]).fileName().startsWith(row.Prefix)) << row.Stored.data();
        for (const QString& p : extracted)
            QFile::remove(p);
    }
    // Nothing was written beside the scratch folder or the temporary folder.
    EXPECT_EQ(FolderEntries(scratch.Path()),
              QStringList({"hostile.lbl", QFileInfo(TempFolder()).fileName()}));
}

TEST(LabelArchive, EntriesWithoutAPlainNameAreRefused) {
    const QByteArray names[] = {"", "..", ".", "dir/", "a/b/..", "C:", "\\"};
    TScratchFolder scratch;
    for (const QByteArray& name : names) {
        const QString archive = scratch.File("noname.lbl");
        ASSERT_TRUE(TArchiveBytes().Add("_LB_FRMT.TMP", "d").Add(name, "p").WriteTo(archive));
        ExpectDamaged(archive, "entry 2 has no usable file name");
    }
}

TEST(LabelArchive, DamagedDirectoriesAreRefusedBeforeExtracting) {
    TScratchFolder scratch;
    const QString path = scratch.File("damaged.lbl");
    const TArchiveBytes good = TArchiveBytes().Add("_LB_FRMT.TMP", "desc").Add("bmp1.TMP", "pic");

    ASSERT_TRUE(TArchiveBytes(good).SetCount(-1).WriteTo(path));
    ExpectDamaged(path, "its directory claims -1 entries");
    ASSERT_TRUE(TArchiveBytes(good).SetCount(1000000000).WriteTo(path));
    ExpectDamaged(path, "its directory claims 1000000000 entries");
    ASSERT_TRUE(TArchiveBytes(good).SetCount(3).WriteTo(path)); // one entry more than stored
    ExpectDamaged(path, "its directory claims 3 entries");

    ASSERT_TRUE(
        TArchiveBytes().Add("_LB_FRMT.TMP", "d").AddClaiming("bmp1.TMP", -5, "").WriteTo(path));
    ExpectDamaged(path, "entry 2 has the impossible size -5");
    ASSERT_TRUE(TArchiveBytes()
                    .Add("_LB_FRMT.TMP", "d")
                    .AddClaiming("bmp1.TMP", 2000000000, "pic")
                    .WriteTo(path));
    ExpectDamaged(path, "entry 2 runs past the end of the file");
    // Two sizes that only together run past the end.
    ASSERT_TRUE(TArchiveBytes()
                    .AddClaiming("_LB_FRMT.TMP", 3, "abc")
                    .AddClaiming("bmp1.TMP", 2147483647, "")
                    .WriteTo(path));
    ExpectDamaged(path, "entry 2 runs past the end of the file");

    // Truncated anywhere after the header.
    const QByteArray whole = good.Bytes();
    for (const int cut : {300, 274 + 265, 274 + 2 * 265 + 2, int(whole.size()) - 1}) {
        ASSERT_TRUE(WriteBytes(path, whole.left(cut)));
        QStringList extracted;
        EXPECT_THROW(ReadLabelArchive(path, extracted), TUserError) << cut;
        EXPECT_EQ(TempFolderEntries(), QStringList()) << cut;
    }
    ASSERT_TRUE(WriteBytes(path, whole.left(268))); // magic and version, but no count
    ExpectDamaged(path, "its header is cut short");
}

TEST(LabelArchive, FailedSaveKeepsThePreviousFile) {
    TScratchFolder scratch;
    const QString archive = scratch.File("keep.lbl");
    const QString description = scratch.File("_LB_FRMT.TMP");
    const QString picture = scratch.File("bmp1.TMP");
    ASSERT_TRUE(WriteBytes(description, Pattern(100, 'd')));
    ASSERT_TRUE(WriteBytes(picture, Pattern(20000, 'p')));
    WriteLabelArchive(archive, {description});
    const QByteArray before = ReadBytes(archive);
    {
        const TFileSizeLimit diskFull(5000);
        EXPECT_THROW(WriteLabelArchive(archive, {description, picture}), TUserError);
    }
    EXPECT_EQ(ReadBytes(archive), before);
    EXPECT_EQ(FolderEntries(scratch.Path()), QStringList({"_LB_FRMT.TMP", "bmp1.TMP", "keep.lbl",
                                                          QFileInfo(TempFolder()).fileName()}));
}

TEST(LabelArchive, PlainEntryNames) {
    struct TRow {
        const char* Stored;
        const char* Plain;
    } rows[] = {
        {"_LB_FRMT.TMP", "_LB_FRMT.TMP"},
        {"a/b/c.bmp", "c.bmp"},
        {"a\\b\\c.bmp", "c.bmp"},
        {"D:\\x.jpg", "x.jpg"},
        {"D:x.jpg", "x.jpg"},
        {"..", ""},
        {"x/..", ""},
        {"", ""},
        {"line\nbreak", "line_break"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(PlainEntryName(row.Stored), row.Plain) << row.Stored;
    EXPECT_EQ(PlainEntryName(QString("bmp") + QChar(0) + "/../x"), "bmp");
}
