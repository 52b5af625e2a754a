#include "PdfProbe.h"
#include "PlaceControl.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "document/GraphicLabel.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "print/PrintU.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

std::string DecodeCode128(const QImage& grey) {
    const QImage img = grey.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(img.constBits(), img.width(), img.height(), ZXing::ImageFormat::Lum,
                                int(img.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code128).setTryHarder(true).setTryRotate(true);
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    return r.isValid() ? r.text() : std::string("<no symbol>");
}

int Dark(const QImage& img, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(img.pixel(x, y)) < 100;
    return n;
}
} // namespace

// One label of every kind printed on a single page and looked at as pixels: each control where
// its box says (label at 150, 150 on the page; one screen pixel is 6.25 printer pixels).
class PrintKindsTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = TSheetSettings();
        sheet.ForcedCount = true;
        label.SetLabelSize(192, 96);
        out = scratch.File("kinds.pdf");
    }
    template <class T> T* Place(int left, int top, int width, int height) {
        return PlaceControl<T>(label, left, top, width, height);
    }
    QImage PrintPage() {
        TPrintSettings s;
        s.Range = TPrintRange::Pages;
        PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);
        return RasterisePage(out, 1, 600, scratch.Path());
    }
    // Screen box to page pixels.
    static QRect PageBox(int left, int top, int width, int height) {
        return QRect(150 + qRound(left * 6.25), 150 + qRound(top * 6.25), qRound(width * 6.25),
                     qRound(height * 6.25));
    }
    TScratchFolder scratch;
    TSheetSettings sheet; // the sheet the runs print on
    TLabelDocument label;
    TLetterPdf printer;
    QString out;
};

TEST_F(PrintKindsTest, EveryKindLandsInItsBox) {
    auto* shape = Place<TShapeLabel>(150, 4, 30, 20);
    shape->SetBrushColor(clBlack);
    auto* text = Place<TTextLabel>(4, 4, 20, 20);
    text->SetText("HELLO");
    auto* memo = Place<TMemoLabel>(4, 26, 60, 30);
    memo->SetText("first line\r\nsecond");
    auto* picture = Place<TGraphicLabel>(150, 30, 30, 30);
    QImage grey(10, 10, QImage::Format_RGB888);
    grey.fill(QColor(128, 128, 128));
    picture->SetPicture(grey);
    auto* barcode = Place<TBarcodeLabel>(70, 60, 110, 30);
    barcode->SetText("ABC123");
    barcode->SetAutoSizing(false);

    const QImage page = PrintPage();
    ASSERT_EQ(page.size(), QSize(5100, 6600));
    // The filled rectangle covers its box.
    const QRect shapeBox = PageBox(150, 4, 30, 20).adjusted(10, 10, -10, -10);
    EXPECT_EQ(Dark(page, shapeBox), shapeBox.width() * shapeBox.height());
    // The picture is stretched over its box in its own grey.
    const QRect picBox = PageBox(150, 30, 30, 30);
    EXPECT_NEAR(qGray(page.pixel(picBox.center())), 128, 8);
    EXPECT_GT(qGray(page.pixel(picBox.left() - 10, picBox.center().y())), 240);
    // Texts are where their boxes start.
    const auto words = PdfWords(out);
    auto find = [&](const QString& t) {
        return std::find_if(words.begin(), words.end(),
                            [&](const TPdfWord& w) { return w.Text == t; });
    };
    ASSERT_NE(find("HELLO"), words.end());
    EXPECT_NEAR(find("HELLO")->X, PageBox(4, 4, 1, 1).left(), 20);
    ASSERT_NE(find("second"), words.end());
    EXPECT_GT(find("second")->Y, find("first")->Y);
    EXPECT_NEAR(find("first")->X, PageBox(4, 26, 1, 1).left(), 20);
    // The barcode on the page scans.
    const QRect codeBox = PageBox(70, 60, 110, 30).adjusted(-60, -20, 60, 20);
    EXPECT_EQ(DecodeCode128(page.copy(codeBox)), "ABC123");
}

TEST_F(PrintKindsTest, RotatedBarcodeScansOnThePage) {
    auto* barcode = Place<TBarcodeLabel>(20, 2, 40, 90);
    barcode->SetRotation(1);
    barcode->SetText("R9"); // short enough to fit across the label
    barcode->SetAutoSizing(false);
    const QImage page = PrintPage();
    EXPECT_EQ(DecodeCode128(page.copy(QRect(150, 150, 1200, 600))), "R9");
}

TEST_F(PrintKindsTest, ControlsWithoutAutoSizeAreCutAtTheirBox) {
    auto* text = Place<TTextLabel>(10, 10, 30, 20);
    text->SetAutoSizing(false);
    QFont big("Liberation Sans");
    big.setPointSize(14);
    text->SetFont(big);
    text->SetText("WWWWWWWWWWWW");
    auto* free = Place<TTextLabel>(10, 50, 30, 20);
    free->SetFont(big);
    free->SetText("WWWWWWWWWWWW"); // auto size: only the label's edge cuts it
    const QImage page = PrintPage();
    const QRect cut = PageBox(10, 10, 30, 20);
    const int edge = cut.right() + 7; // one screen pixel's worth of slack
    EXPECT_GT(Dark(page, QRect(cut.left(), cut.top(), cut.width(), cut.height())), 100);
    EXPECT_EQ(Dark(page, QRect(edge, cut.top(), 400, cut.height())), 0);
    const QRect uncut = PageBox(10, 50, 30, 20);
    EXPECT_GT(Dark(page, QRect(edge, uncut.top(), 400, uncut.height())), 100);
}

TEST_F(PrintKindsTest, SolidBorderWidthFollowsTheSizeIndex) {
    sheet.BorderStyle = 1;
    sheet.BorderSize = 0; // 1 point: round(6.25) = 6 printer pixels
    QImage page = PrintPage();
    const int y = 450; // half way down the label
    for (int x = 150; x < 156; ++x)
        EXPECT_LT(qGray(page.pixel(x, y)), 64) << x;
    EXPECT_GT(qGray(page.pixel(156, y)), 192);
    EXPECT_GT(qGray(page.pixel(149, y)), 192);
    sheet.BorderSize = 3; // round(25) = 25 pixels
    page = PrintPage();
    EXPECT_LT(qGray(page.pixel(174, y)), 64);
    EXPECT_GT(qGray(page.pixel(175, y)), 192);
}

TEST_F(PrintKindsTest, DashedBorderIsOnePixelWhateverTheSize) {
    sheet.BorderStyle = 2;
    sheet.BorderSize = 5;
    const QImage page = PrintPage();
    int dark = 0, darkInside = 0;
    for (int y = 160; y < 740; ++y) {
        dark += qGray(page.pixel(150, y)) < 128;
        darkInside += qGray(page.pixel(151, y)) < 128;
    }
    EXPECT_GT(dark, 100);     // dashes on the edge column
    EXPECT_LT(dark, 570);     // with gaps
    EXPECT_EQ(darkInside, 0); // one pixel wide
}
