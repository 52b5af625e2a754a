#include "ArchiveBytes.h"
#include "LabelTestSupport.h"
#include "files/ControlSection.h"

#include <QDirIterator>
#include <QFileInfo>

#include <chrono>

namespace {
// Every file under folder except those in the program's temporary folder, with its size.
QStringList FilesOutsideTempFolder(const QString& folder) {
    QStringList files;
    const QString temp = QFileInfo(TempFolder()).absoluteFilePath();
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        if (!f.absoluteFilePath().startsWith(temp + "/"))
            files << f.absoluteFilePath() + ":" + QString::number(f.size());
    }
    files.sort();
    return files;
}

QByteArray Crlf(const QByteArray& text) {
    return QByteArray(text).replace("\n", "\r\n");
}
} // namespace

// A label with something on it, which a failed open must leave exactly as it was.
class HostileInput : public TLabelFileTest {
protected:
    void SetUp() override {
        TLabelFileTest::SetUp();
        Label.SetLabelSize(300, 150);
        Label.SetShowGrid(false);
        auto text = std::make_unique<TTextLabel>();
        text->SetText("keep me");
        Label.AddControl(std::move(text));
        auto graphic = std::make_unique<TGraphicLabel>();
        const QString bmp = Scratch.File("mine.bmp");
        ASSERT_TRUE(TestPicture().save(bmp, "BMP"));
        ASSERT_TRUE(ImportPicture(*graphic, bmp));
        Picture = graphic->ImageFile();
        Label.AddControl(std::move(graphic));
        TSheetSettings sheet;
        sheet.LabelWidth = 3.125;
        sheet.Rows = 9;
        sheet.BorderStyle = 2;
        Label.SetSheet(sheet);
    }

    // Opens path over the label and expects the exact message and an untouched label.
    void ExpectRefused(const QString& path, const QString& message) {
        const TSheetSettings sheetBefore = Label.Sheet();
        try {
            ReadLabelDescription(path, Label);
            ADD_FAILURE() << "opened: " << message.toStdString();
        } catch (const TUserError& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(Label.Sheet(), sheetBefore);
        EXPECT_FALSE(Label.ShowGrid());
        EXPECT_EQ(Label.LabelWidth(), 300);
        EXPECT_EQ(Label.LabelHeight(), 150);
        ASSERT_EQ(Label.Controls().size(), 2u);
        EXPECT_EQ(Label.Controls()[0]->Text(), "keep me");
        EXPECT_EQ(ReadBytes(Picture), ReadBytes(Scratch.File("mine.bmp")));
        EXPECT_EQ(TempFolderEntries(), QStringList({QFileInfo(Picture).fileName()}));
    }

    TLabelDocument Label;
    QString Picture;
};

TEST_F(HostileInput, UnreadableFilesAreRefusedWithTheirReason) {
    const QString path = Scratch.File("bad.lbl");
    // Damaged archive directories in all their forms are the archive reader's tests; one
    // stands for them here.
    struct TRow {
        const char* Name;
        QByteArray Bytes;
        QString Message; // %1 is the path
    } rows[] = {
        {"empty", "", "The file \"%1\" cannot be read: it is too short to be a label file."},
        {"ten bytes", "Vellumtrac",
         "The file \"%1\" cannot be read: it is too short to be a label file."},
        {"other version", TArchiveBytes("Vellumtrace", "1.1").Add("_LB_FRMT.TMP", "x").Bytes(),
         "The file \"%1\" is not a label archive of a version this program can read."},
        {"magic alone", "Vellumtrace",
         "The file \"%1\" is not a label archive of a version this program can read."},
        {"size past the end",
         TArchiveBytes().Add("_LB_FRMT.TMP", "x").AddClaiming("bmp1.TMP", 1 << 30, "BM").Bytes(),
         "The label file \"%1\" is damaged: entry 2 runs past the end of the file."},
        {"no entries", TArchiveBytes().Bytes(),
         "The label file \"%1\" is damaged: it holds no label description."},
        {"not a description inside", TArchiveBytes().Add("_LB_FRMT.TMP", "\x01\x02garbage").Bytes(),
         "The file \"%1\" is not a label file: it has no [FORMAT] section."},
        {"magic in other letters", "VELLUMTRACE and then some",
         "The file \"%1\" is not a label file: it has no [FORMAT] section."},
        {"binary garbage", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "The file \"%1\" is not a label file: it has no [FORMAT] section."},
        {"huge label", Crlf("[FORMAT]\nWIDTH=1000\nHEIGHT=2\n"),
         "The file \"%1\" describes a label of 1000 by 2 inches; labels can be at most 100 "
         "inches on a side."},
        {"huge metric label", Crlf("[FORMAT]\nMETRIC=1\nWIDTH=10\nHEIGHT=300\n"),
         "The file \"%1\" describes a label of 3.93701 by 118.11 inches; labels can be at most "
         "100 inches on a side."},
        {"runaway sheet",
         Crlf("[FORMAT]\nGAPHEIGHT=2147483648\nFORCEDMETRICS=1\nCOLUMNS=2147483647\n"),
         "The file \"%1\" has a margin or gutter of 2.14748e+09 inches; margins and gutters can "
         "be at most 100 inches either way."},
        {"forced counts", Crlf("[FORMAT]\nFORCEDMETRICS=1\nCOLUMNS=2147483647\nROWS=10\n"),
         "The file \"%1\" forces the sheet to 10 rows and 2147483647 columns; a sheet can have "
         "from 0 to 9999 of each."},
        {"dust-sized labels", Crlf("[FORMAT]\nWIDTH=0.001\nHEIGHT=0.001\n"),
         "The file \"%1\" starts a label every 0.001 inches across and every 0.001 inches down; "
         "labels must start at least 0.05 inches apart."},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        ASSERT_TRUE(WriteBytes(path, row.Bytes));
        ExpectRefused(path, row.Message.arg(path));
    }
    ExpectRefused(Scratch.File("absent.lbl"),
                  QString("The file \"%1\" does not exist.").arg(Scratch.File("absent.lbl")));
    ExpectRefused(Scratch.Path(),
                  QString("Cannot open the file \"%1\": it is a folder.").arg(Scratch.Path()));
}

TEST_F(HostileInput, EntryNamesWithFoldersStayInTheTemporaryFolder) {
    const QString bmp = Scratch.File("pic.bmp");
    ASSERT_TRUE(TestPicture().save(bmp, "BMP"));
    const QString path = Scratch.File("traversal.lbl");
    ASSERT_TRUE(TArchiveBytes()
                    .Add("../../../../tmp/_LB_FRMT.TMP",
                         Crlf("[FORMAT]\nCONTROLS=2\n[CNT_1]\nTYPE=GRAPHIC\nIMG_NAME=bmpX\n"
                              "[CNT_2]\nTYPE=GRAPHIC\nIMG_NAME=bmpY\n"))
                    .Add("../../bmpX", ReadBytes(bmp))
                    .Add("C:\\Windows\\bmpY", ReadBytes(bmp))
                    .WriteTo(path));
    const QStringList before = FilesOutsideTempFolder(Scratch.Path());
    ReadLabelDescription(path, Label);
    EXPECT_EQ(FilesOutsideTempFolder(Scratch.Path()), before);
    ASSERT_EQ(Label.Controls().size(), 2u);
    for (const auto& c : Label.Controls()) {
        const auto& g = dynamic_cast<const TGraphicLabel&>(*c);
        EXPECT_EQ(g.Picture(), TestPicture());
        EXPECT_EQ(QFileInfo(g.ImageFile()).absolutePath(),
                  QFileInfo(TempFolder()).absoluteFilePath());
    }
    // The previous picture went with its control; only the two new ones remain.
    EXPECT_EQ(TempFolderEntries().size(), 2u);
    EXPECT_FALSE(QFileInfo::exists(Picture));
}

TEST_F(HostileInput, FiftyMegabyteValueLineIsCut) {
    const QString path = Scratch.File("long.lbl");
    QByteArray bytes = Crlf("[FORMAT]\nCONTROLS=1\n[CNT_1]\nTYPE=TEXT\nTEXT=");
    bytes += QByteArray(50 * 1024 * 1024, 'x');
    bytes += Crlf("\nFONT_SIZE=11\n");
    ASSERT_TRUE(WriteBytes(path, bytes));
    const auto start = std::chrono::steady_clock::now();
    ReadLabelDescription(path, Label);
    ASSERT_EQ(Label.Controls().size(), 1u);
    EXPECT_EQ(Label.Controls()[0]->Text(), QString(2047, 'x'));
    EXPECT_EQ(Label.Controls()[0]->Font().pointSize(), 11);
    // Not a timing assertion, just a note when something has gone quadratic.
    RecordProperty("seconds", std::chrono::duration_cast<std::chrono::seconds>(
                                  std::chrono::steady_clock::now() - start)
                                  .count());
}

TEST_F(HostileInput, OversizedDescriptionIsRefused) {
    const QString path = Scratch.File("oversized.lbl");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write("[FORMAT]\r\n"), 10);
    ASSERT_TRUE(f.resize(TIniFile::MaxFileSize + 1)); // sparse: cheap to make
    f.close();
    ExpectRefused(path, QString("The file \"%1\" is too large to be a label description (%2 "
                                "bytes).")
                            .arg(path)
                            .arg(TIniFile::MaxFileSize + 1));
}

TEST_F(HostileInput, AbsurdCountsAndSizesStayBounded) {
    const QString path = Scratch.File("counts.lbl");
    ASSERT_TRUE(WriteBytes(path, Crlf("[FORMAT]\nCONTROLS=2147483647\n"
                                      "[CNT_1]\nTYPE=MEMO\nMEMO_LINES=2147483647\nMEMO_1=top\n"
                                      "ADV_COUNT=2147483647\n"
                                      "[CNT_2]\nTYPE=TEXT\nADVANCED=1\nADV_COUNT=2147483647\n"
                                      "ADVTYPE_1=FIELD\nADVSIZE_1=2147483647\n"
                                      "ADVTYPE_2=SEQUENCE\nADVSIZE_2=2000000000\n"
                                      "ADVTYPE_2147483647=TEXT\nADVTXT_2147483647=last\n"
                                      "[CNT_2147483647]\nTYPE=SHAPE\nPEN_WIDTH=-5\n")));
    const auto start = std::chrono::steady_clock::now();
    const TLabelContents doc = ReadLabelDocument(path);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    ASSERT_EQ(doc.Controls.size(), 3u);
    const QString memo = doc.Controls[0]->Text();
    EXPECT_TRUE(memo.startsWith("top\r\n"));
    EXPECT_EQ(memo.count("\r\n"), MaxMemoLines - 1);
    const TLabelControl& advanced = *doc.Controls[1];
    EXPECT_EQ(FieldSignatures(advanced.Fields),
              QStringList({"FIELD:1,99,32,0", "SEQUENCE:0,0,999999999,9,0", "TEXT:[last]"}));
    EXPECT_EQ(advanced.GetText(), QString(99, ' ') + "000000000last");
    EXPECT_EQ(doc.Controls[2]->Kind(), ckShape);
}

TEST_F(HostileInput, PlainDescriptionCannotCarryOtherFilesAway) {
    const QString secret = Scratch.File("secret.txt");
    ASSERT_TRUE(WriteBytes(secret, "private key"));
    const QString path = Scratch.File("grab.lbl");
    ASSERT_TRUE(
        WriteBytes(path, Crlf("[FORMAT]\nCONTROLS=2\n"
                              "[CNT_1]\nTYPE=GRAPHIC\nIMG_NAME=" +
                              secret.toUtf8() + "\n[CNT_2]\nTYPE=GRAPHIC\nIMG_NAME=secret.txt\n")));
    ReadLabelDescription(path, Label);
    ASSERT_EQ(Label.Controls().size(), 2u);
    for (const auto& c : Label.Controls())
        EXPECT_TRUE(dynamic_cast<const TGraphicLabel&>(*c).ImageFile().isEmpty());
    EXPECT_EQ(TempFolderEntries(), QStringList());

    // Saving that label packs nothing but the description.
    const QString saved = Scratch.File("resaved.lbl");
    WriteLabelDescription(saved, Label);
    QStringList extracted;
    ASSERT_TRUE(ReadLabelArchive(saved, extracted));
    EXPECT_EQ(extracted.size(), 1);
    EXPECT_FALSE(ReadBytes(saved).contains("private key"));
}

TEST_F(HostileInput, PictureThatDoesNotDecodeIsKeptButNotShown) {
    const QString path = Scratch.File("broken.lbl");
    ASSERT_TRUE(TArchiveBytes()
                    .Add("_LB_FRMT.TMP",
                         Crlf("[FORMAT]\nCONTROLS=2\n[CNT_1]\nTYPE=GRAPHIC\nIMG_NAME=bmpA.TMP\n"
                              "[CNT_2]\nTYPE=GRAPHIC\nIMG_NAME=jpgB.TMP\n"))
                    .Add("bmpA.TMP", "BM not really a bitmap")
                    .Add("jpgB.TMP", QByteArray("\xFF\xD8\xFF\xE0 truncated jpeg", 20))
                    .WriteTo(path));
    const TLabelContents doc = ReadLabelDocument(path);
    ASSERT_EQ(doc.Controls.size(), 2u);
    const auto& bmp = As<TGraphicLabel>(doc.Controls[0]);
    const auto& jpg = As<TGraphicLabel>(doc.Controls[1]);
    EXPECT_EQ(ReadBytes(bmp.ImageFile()), "BM not really a bitmap"); // saved again unchanged
    EXPECT_EQ(bmp.Picture().size(), QSize(10, 10));                  // the blank picture
    EXPECT_FALSE(jpg.ImageFile().isEmpty());
    ASSERT_EQ(Messages.size(), 2);
    EXPECT_EQ(Messages[0], "Unable to load bitmap file\n\r" + bmp.ImageFile());
    EXPECT_EQ(Messages[1], "Unable to load jpeg file\n\r" + jpg.ImageFile());
}
