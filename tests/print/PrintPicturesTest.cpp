// PNG and SVG pictures on paper: a PNG's transparent part lets the controls under it show, an SVG
// is drawn as vectors (no picture in the PDF) where its box says.

#include "PdfProbe.h"
#include "PlaceControl.h"
#include "TestSupport.h"
#include "document/GraphicLabel.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "print/PrintU.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

// The mean grey of an area of the page.
int MeanGrey(const QImage& page, const QRect& area) {
    int64_t sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qGray(page.pixel(x, y));
    return int(sum / (int64_t(area.width()) * area.height()));
}

// The label lies at 150, 150 on the 600-dpi page; one screen pixel is 6.25 printer pixels.
QRect PageBox(int left, int top, int width, int height) {
    return QRect(150 + qRound(left * 6.25), 150 + qRound(top * 6.25), qRound(width * 6.25),
                 qRound(height * 6.25));
}

class PrintPictures : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.ForcedCount = true;
        label.SetLabelSize(192, 96);
        out = scratch.File("pictures.pdf");
    }
    template <class T> T* Place(int left, int top, int width, int height) {
        return PlaceControl<T>(label, left, top, width, height);
    }
    TGraphicLabel* PlacePicture(int left, int top, int width, int height, const QString& file) {
        auto* image = Place<TGraphicLabel>(left, top, width, height);
        EXPECT_TRUE(LoadImageByExtension(*image, file));
        image->Draw();
        return image;
    }
    QImage PrintPage() {
        TPrintSettings s;
        s.Range = TPrintRange::Pages;
        PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);
        return RasterisePage(out, 1, 600, scratch.Path());
    }
    TScratchFolder scratch;
    TSheetSettings sheet;
    TLabelDocument label;
    TLetterPdf printer;
    QString out;
};
} // namespace

TEST_F(PrintPictures, APngsTransparentPartShowsTheShapeUnderIt) {
    // Left half opaque light grey, right half fully transparent.
    QImage png(40, 20, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            png.setPixel(x, y, qRgba(200, 200, 200, 255));
    const QString file = scratch.File("logo.png");
    ASSERT_TRUE(png.save(file, "PNG"));
    auto* shape = Place<TShapeLabel>(10, 10, 80, 40);
    shape->SetBrushColor(clBlack);
    shape->SetPenColor(clBlack);
    PlacePicture(10, 10, 80, 40, file);

    const QImage page = PrintPage();
    const QRect box = PageBox(10, 10, 80, 40);
    const QRect left(box.left() + 20, box.top() + 20, box.width() / 2 - 40, box.height() - 40);
    EXPECT_NEAR(MeanGrey(page, left), 200, 3);                         // the picture
    EXPECT_LT(MeanGrey(page, left.translated(box.width() / 2, 0)), 5); // the shape under it
    EXPECT_GT(MeanGrey(page, PageBox(100, 10, 40, 40)), 250);          // nothing beside
}

TEST_F(PrintPictures, AnSvgPrintsAsVectorsWhereItsBoxSays) {
    const QString file = scratch.File("logo.svg");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // 100 x 50: black square on the left, nothing on the right.
    f.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="50">
  <rect x="0" y="0" width="50" height="50" fill="black"/>
  <circle cx="75" cy="25" r="10" fill="none" stroke="black" stroke-width="1"/></svg>)");
    f.close();
    // A 60 x 60 box keeps the drawing's 2 to 1: 60 x 30 at its top.
    PlacePicture(20, 10, 60, 60, file);

    const QImage page = PrintPage();
    EXPECT_TRUE(PdfImages(out).empty()) << "the drawing became a picture";
    const QRect square = PageBox(20, 10, 30, 30);
    EXPECT_LT(MeanGrey(page, square.adjusted(4, 4, -4, -4)), 5);
    EXPECT_GT(MeanGrey(page, PageBox(20, 42, 60, 25)), 250); // below the kept aspect
    EXPECT_GT(MeanGrey(page, PageBox(51, 11, 9, 9)), 250);   // right of the square
}
