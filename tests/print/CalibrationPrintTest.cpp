#include "PdfProbe.h"
#include "PlaceControl.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "platform/Rounding.h"
#include "print/CalibrationPage.h"
#include "print/PrintU.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

bool IsDark(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) < 128;
}

// The smallest rectangle holding every dark pixel of area.
QRect DarkBounds(const QImage& img, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsDark(img, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

std::string DecodeCode128(const QImage& grey) {
    const QImage img = grey.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(img.constBits(), img.width(), img.height(), ZXing::ImageFormat::Lum,
                                int(img.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code128).setTryHarder(true);
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    return r.isValid() ? r.text() : std::string("<no symbol>");
}

const TPdfWord* FindWord(const std::vector<TPdfWord>& words, const QString& text) {
    const auto it =
        std::find_if(words.begin(), words.end(), [&](const TPdfWord& w) { return w.Text == text; });
    return it == words.end() ? nullptr : &*it;
}

// Where paper position p (600-dpi pixels from the paper's edge) lands with an offset in
// inches and a scale.
double Landing(double p, double offsetInches, double scale) {
    return offsetInches * 600 + scale * p;
}
} // namespace

// One label on Letter paper at 600 dpi (its corner at 150, 150), printed as it is and with a
// calibration, and the marks of both pages compared.
class CalibratedPrint : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.ForcedCount = true;
        sheet.BorderStyle = 1;
        label.SetLabelSize(192, 96);
    }
    template <class T> T* Place(int left, int top, int width, int height) {
        return PlaceControl<T>(label, left, top, width, height);
    }
    QString Print(const QString& name, const TCalibration& calibration, int threads = 1) {
        TPrintSettings s;
        s.Range = TPrintRange::Pages;
        s.Threads = threads;
        s.Calibration = calibration;
        const QString out = scratch.File(name);
        PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);
        return out;
    }
    QImage Page(const QString& pdf) { return RasterisePage(pdf, 1, 600, scratch.Path()); }

    TScratchFolder scratch;
    TSheetSettings sheet;
    TLabelDocument label;
    TLetterPdf printer;
};

TEST_F(CalibratedPrint, BordersShapesAndTextsLandAtOffsetPlusScaledPosition) {
    auto* shape = Place<TShapeLabel>(100, 40, 40, 20);
    shape->SetBrushColor(clBlack);
    Place<TTextLabel>(4, 4, 60, 20)->SetText("MARK");
    const TCalibration calibration{0.1, 0.1, 1.01, 1.01};

    const QString plainPdf = Print("plain.pdf", TCalibration());
    const QString calibratedPdf = Print("calibrated.pdf", calibration);
    const QImage plain = Page(plainPdf), calibrated = Page(calibratedPdf);

    // The label's border: its outermost dark pixels.
    const QRect whole(0, 0, 1600, 1000);
    const QRect border0 = DarkBounds(plain, whole), border1 = DarkBounds(calibrated, whole);
    ASSERT_EQ(border0.topLeft(), QPoint(150, 150));
    EXPECT_NEAR(border1.left(), Landing(border0.left(), 0.1, 1.01), 1.5);
    EXPECT_NEAR(border1.top(), Landing(border0.top(), 0.1, 1.01), 1.5);
    EXPECT_NEAR(border1.right() + 1, Landing(border0.right() + 1, 0.1, 1.01), 1.5);
    EXPECT_NEAR(border1.bottom() + 1, Landing(border0.bottom() + 1, 0.1, 1.01), 1.5);

    // The filled shape, inside the border.
    const QRect inner(border0.left() + 500, border0.top() + 100, 600, 400);
    const QRect shape0 = DarkBounds(plain, inner), shape1 = DarkBounds(calibrated, inner);
    ASSERT_FALSE(shape0.isEmpty());
    EXPECT_NEAR(shape1.left(), Landing(shape0.left(), 0.1, 1.01), 1.5);
    EXPECT_NEAR(shape1.top(), Landing(shape0.top(), 0.1, 1.01), 1.5);
    EXPECT_NEAR(shape1.width(), 1.01 * shape0.width(), 1.5);
    EXPECT_NEAR(shape1.height(), 1.01 * shape0.height(), 1.5);

    // The text as the PDF's words give it.
    const auto words0 = PdfWords(plainPdf), words1 = PdfWords(calibratedPdf);
    const TPdfWord* mark0 = FindWord(words0, "MARK");
    const TPdfWord* mark1 = FindWord(words1, "MARK");
    ASSERT_TRUE(mark0 && mark1);
    EXPECT_NEAR(mark1->X, Landing(mark0->X, 0.1, 1.01), 2.5);
    EXPECT_NEAR(mark1->Y, Landing(mark0->Y, 0.1, 1.01), 2.5);

    // Pages drawn on several threads are calibrated alike.
    const auto parallel = PdfWords(Print("parallel.pdf", calibration, 2));
    const TPdfWord* mark2 = FindWord(parallel, "MARK");
    ASSERT_TRUE(mark2);
    EXPECT_DOUBLE_EQ(mark2->X, mark1->X);
    EXPECT_DOUBLE_EQ(mark2->Y, mark1->Y);
}

TEST_F(CalibratedPrint, BarcodesMoveButKeepTheirWholePixelModulesAndScan) {
    auto* barcode = Place<TBarcodeLabel>(20, 20, 150, 50);
    barcode->SetText("ABC123");
    barcode->SetAutoSizing(false);
    barcode->SetHAlign(haLeft);
    sheet.BorderStyle = 0;
    const TCalibration calibration{0.05, -0.03, 1.04, 0.96};
    const QImage plain = Page(Print("plain.pdf", TCalibration()));
    const QImage calibrated = Page(Print("calibrated.pdf", calibration));

    // Along one row through the bars: where the symbol starts and how long it is.
    const auto extent = [](const QImage& img, int y) {
        int first = -1, last = -1;
        for (int x = 0; x < 2000; ++x)
            if (IsDark(img, x, y)) {
                first = first < 0 ? x : first;
                last = x;
            }
        return std::pair(first, last - first + 1);
    };
    const auto [left0, length0] = extent(plain, 150 + 125 + 20);
    const auto [left1, length1] = extent(calibrated, RoundHalfEven(Landing(295, -0.03, 0.96)));
    ASSERT_GT(length0, 100);
    // The box moves and stretches; the quiet zone between its edge and the bars is modules.
    const int boxLeft0 = 150 + 125;
    EXPECT_NEAR(left1, Landing(boxLeft0, 0.05, 1.04) + (left0 - boxLeft0), 1.5);
    EXPECT_EQ(length1, length0) << "the scale stretches the box, not the modules";
    EXPECT_EQ(DecodeCode128(calibrated.copy(QRect(0, 0, 2000, 1000))), "ABC123");
}

// The calibration page, printed without calibration: a cross at 1 in from the paper's corner,
// rulers numbered from it, and the facts it was printed with.
TEST(CalibrationPage, CrossAndRulersAreWhereTheySay) {
    TScratchFolder scratch;
    TLetterPdf printer;
    const QString out = scratch.File("calibration.pdf");
    PrintCalibrationPage(printer, {0.1, -0.05, 1.01, 0.995}, out);
    ASSERT_EQ(PdfPageCount(out), 1);
    const QImage page = RasterisePage(out, 1, 300, scratch.Path());
    ASSERT_EQ(page.size(), QSize(2550, 3300));

    // The arms' centre lines: the columns and rows dark all through a window around 1 in.
    const QRect window(255, 255, 90, 90);
    double sumX = 0, sumY = 0;
    int columns = 0, rows = 0;
    for (int i = 0; i < window.width(); ++i) {
        int darkDown = 0, darkAcross = 0;
        for (int j = 0; j < window.height(); ++j) {
            darkDown += IsDark(page, window.left() + i, window.top() + j);
            darkAcross += IsDark(page, window.left() + j, window.top() + i);
        }
        if (darkDown > 80) {
            sumX += window.left() + i + 0.5;
            ++columns;
        }
        if (darkAcross > 80) {
            sumY += window.top() + i + 0.5;
            ++rows;
        }
    }
    ASSERT_GT(columns, 0);
    ASSERT_GT(rows, 0);
    EXPECT_NEAR(sumX / columns, 300, 0.6) << "1 in from the left edge at 300 dpi";
    EXPECT_NEAR(sumY / rows, 300, 0.6) << "1 in from the top edge";

    const auto darkNear = [&](double x, double y) {
        for (int dx = -2; dx <= 2; ++dx)
            if (IsDark(page, int(x) + dx, int(y)))
                return true;
        return false;
    };
    const auto darkNearDown = [&](double x, double y) {
        for (int dy = -2; dy <= 2; ++dy)
            if (IsDark(page, int(x), int(y) + dy))
                return true;
        return false;
    };
    // Inch ticks along the top edge, a whole inch longer than a tenth's.
    EXPECT_TRUE(darkNear(5 * 300, 40)) << "the 5 in tick";
    EXPECT_FALSE(darkNear(4.9 * 300, 40)) << "a tenth's tick is shorter";
    EXPECT_TRUE(darkNear(4.9 * 300, 10));
    // Centimetre ticks below them.
    EXPECT_TRUE(darkNear(5 / 2.54 * 300, 0.55 * 300)) << "the 5 cm tick";
    EXPECT_TRUE(darkNear(15 / 2.54 * 300, 0.55 * 300)) << "the 15 cm tick";
    // And the same along the left edge.
    EXPECT_TRUE(darkNearDown(40, 7 * 300)) << "the 7 in tick";
    EXPECT_TRUE(darkNearDown(0.55 * 300, 20 / 2.54 * 300)) << "the 20 cm tick";

    const QString text =
        PageWords(PdfWords(out), 1).join(u' ').normalized(QString::NormalizationForm_KC);
    EXPECT_TRUE(text.contains("Printer: PDF file")) << text.toStdString();
    EXPECT_TRUE(text.startsWith("1 in 2 3")) << "the ruler numbers from the paper's edge";
    EXPECT_TRUE(text.contains("3 cm 4 5")) << text.toStdString();
    EXPECT_TRUE(text.contains("Letter")) << text.toStdString();
    EXPECT_TRUE(text.contains("600 × 600 dpi")) << text.toStdString();
    EXPECT_TRUE(text.contains("offset 0.100 in across, -0.050 in down; scale 101.00 % across, "
                              "99.50 % down"))
        << text.toStdString();
}
