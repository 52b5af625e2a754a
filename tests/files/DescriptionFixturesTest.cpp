#include "ArchiveBytes.h"
#include "LabelTestSupport.h"
#include "files/ControlSection.h"

#include <QFileInfo>

namespace {
// The picture of tests/data/files/plain-label/logo.bmp, written pixel by pixel.
QImage LogoPicture() {
    QImage img(4, 3, QImage::Format_RGB888);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            img.setPixel(x, 2 - y, qRgb(60 * x, 100 * y, 255 - 60 * x)); // stored bottom-up
    return img;
}

QByteArray Crlf(const char* text) {
    return QByteArray(text).replace("\n", "\r\n");
}
} // namespace

class DescriptionFixtures : public TLabelFileTest {};

TEST_F(DescriptionFixtures, OlderPlainDescriptionWithBarePictureName) {
    const QString path = TestDataPath("files/plain-label/label.lbl");
    const TLabelContents doc = ReadLabelDocument(path);

    TSheetSettings sheet;
    sheet.LabelHeight = 1.5; // written with a decimal comma
    sheet.LabelWidth = 3;
    sheet.TopMargin = 0.5;
    sheet.LeftMargin = 0.1875;
    sheet.Columns = 2;
    sheet.Rows = 8;
    EXPECT_EQ(doc.Sheet, sheet); // missing keys take the keys' defaults: no 0.25 margins
    EXPECT_FALSE(doc.ShowGrid);

    // CNT_3 has an unknown TYPE and CNT_7 lies beyond CONTROLS: five controls.
    ASSERT_EQ(doc.Controls.size(), 5u);
    const auto& text = As<TTextLabel>(doc.Controls[0]);
    // 96 x 24, then turned; the width is held at the kind's minimum of 25 until it is drawn.
    EXPECT_EQ(text.Box(), TRect::FromBox(48, 24, 25, 96));
    EXPECT_EQ(text.Rotation(), 1);
    EXPECT_FALSE(text.AutoSize());
    EXPECT_EQ(text.Font().family(), "Arial");
    EXPECT_EQ(text.Font().pointSize(), 12);
    EXPECT_TRUE(text.Font().bold());
    EXPECT_EQ(text.Text(), QString::fromUtf8("Batch 42\\A \xC3\xA9")); // Windows-1252 e acute

    const auto& logo = As<TGraphicLabel>(doc.Controls[1]);
    EXPECT_EQ(logo.Picture(), LogoPicture());
    EXPECT_FALSE(logo.KeepAspect());
    EXPECT_EQ(logo.Box(), TRect::FromBox(96, 48, 48, 48));
    EXPECT_EQ(QFileInfo(logo.ImageFile()).absolutePath(),
              QFileInfo(TempFolder()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(logo.ImageFile()).fileName().startsWith("bmp"));
    EXPECT_EQ(ReadBytes(logo.ImageFile()), ReadBytes(TestDataPath("files/plain-label/logo.bmp")));

    // A Windows path finds the picture beside the label.
    const auto& windowsPath = As<TGraphicLabel>(doc.Controls[2]);
    EXPECT_EQ(windowsPath.Picture(), LogoPicture());
    EXPECT_NE(windowsPath.ImageFile(), logo.ImageFile());

    const auto& gone = As<TGraphicLabel>(doc.Controls[3]);
    EXPECT_TRUE(gone.ImageFile().isEmpty());
    EXPECT_EQ(Messages, QStringList({"Unable to locate Graphic file\n\r" +
                                     TestDataPath("files/plain-label/gone.bmp")}));

    const auto& barcode = As<TBarcodeLabel>(doc.Controls[4]);
    EXPECT_EQ(barcode.BarcodeType(), 6);
    EXPECT_EQ(barcode.NarrowBarWidth(), 10.0);
    EXPECT_TRUE(barcode.Interpret());
    EXPECT_TRUE(barcode.AutoScale());
    EXPECT_TRUE(barcode.Advanced());
    EXPECT_EQ(barcode.Text(), "590123412345");
    // "Sequence" is not a kind: kinds are compared exactly. No gap is left.
    EXPECT_EQ(FieldSignatures(barcode.Fields),
              QStringList({"FIELD:2,0,32,0", "SEQUENCE:7,0,999999999,3,0"}));
}

TEST_F(DescriptionFixtures, MissingKeysTakeTheirDefaults) {
    const QString path = Scratch.File("bare.lbl");
    ASSERT_TRUE(WriteBytes(path, Crlf("[FORMAT]\nCONTROLS=5\n"
                                      "[CNT_1]\nTYPE=BARCODE\n"
                                      "[CNT_2]\nTYPE=TEXT\n"
                                      "[CNT_3]\nTYPE=MEMO\n"
                                      "[CNT_4]\nTYPE=SHAPE\n"
                                      "[CNT_5]\nTYPE=GRAPHIC\n")));
    const TLabelContents doc = ReadLabelDocument(path);
    TSheetSettings keyDefaults;
    keyDefaults.TopMargin = 0;
    keyDefaults.LeftMargin = 0;
    EXPECT_EQ(doc.Sheet, keyDefaults);
    EXPECT_TRUE(doc.ShowGrid);
    ASSERT_EQ(doc.Controls.size(), 5u);
    for (const auto& c : doc.Controls) {
        SCOPED_TRACE(int(c->Kind()));
        EXPECT_EQ(c->Top(), 0);
        EXPECT_EQ(c->Left(), 0);
        EXPECT_EQ(c->Width(), 1920); // 20 inches
        EXPECT_EQ(c->Height(), 1920);
        EXPECT_TRUE(c->AutoSize());
        EXPECT_FALSE(c->Transparent());
        EXPECT_EQ(c->Rotation(), 0);
        EXPECT_EQ(c->Attach(), atNone);
        EXPECT_EQ(c->HAlign(), haLeft);
        EXPECT_EQ(c->VAlign(), vaTop);
        EXPECT_EQ(c->Font().family(), "Courier New");
        EXPECT_EQ(c->Font().pointSize(), 8);
        EXPECT_FALSE(c->Font().bold() || c->Font().italic() || c->Font().underline() ||
                     c->Font().strikeOut());
        EXPECT_EQ(c->FontColor(), 0u);
        EXPECT_EQ(c->FontCharset(), 1);
        EXPECT_EQ(c->Text(), "");
        EXPECT_FALSE(c->Advanced());
        EXPECT_TRUE(c->Fields.empty());
    }
    const auto& barcode = As<TBarcodeLabel>(doc.Controls[0]);
    EXPECT_EQ(barcode.BarcodeType(), 0);
    EXPECT_EQ(barcode.NarrowBarWidth(), 10.0);
    EXPECT_TRUE(barcode.Interpret());
    EXPECT_TRUE(barcode.AutoScale());
    const auto& shape = As<TShapeLabel>(doc.Controls[3]);
    EXPECT_EQ(shape.ShapeFormat(), sfRectangle);
    EXPECT_EQ(shape.PenWidth(), 1);
    EXPECT_EQ(shape.PenColor(), clBlack);
    EXPECT_EQ(shape.BrushStyle(), bsSolid);
    EXPECT_EQ(shape.BrushColor(), clWhite);
    const auto& graphic = As<TGraphicLabel>(doc.Controls[4]);
    EXPECT_TRUE(graphic.KeepAspect());
    EXPECT_TRUE(graphic.ImageFile().isEmpty());
    EXPECT_TRUE(Messages.isEmpty());
}

TEST_F(DescriptionFixtures, ElementDefaultsAndUnknownKinds) {
    const QString path = Scratch.File("elements.lbl");
    ASSERT_TRUE(WriteBytes(path, Crlf("[FORMAT]\nCONTROLS=1\n[CNT_1]\nTYPE=TEXT\nADVANCED=7\n"
                                      "ADV_COUNT=9\n"
                                      "ADVTYPE_1=TEXT\n"
                                      "ADVTYPE_2=FIELD\n"
                                      "ADVTYPE_3=UNKNOWN\n"
                                      "ADVTYPE_4=SEQUENCE\n"
                                      "ADVTYPE_5=DATE\n"
                                      "ADVTYPE_6=TEXT\nADVTXT_6=\n"
                                      "ADVTYPE_7=date\n"
                                      "ADVTYPE_8=FIELD\nADVNUM_8=x\nADVCHAR_8=300\nADVLPAD_8=-1\n"
                                      "ADVTYPE_10=TEXT\nADVTXT_10=beyond the count\n")));
    const TLabelContents doc = ReadLabelDocument(path);
    const TLabelControl& c = *doc.Controls.front();
    EXPECT_TRUE(c.Advanced()); // any whole number but 0
    EXPECT_EQ(FieldSignatures(c.Fields),
              QStringList({"TEXT:[ ]", "FIELD:1,0,32,0", "SEQUENCE:0,0,999999999,0,0",
                           "DATE:[YYYYMMDD]", "TEXT:[ ]", "FIELD:1,0,32,1"}));
}

TEST_F(DescriptionFixtures, OddValuesReadSafely) {
    const QString path = Scratch.File("odd.lbl");
    ASSERT_TRUE(WriteBytes(path, Crlf("[FORMAT]\nCONTROLS=5\n"
                                      "[CNT_5]\nTYPE=SHAPE\nTOP=1e300\nLEFT=-1E300\n"
                                      "WIDTH=1E30\nHEIGHT=-5\n"
                                      "[CNT_1]\nTYPE=TEXT\nROTATE=45\nHALIGN=300\nVALIGN=-1\n"
                                      "FONT_SIZE=0\nTOP=-3\nWIDTH=abc\n"
                                      "[CNT_2]\nTYPE=TEXT\nROTATE=90.0\nFONT_SIZE=99999\n"
                                      "[CNT_3]\nTYPE=SHAPE\nSHAPEFORMAT=256\nBRUSH_STYLE=-4\n"
                                      "[CNT_4]\nTYPE=BARCODE\nBCTYPE=1000\nNBW=\n"
                                      "[cnt_4]\nTYPE=SHAPE\n")));
    const TLabelContents doc = ReadLabelDocument(path);
    ASSERT_EQ(doc.Controls.size(), 5u);
    // Far beyond any label: held at twice the largest label, 19200 pixels.
    EXPECT_EQ(doc.Controls[4]->Box(), TRect::FromBox(0, 19200, 19200, 10));
    const TLabelControl& first = *doc.Controls[0];
    EXPECT_EQ(first.Rotation(), 0);
    EXPECT_EQ(first.HAlign(), haLeft);
    EXPECT_EQ(first.VAlign(), vaTop);
    EXPECT_EQ(first.Font().pointSize(), MinFontSize);
    EXPECT_EQ(first.Top(), 0);
    EXPECT_EQ(first.Width(), 1920);
    EXPECT_EQ(doc.Controls[1]->Rotation(), 0);
    EXPECT_EQ(doc.Controls[1]->Font().pointSize(), MaxFontSize);
    EXPECT_EQ(As<TShapeLabel>(doc.Controls[2]).ShapeFormat(), sfRectangle);
    EXPECT_EQ(As<TShapeLabel>(doc.Controls[2]).BrushStyle(), bsSolid);
    EXPECT_EQ(As<TBarcodeLabel>(doc.Controls[3]).BarcodeType(), 0);
    EXPECT_EQ(As<TBarcodeLabel>(doc.Controls[3]).NarrowBarWidth(), 10.0);
}

TEST_F(DescriptionFixtures, ControlSectionsAreNumberedPlainly) {
    const QString path = Scratch.File("numbers.lbl");
    ASSERT_TRUE(WriteBytes(path, Crlf("[FORMAT]\nCONTROLS=4\n"
                                      "[CNT_4]\nTYPE=TEXT\nTEXT=four\n"
                                      "[CNT_01]\nTYPE=TEXT\nTEXT=zero-one\n"
                                      "[cnt_1]\nTYPE=TEXT\nTEXT=one\n"
                                      "[CNT_1]\nTYPE=TEXT\nTEXT=repeated\n"
                                      "[CNT_3]\nTYPE=TEXT\nTEXT=three\n"
                                      "[CNT_5]\nTYPE=TEXT\nTEXT=five\n")));
    const TLabelContents doc = ReadLabelDocument(path);
    QStringList texts;
    for (const auto& c : doc.Controls)
        texts << c->Text();
    EXPECT_EQ(texts, QStringList({"one", "three", "four"}));
}

TEST_F(DescriptionFixtures, HandBuiltArchiveMatchesPicturesByName) {
    const QString bmpFile = Scratch.File("a.bmp");
    const QString jpgFile = Scratch.File("b.jpg");
    ASSERT_TRUE(TestPicture(5, 5).save(bmpFile, "BMP"));
    ASSERT_TRUE(TestPicture(8, 2).save(jpgFile, "JPG"));
    const QByteArray description = Crlf("[FORMAT]\nHEIGHT=2\nWIDTH=4\nCONTROLS=4\n"
                                        "[CNT_1]\nTYPE=GRAPHIC\nIMG_NAME=jpgB2.TMP\n"
                                        "[CNT_2]\nTYPE=GRAPHIC\nIMG_NAME=\n"
                                        "[CNT_3]\nTYPE=GRAPHIC\nIMG_NAME=bmpA1.TMP\n"
                                        "[CNT_4]\nTYPE=MEMO\nMEMO_LINES=3\nMEMO_1=a\nMEMO_3=c\n");
    const QString path = Scratch.File("handmade.lbl");
    ASSERT_TRUE(TArchiveBytes()
                    .Add("_LB_FRMT.TMP", description)
                    .Add("bmpA1.TMP", ReadBytes(bmpFile))
                    .Add("jpgB2.TMP", ReadBytes(jpgFile))
                    .Add("bmpSPARE.TMP", ReadBytes(bmpFile))
                    .WriteTo(path));
    {
        const TLabelContents doc = ReadLabelDocument(path);
        EXPECT_EQ(doc.Sheet.LabelWidth, 4.0);
        ASSERT_EQ(doc.Controls.size(), 4u);
        EXPECT_EQ(As<TGraphicLabel>(doc.Controls[0]).Picture().size(), QSize(8, 2));
        // Saved without a picture: it takes none, not even the spare one.
        EXPECT_TRUE(As<TGraphicLabel>(doc.Controls[1]).ImageFile().isEmpty());
        EXPECT_EQ(As<TGraphicLabel>(doc.Controls[2]).Picture(), TestPicture(5, 5));
        EXPECT_EQ(doc.Controls[3]->Text(), "a\r\n\r\nc"); // a missing line reads empty
        EXPECT_EQ(TempFolderEntries().size(), 2u);        // the spare picture is not kept
    }
    EXPECT_EQ(TempFolderEntries(), QStringList());
}

TEST_F(DescriptionFixtures, PictureLeftOutAtSavingTakesNoOtherPicture) {
    // The first control's picture file was gone when the label was saved.
    const QString bmpFile = Scratch.File("a.bmp");
    ASSERT_TRUE(TestPicture(5, 5).save(bmpFile, "BMP"));
    const QString path = Scratch.File("leftout.lbl");
    ASSERT_TRUE(TArchiveBytes()
                    .Add("_LB_FRMT.TMP", Crlf("[FORMAT]\nCONTROLS=2\n"
                                              "[CNT_1]\nTYPE=GRAPHIC\nIMG_NAME=bmpGONE.TMP\n"
                                              "[CNT_2]\nTYPE=GRAPHIC\nIMG_NAME=bmpA1.TMP\n"))
                    .Add("bmpA1.TMP", ReadBytes(bmpFile))
                    .WriteTo(path));
    const TLabelContents doc = ReadLabelDocument(path);
    EXPECT_TRUE(As<TGraphicLabel>(doc.Controls[0]).ImageFile().isEmpty());
    EXPECT_EQ(As<TGraphicLabel>(doc.Controls[1]).Picture(), TestPicture(5, 5));
}

TEST_F(DescriptionFixtures, ArchiveWithForeignNamesHandsPicturesOutInTurn) {
    const QString bmpFile = Scratch.File("a.bmp");
    ASSERT_TRUE(TestPicture(3, 3).save(bmpFile, "BMP"));
    ASSERT_TRUE(TestPicture(7, 1).save(Scratch.File("b.bmp"), "BMP"));
    const QString path = Scratch.File("foreign.lbl");
    ASSERT_TRUE(TArchiveBytes()
                    .Add("desc.txt", Crlf("[FORMAT]\nCONTROLS=2\n"
                                          "[CNT_1]\nTYPE=GRAPHIC\nIMG_NAME=first.bmp\n"
                                          "[CNT_2]\nTYPE=GRAPHIC\nIMG_NAME=second.bmp\n"))
                    .Add("bmp-one", ReadBytes(bmpFile))
                    .Add("bmp-two", ReadBytes(Scratch.File("b.bmp")))
                    .WriteTo(path));
    const TLabelContents doc = ReadLabelDocument(path);
    EXPECT_EQ(As<TGraphicLabel>(doc.Controls[0]).Picture(), TestPicture(3, 3));
    EXPECT_EQ(As<TGraphicLabel>(doc.Controls[1]).Picture(), TestPicture(7, 1));
}

TEST_F(DescriptionFixtures, WrittenDescriptionMatchesTheGoldenFile) {
    TControlList controls;
    auto& barcode = Add<TBarcodeLabel>(controls);
    barcode.SetBarcodeType(btUpcA);
    barcode.SetNarrowBarWidth(12.5);
    barcode.SetBox(TRect::FromBox(12, 24, 192, 72), true);
    barcode.SetText("01234567890");
    barcode.SetFont(QFont("Courier New", 10)); // not the system's default size
    auto& text = Add<TTextLabel>(controls);
    QFont bold("Arial");
    bold.setPointSize(14);
    bold.setBold(true);
    text.SetFont(bold);
    text.SetFontColor(255);
    text.SetRotation(1);
    text.SetBox(TRect::FromBox(48, 6, 30, 120), true);
    text.SetText("Best before: ");
    auto& memo = Add<TMemoLabel>(controls);
    memo.SetText("Keep dry\r\nStore at 5\\C");
    memo.SetHAlign(haCenter);
    auto& shape = Add<TShapeLabel>(controls);
    shape.SetShapeFormat(sfEllipse);
    shape.SetBrushStyle(bsDiagCross);
    shape.SetPenWidth(3);
    auto& graphic = Add<TGraphicLabel>(controls);
    graphic.SetKeepAspect(false);
    auto& advanced = Add<TTextLabel>(controls);
    advanced.Fields.push_back(std::make_unique<TTextField>(QString("Lot ")));
    auto seq = std::make_unique<TSequenceField>();
    seq->CurrentValue = 17;
    seq->MinSize = 5;
    advanced.Fields.push_back(std::move(seq));
    advanced.SetAdvanced(true);

    TSheetSettings sheet;
    sheet.LabelWidth = 4;
    sheet.LabelHeight = 1.5;
    sheet.GapHeight = 0.125;
    sheet.Rows = 6;
    const QString path = Scratch.File("golden.lbl");
    WriteLabelDocument(path, sheet, true, controls);
    if (qEnvironmentVariableIsSet("VT_WRITE_GOLDEN"))
        WriteBytes(TestDataPath("files/golden-description.txt"), DescriptionBytes(path));
    const QByteArray golden = ReadBytes(TestDataPath("files/golden-description.txt"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(QString::fromLatin1(DescriptionBytes(path)), QString::fromLatin1(golden));
}
