// Unattended runs of a label whose image control takes its picture from each record: the
// label file keeps the elements, the pictures come from the data file's folder, and pictures
// that cannot be read are named on stderr once each while the rest of the run prints.

#include "PdfProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"
#include "document/GraphicLabel.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"
#include "merge/AdvancedField.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
std::unique_ptr<TImportedField> Imported(int32_t field) {
    auto f = std::make_unique<TImportedField>();
    f->FieldNumber = field;
    return f;
}

class RecordPictureRun : public ::testing::Test {
protected:
    void SetUp() override {
        // Three pictures beside the data in a folder of its own; the run starts elsewhere.
        ASSERT_TRUE(QDir(scratch.Path()).mkpath("shop/photos"));
        for (int n = 0; n < 3; ++n) {
            QImage photo(50 + n, 20, QImage::Format_RGB888);
            photo.fill(QColor(60 * n, 20, 20));
            ASSERT_TRUE(photo.save(scratch.File(QStringLiteral("shop/photos/p%1.bmp").arg(n))));
        }
        QFile data(scratch.File("shop/items.csv"));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly));
        data.write("Key,Photo\r\n");
        for (int r = 1; r <= 100; ++r) {
            QString photo = QStringLiteral("p%1").arg(r % 3);
            if (r == 6 || r == 9 || r == 30)
                photo = "lost"; // three records share one missing picture
            if (r == 71)
                photo = "gone";
            data.write(QStringLiteral("R%1,%2\r\n").arg(r).arg(photo).toUtf8());
        }
        dataFile = data.fileName();

        TControlList controls;
        auto key = std::make_unique<TTextLabel>();
        key->SetBox(TRect::FromBox(6, 4, 80, 24), true);
        key->Fields.push_back(Imported(1));
        key->SetAdvanced(true);
        controls.push_back(std::move(key));
        auto image = std::make_unique<TGraphicLabel>();
        image->SetBox(TRect::FromBox(100, 10, 60, 40), true);
        image->Fields.push_back(std::make_unique<TTextField>("photos/"));
        image->Fields.push_back(Imported(2));
        image->Fields.push_back(std::make_unique<TTextField>(".bmp"));
        image->SetAdvanced(true);
        controls.push_back(std::move(image));
        for (auto& c : controls)
            c->SetLoading(false);
        label = scratch.File("items.lbl");
        WriteLabelDocument(label, TSheetSettings{}, true, controls);
    }

    TScratchFolder scratch;
    QString dataFile, label;
};

TEST_F(RecordPictureRun, TheLabelFileKeepsTheElementsOfItsImageControl) {
    const TLabelContents back = ReadLabelDocument(label);
    ASSERT_EQ(back.Controls.size(), 2u);
    const TLabelControl& image = *back.Controls[1];
    EXPECT_EQ(image.Kind(), ckGraphic);
    EXPECT_TRUE(image.Advanced());
    ASSERT_EQ(image.Fields.size(), 3u);
    EXPECT_EQ(static_cast<const TTextField&>(*image.Fields[0]).LiteralText, "photos/");
    EXPECT_EQ(static_cast<const TImportedField&>(*image.Fields[1]).FieldNumber, 2);
    EXPECT_EQ(static_cast<const TTextField&>(*image.Fields[2]).LiteralText, ".bmp");
}

TEST_F(RecordPictureRun, MissingPicturesAreNamedOnceAndTheRunPrintsTheRest) {
    const QString out = scratch.File("items.pdf");
    const TRun r =
        Vellumtrace({label, "-p", "-i", dataFile, "-o", out, "--no-save"}, scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    const QStringList lines = r.Err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines, QStringList({
                         "vellumtrace: warning: the picture photos/lost.bmp of record 6 (line 7) "
                         "and 2 more records could not be read: there is no such file; its image "
                         "control prints empty",
                         "vellumtrace: warning: the picture photos/gone.bmp of record 71 (line "
                         "72) could not be read: there is no such file; its image control prints "
                         "empty",
                     }));
    int pictures = 0;
    for (const TPdfImage& image : PdfImages(out))
        if (image.Type == "image")
            ++pictures;
    EXPECT_EQ(pictures, 96);
    const std::vector<TPdfWord> words = PdfWords(out);
    EXPECT_EQ(words.size(), 100u) << "every record's key still prints";
}

TEST_F(RecordPictureRun, TheCheckListsTheRecordsWithoutTheirPicture) {
    const TRun r = Vellumtrace({label, "--check", "-i", dataFile}, scratch.Path());
    EXPECT_EQ(r.Exit, 3) << r.Err.toStdString();
    const QStringList lines = r.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << r.Out.toStdString();
    EXPECT_EQ(lines[0], "record 6 (line 7), label 6: image \"Photo\": the picture "
                        "photos/lost.bmp could not be read: there is no such file; it prints "
                        "empty");
    EXPECT_TRUE(lines[3].startsWith("record 71 (line 72), label 71: image \"Photo\": the "
                                    "picture photos/gone.bmp"));
    EXPECT_EQ(lines[4], "checked 100 labels from 100 records: 4 problems in 4 records");
}
} // namespace
