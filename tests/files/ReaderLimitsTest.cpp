#include "ArchiveBytes.h"
#include "FilesTestSupport.h"
#include "TestSupport.h"
#include "files/ArchiveU.h"
#include "files/FileOperations.h"
#include "files/IniFile.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {
QString Refusal(const std::function<void()>& read) {
    try {
        read();
    } catch (const TUserError& e) {
        return e.Message();
    }
    return QString();
}

// A description of count sections, each with keysPerSection keys.
QByteArray Description(int sections, int keysPerSection) {
    QByteArray bytes = "[FORMAT]\nCONTROLS=0\n";
    for (int s = 1; s < sections; ++s) {
        bytes += "[S" + QByteArray::number(s) + "]\n";
        for (int k = 0; k < keysPerSection; ++k)
            bytes += "K" + QByteArray::number(k) + "=\n";
    }
    return bytes;
}
} // namespace

TEST(ArchiveLimits, AnArchiveOfMoreEntriesThanAllowedIsRefusedBeforeExtracting) {
    TScratchFolder scratch;
    const QString path = scratch.File("many.lbl");
    // The directory alone decides: one entry more than allowed, every one of them stored.
    TArchiveBytes many;
    many.Add("_LB_FRMT.TMP", "[FORMAT]\n");
    for (int i = 1; i <= Archive::MaxEntries; ++i)
        many.Add("p" + QByteArray::number(i), "x");
    ASSERT_TRUE(many.WriteTo(path));
    QStringList extracted;
    EXPECT_EQ(Refusal([&] { ReadLabelArchive(path, extracted); }),
              QString("The label file \"%1\" is damaged: it holds 10001 entries, more than the "
                      "10000 allowed.")
                  .arg(path));
    EXPECT_TRUE(extracted.isEmpty());
    EXPECT_EQ(TempFolderEntries(), QStringList());
}

TEST(DescriptionLimits, SectionsAndKeysBeyondTheLimitsAreRefusedNamingTheFile) {
    TScratchFolder scratch;
    const QString path = scratch.File("big.lbl");
    ASSERT_TRUE(WriteBytes(path, Description(TIniFile::MaxSections, 0)));
    EXPECT_EQ(TIniFile::Load(path).SectionNames().size(), TIniFile::MaxSections);
    ASSERT_TRUE(WriteBytes(path, Description(TIniFile::MaxSections + 1, 0)));
    EXPECT_EQ(
        Refusal([&] { ReadLabelDocument(path); }),
        QString("The file \"%1\" cannot be read: it holds more than 100000 sections.").arg(path));
    // A repeated section is skipped, so it does not count.
    ASSERT_TRUE(WriteBytes(path, Description(TIniFile::MaxSections, 0) + "[format]\n"));
    EXPECT_EQ(Refusal([&] { TIniFile::Load(path); }), QString());

    // The FORMAT section's key counts too.
    const int perSection = 10000;
    const int sections = int(TIniFile::MaxKeys / perSection);
    QByteArray keys = Description(sections + 1, perSection);
    ASSERT_TRUE(WriteBytes(path, keys));
    EXPECT_EQ(
        Refusal([&] { ReadLabelDocument(path); }),
        QString("The file \"%1\" cannot be read: it holds more than 1000000 keys.").arg(path));
    keys.chop(QByteArray("K9999=\n").size()); // exactly the limit
    ASSERT_TRUE(WriteBytes(path, keys));
    EXPECT_EQ(Refusal([&] { TIniFile::Load(path); }), QString());
}

TEST(DescriptionLimits, BytesFromElsewhereNameTheirSource) {
    EXPECT_EQ(Refusal([] { TIniFile::FromBytes(Description(TIniFile::MaxSections + 1, 0), "x"); }),
              QString("The file \"x\" cannot be read: it holds more than 100000 sections."));
}
