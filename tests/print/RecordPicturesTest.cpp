// Image controls that take their picture from each record: a file name built from the record,
// taken from the data file's folder, decoded once per name; a picture that cannot be read
// leaves its control empty on that label and is reported, while the rest of the run prints.

#include "print/RecordPictures.h"
#include "PdfProbe.h"
#include "TestSupport.h"
#include "document/GraphicLabel.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"
#include "merge/ImportDialog.h"
#include "platform/Printer.h"
#include "print/Preflight.h"
#include "print/PrintU.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

constexpr int Photos = 10;
constexpr int Records = 100;
// The records whose picture is not there, and the names they ask for.
const std::map<int, QString> kMissing = {{17, "gone-a"}, {64, "gone-b"}};

// Picture n is 40 + n pixels wide, so the PDF tells the pictures apart by size.
QSize PhotoSize(int n) {
    return QSize(40 + n, 30);
}

std::unique_ptr<TImportedField> Imported(int32_t field) {
    auto f = std::make_unique<TImportedField>();
    f->FieldNumber = field;
    return f;
}

class RecordPictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(scratch.Path()).mkpath("shop/photos"));
        for (int n = 0; n < Photos; ++n) {
            QImage photo(PhotoSize(n), QImage::Format_RGB888);
            photo.fill(QColor(20 * n, 40, 90));
            ASSERT_TRUE(photo.save(Photo(n), "BMP"));
        }
        QFile data(scratch.File("shop/items.csv"));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly));
        data.write("Key,Photo\r\n");
        for (int r = 1; r <= Records; ++r) {
            const QString photo =
                kMissing.count(r) ? kMissing.at(r) : QStringLiteral("p%1").arg(r % Photos);
            data.write(QStringLiteral("R%1,%2\r\n").arg(r).arg(photo).toUtf8());
        }
        data.close();
        settings.DataFile = data.fileName();
        FormatFromExtension(settings.Import, settings.DataFile, {});

        auto key = std::make_unique<TTextLabel>();
        key->SetBox(TRect::FromBox(6, 4, 80, 24), true);
        key->Fields.push_back(Imported(1));
        Finish(key);
        auto image = std::make_unique<TGraphicLabel>();
        image->SetBox(TRect::FromBox(100, 10, 60, 40), true);
        image->Fields.push_back(std::make_unique<TTextField>("photos/"));
        image->Fields.push_back(Imported(2));
        image->Fields.push_back(std::make_unique<TTextField>(".bmp"));
        Finish(image);
    }
    template <class T> void Finish(std::unique_ptr<T>& c) {
        c->SetAdvanced(true);
        c->SetLoading(false);
        controls.push_back(std::move(c));
    }

    QString Photo(int n) const {
        return scratch.File(QStringLiteral("shop/photos/p%1.bmp").arg(n));
    }

    TPrintResult Print(const QString& pdf, int32_t threads) {
        settings.Threads = threads;
        settings.ChunkLabels = 8;
        return PrintLabels(sheet, controls, settings, TLetterPdf(), pdf, QString(), nullptr);
    }

    TScratchFolder scratch;
    TSheetSettings sheet;
    TControlList controls;
    TPrintSettings settings;
};

// Pictures drawn per page, by size.
std::vector<std::multiset<std::pair<int, int>>> PicturesByPage(const QString& pdf) {
    std::vector<std::multiset<std::pair<int, int>>> pages(PdfPageCount(pdf));
    for (const TPdfImage& image : PdfImages(pdf))
        if (image.Type == "image" && image.Page >= 1)
            pages[image.Page - 1].insert({image.Width, image.Height});
    return pages;
}
} // namespace

TEST_F(RecordPictures, MissingPicturesLeaveTheirLabelsEmptyAndTheRestPrint) {
    const QString pdf = scratch.File("items.pdf");
    const TPrintResult result = Print(pdf, 1);
    EXPECT_EQ(result.Labels, Records);
    EXPECT_EQ(result.Pages, 3); // 40 labels to a page

    // Each label shows its record's picture, taken from the data file's folder: 40 labels on
    // the first two pages less the one missing on each, 20 on the last.
    const auto pages = PicturesByPage(pdf);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 39u);
    EXPECT_EQ(pages[1].size(), 39u);
    EXPECT_EQ(pages[2].size(), 20u);
    std::set<std::pair<int, int>> sizes;
    for (const auto& page : pages)
        for (const auto& size : page)
            sizes.insert(size);
    std::set<std::pair<int, int>> expected;
    for (int n = 0; n < Photos; ++n)
        expected.insert({PhotoSize(n).width(), PhotoSize(n).height()});
    EXPECT_EQ(sizes, expected);
    // Record 1 asks for p1, record 10 for p0: each picture goes where its record is.
    EXPECT_EQ(pages[0].count({PhotoSize(1).width(), 30}), 4u);
    EXPECT_EQ(pages[0].count({PhotoSize(7).width(), 30}), 3u) << "record 17 printed empty";

    // The labels of the missing pictures still print their other controls.
    const QStringList words = PageWords(PdfWords(pdf), 1) + PageWords(PdfWords(pdf), 2);
    EXPECT_TRUE(words.contains("R17"));
    EXPECT_TRUE(words.contains("R64"));

    ASSERT_EQ(result.PictureTroubles.size(), 2u);
    const TPictureTrouble& first = result.PictureTroubles[0];
    EXPECT_EQ(first.Path, "photos/gone-a.bmp");
    EXPECT_EQ(first.FirstRecord, 17);
    EXPECT_EQ(first.FirstLine, 18);
    EXPECT_EQ(first.Records, 1);
    EXPECT_EQ(result.PictureTroubles[1].Path, "photos/gone-b.bmp");
    EXPECT_EQ(result.PictureTroubles[1].FirstRecord, 64);
    EXPECT_EQ(PictureTroubleText(first),
              "the picture photos/gone-a.bmp of record 17 (line 18) could not be read: there is "
              "no such file; its image control prints empty");
}

TEST_F(RecordPictures, TwoThreadsPrintWhatOneThreadPrints) {
    const QString one = scratch.File("one.pdf"), two = scratch.File("two.pdf");
    const TPrintResult alone = Print(one, 1);
    const TPrintResult parallel = Print(two, 2);
    EXPECT_EQ(parallel.Labels, alone.Labels);
    EXPECT_EQ(parallel.Pages, alone.Pages);
    EXPECT_EQ(PicturesByPage(two), PicturesByPage(one));
    ASSERT_EQ(parallel.PictureTroubles.size(), 2u);
    EXPECT_EQ(parallel.PictureTroubles[1].Path, alone.PictureTroubles[1].Path);
    for (int page = 1; page <= alone.Pages; ++page)
        EXPECT_EQ(RasterisePage(two, page, 40, scratch.Path()),
                  RasterisePage(one, page, 40, scratch.Path()))
            << "page " << page;
}

TEST_F(RecordPictures, ThePreflightListsTheRecordsWhosePictureIsMissing) {
    std::vector<TPreflightProblem> problems;
    const TPreflightResult result =
        CheckLabels(sheet, controls, settings, TLetterPdf(),
                    [&](const TPreflightProblem& p) { problems.push_back(p); });
    EXPECT_EQ(result.Labels, Records);
    EXPECT_EQ(result.Problems, 2);
    EXPECT_EQ(result.RecordsWithProblems, 2);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].Record, 17);
    EXPECT_EQ(problems[1].Record, 64);
    EXPECT_EQ(ProblemLine(problems[1]),
              "record 64 (line 65), label 64: image \"Photo\": the picture photos/gone-b.bmp "
              "could not be read: there is no such file; it prints empty");
}

TEST_F(RecordPictures, NamesStartAtTheDataFolderAndEachIsDecodedOnce) {
    const QString shop = scratch.File("shop");
    TRecordPictures pictures(PictureFolder(settings.DataFile));
    EXPECT_EQ(pictures.Picture("photos/p3.bmp", 1, 2).Pixels.size(), PhotoSize(3));
    EXPECT_EQ(pictures.Picture(Photo(4), 2, 3).Pixels.size(), PhotoSize(4))
        << "a full path as it is";
    EXPECT_EQ(pictures.Picture(" photos/./p5.bmp ", 3, 4).Pixels.size(), PhotoSize(5));

    // Three hundred records sharing ten pictures decode each once.
    TRecordPictures shared(shop);
    for (int r = 0; r < 300; ++r)
        EXPECT_FALSE(shared.Picture(QStringLiteral("photos/p%1.bmp").arg(r % Photos), r + 1, r + 2)
                         .IsNull());
    EXPECT_EQ(shared.Decodes(), Photos);
    EXPECT_TRUE(shared.Troubles().empty());

    // The cache is bounded: four names taken in turn through room for three decode each time.
    TRecordPictures small(shop, 3);
    for (int r = 0; r < 12; ++r)
        small.Picture(QStringLiteral("photos/p%1.bmp").arg(r % 4), r + 1, r + 2);
    EXPECT_EQ(small.Decodes(), 12);

    // Without the data file's folder a relative name is not found; a missing file is tried once
    // and each record asking for it counted.
    TRecordPictures nowhere{QString()};
    EXPECT_TRUE(nowhere.Picture("photos/p3.bmp", 5, 6).IsNull());
    EXPECT_TRUE(nowhere.Picture("photos/p3.bmp", 5, 6).IsNull()) << "the same record again";
    EXPECT_TRUE(nowhere.Picture("photos/p3.bmp", 9, 10).IsNull());
    EXPECT_TRUE(nowhere.Picture("", 11, 12).IsNull());
    EXPECT_EQ(nowhere.Decodes(), 1);
    ASSERT_EQ(nowhere.Troubles().size(), 2u);
    EXPECT_EQ(nowhere.Troubles()[0].Records, 2);
    EXPECT_EQ(PictureTroubleText(nowhere.Troubles()[0]),
              "the picture photos/p3.bmp of record 5 (line 6) and 1 more record could not be "
              "read: there is no such file; its image control prints empty");
    EXPECT_EQ(nowhere.Troubles()[1].Reason, "the record gives no file name");

    // A file that is not a picture is refused as the image control refuses it.
    QFile text(scratch.File("shop/photos/notes.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    EXPECT_TRUE(pictures.Picture("photos/notes.bmp", 7, 8).IsNull());
    ASSERT_EQ(pictures.Troubles().size(), 1u);
    EXPECT_EQ(pictures.Troubles()[0].Reason, "it is not a picture an image control can show");
}

TEST_F(RecordPictures, AnSvgARecordNamesPrintsAsVectors) {
    QFile svg(scratch.File("shop/photos/logo.svg"));
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\">"
              "<rect x=\"0\" y=\"0\" width=\"40\" height=\"20\" fill=\"#000\"/></svg>");
    svg.close();
    auto& image = static_cast<TGraphicLabel&>(*controls[1]);
    image.Fields.clear();
    image.Fields.push_back(std::make_unique<TTextField>("photos/logo.svg"));
    settings.Range = TPrintRange::Labels;
    settings.LabelCount = 3;
    const QString pdf = scratch.File("logo.pdf");
    const TPrintResult result = Print(pdf, 1);
    EXPECT_TRUE(result.PictureTroubles.empty());
    EXPECT_TRUE(PdfImages(pdf).empty()) << "no pixels: the drawing stays vectors";
    // The black rectangle is on paper where the control is.
    const QImage page = RasterisePage(pdf, 1, 72, scratch.Path());
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            dark += qGray(page.pixel(x, y)) < 60;
    EXPECT_GT(dark, 3 * 100) << "three labels each with a drawn rectangle";
}
