// Shrinking text to fit in label files: a key of its own for the text kinds, written only when
// set, so that labels without it are saved as before and older labels read with it off.

#include "LabelTestSupport.h"

namespace {

class ShrinkToFitFile : public TLabelFileTest {};

TEST_F(ShrinkToFitFile, TheKeyIsWrittenOnlyWhenSetAndReadBack) {
    TControlList saved;
    Add<TTextLabel>(saved).SetShrinkToFit(true);
    Add<TMemoLabel>(saved).SetShrinkToFit(true);
    Add<TTextLabel>(saved);
    Add<TMemoLabel>(saved);

    const TIniFile ini = SavedDescription(saved);
    const QString absent = QStringLiteral("absent");
    EXPECT_EQ(ini.ReadString("CNT_1", "SHRINKTOFIT", absent), "1");
    EXPECT_EQ(ini.ReadString("CNT_2", "SHRINKTOFIT", absent), "1");
    EXPECT_EQ(ini.ReadString("CNT_3", "SHRINKTOFIT", absent), absent);
    EXPECT_EQ(ini.ReadString("CNT_4", "SHRINKTOFIT", absent), absent);

    const TLabelContents read = RoundTrip(saved);
    ASSERT_EQ(read.Controls.size(), 4u);
    EXPECT_TRUE(read.Controls[0]->ShrinkToFit());
    EXPECT_TRUE(read.Controls[1]->ShrinkToFit());
    EXPECT_FALSE(read.Controls[2]->ShrinkToFit());
    EXPECT_FALSE(read.Controls[3]->ShrinkToFit());
}

TEST_F(ShrinkToFitFile, OlderLabelsAndOtherKindsHaveItOff) {
    const QString path = Scratch.File("plain.lbl");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nCONTROLS=2\r\n"
            "[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nWIDTH=1\r\nHEIGHT=0.2\r\n"
            "AUTOSIZE=0\r\nTEXT=ABC\r\n"
            "[CNT_2]\r\nTYPE=BARCODE\r\nSHRINKTOFIT=1\r\nTOP=0.4\r\nLEFT=0.1\r\nWIDTH=1\r\n"
            "HEIGHT=0.5\r\nTEXT=ABC\r\n");
    f.close();
    const TLabelContents read = ReadLabelDocument(path);
    ASSERT_EQ(read.Controls.size(), 2u);
    EXPECT_FALSE(read.Controls[0]->ShrinkToFit());
    EXPECT_FALSE(read.Controls[1]->ShrinkToFit()) << "barcodes do not shrink their text";
}

} // namespace
